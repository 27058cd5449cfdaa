// The main window's folder commands: the tree's selection (which fills the list and
// the status line), the tree menu, and New, Edit and Delete folder. Each change goes
// to the store first and is then mirrored in the tree.
#pragma once
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"


class CFolderActions : public CPaneCommands {
public:
    using CPaneCommands::CPaneCommands;
    bool Dispatch(const fw::Msg& m, LRESULT& result);

    // Edit and Delete only for a folder below the root; New favorite for any folder.
    void UpdateFolderStates();
    void NewFolder();
    void EditFolder();
    void DeleteFolder();

private:
    using Self = CFolderActions;
    LRESULT OnSelectionChanged(const fw::Msg&);
    LRESULT OnTreeMenu(const fw::Msg&);
    LRESULT OnNewFolder(const fw::Msg&) { NewFolder(); return 0; }
    LRESULT OnEditFolder(const fw::Msg&) { EditFolder(); return 0; }
    LRESULT OnDeleteFolder(const fw::Msg&) { DeleteFolder(); return 0; }
    static const fw::MapEntry<CFolderActions> kMap[];
};
