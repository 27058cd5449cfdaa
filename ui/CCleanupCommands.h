// The main window's Clean Up commands in the Edit menu: Find Duplicates and Check
// Links. The dialogs act on favorites through this class, which writes the store first
// and then mirrors the change in the panes, as the other commands do.
#pragma once
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"
#include "ui/dialogs/CleanupActions.h"

class CFavorActions;
class CFavorDlg;

class CCleanupCommands : public CPaneCommands, public ICleanupActions {
public:
    CCleanupCommands(FavorEdits& edits, MainWindowState& state, CDetailsPane& details, CFolderTreeCtrl& tree,
                     CFavorListCtrl& list, CFavorActions& favors);
    bool Dispatch(const fw::Msg& m, LRESULT& result);

    std::wstring FolderPath(int folderId) const override;
    bool LoadFavors(int folderId, bool withSubfolders, std::vector<FavorRecord>& favors) override;
    bool CanChange() const override;
    size_t DeleteFavors(const std::vector<int>& ids) override;
    bool Open(const FavorRecord& favor) override;
    void ShowInFolder(const FavorRecord& favor) override;
    bool ReplaceLocations(const std::vector<FavorRecord>& favors) override;

private:
    using Self = CCleanupCommands;
    LRESULT OnFindDuplicates(const fw::Msg&);
    LRESULT OnCheckLinks(const fw::Msg&);
    static const fw::MapEntry<CCleanupCommands> kMap[];

    CFavorActions& m_favors;
};

// Makes the favorite dialog ask before it adds a location that is already stored.
void WarnOfDuplicates(CFavorDlg& dlg, CFavorStore& store, const CFolderTreeCtrl& tree);
