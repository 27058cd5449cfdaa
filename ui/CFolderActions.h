// The main window's folder commands: the tree's selection (which fills the list and
// the status line), the tree menu, and New, Edit and Delete folder. Each change goes
// to the store first and is then mirrored in the tree.
#pragma once
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"

class CFavorStore;
class CFolderTreeCtrl;
class CFavorListCtrl;

class CFolderActions {
public:
    CFolderActions(CFavorStore& store, MainWindowState& state, CDetailsPane& details, CFolderTreeCtrl& tree,
                   CFavorListCtrl& list)
        : m_store(store), m_state(state), m_details(details), m_tree(tree), m_list(list) {}
    CFolderActions(const CFolderActions&) = delete;
    CFolderActions& operator=(const CFolderActions&) = delete;

    void Attach(HWND dialog) { m_dialog = dialog; }
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

    CFavorStore& m_store;
    MainWindowState& m_state;
    CDetailsPane& m_details;
    CFolderTreeCtrl& m_tree;
    CFavorListCtrl& m_list;
    HWND m_dialog = nullptr;
};
