// The dialog in which the user adds a folder or edits one (name and parent).
#pragma once
#include "framework/CDialog.h"
#include "store/Records.h"

class CFolderDlg : public fw::CDialog {
public:
    CFolderDlg();

    bool editMode = false;
    FolderRecord record;           // name, id, pid
    FolderRecord* root = nullptr;  // the tree pane's root, not owned
    bool accepted = false;

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    std::wstring HelpPage() const override { return L"add.html"; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LRESULT OnOkButton(const fw::Msg&);
    LRESULT OnCancelButton(const fw::Msg&);
    static const fw::MapEntry<CFolderDlg> kMap[];
};
