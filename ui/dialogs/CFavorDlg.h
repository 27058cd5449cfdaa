// The dialog in which the user adds a favorite or edits one. It edits `record` and
// never touches the store; the caller stores the record after IDOK.
#pragma once
#include "framework/CDialog.h"
#include "store/Records.h"
#include <functional>

class CFavorDlg : public fw::CDialog {
public:
    CFavorDlg();

    bool editMode = false;
    FavorRecord record;
    FolderRecord* root = nullptr;  // the tree pane's root, not owned
    bool accepted = false;
    // Add mode: asked with the location once the texts pass; a question it returns is put
    // to the user (Yes/No) before the dialog closes, and No keeps it open.
    std::function<std::wstring(const std::wstring& location)> confirmAdd;

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    std::wstring HelpPage() const override { return L"add.html"; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LRESULT OnOkButton(const fw::Msg&);
    LRESULT OnCancelButton(const fw::Msg&);
    static const fw::MapEntry<CFavorDlg> kMap[];
};

// The indented folder drop-down list of the edit dialogs: each subfolder of `folder`
// as 3 x level blanks + name, depth first; the folder with excludedId (not 0, -1 =
// none) is left out with everything below it.
void FillFolderList(HWND combo, const FolderRecord& folder, int level, int excludedId);
// Selects the first entry whose folder id is folderId; otherwise leaves the selection.
void SelectFolderById(HWND combo, int folderId);
