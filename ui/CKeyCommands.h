// The main window's keyboard: its accelerator table, translated before the dialog manager
// sees a key (except where an edit field keeps the key for itself), and the commands that
// act on the pane that has the focus: Del, F2 (the name edited in place), Alt+Enter,
// Enter in the list, Ctrl+F and F3, F5, Backspace and Alt+Up.
#pragma once
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"
#include <string>

class CFavorMainDlg;
class CFolderActions;
class CFavorActions;

class CKeyCommands : public CPaneCommands {
public:
    CKeyCommands(CFavorMainDlg& window, FavorEdits& edits, MainWindowState& state, CDetailsPane& details,
                 CFolderTreeCtrl& tree, CFavorListCtrl& list, CFolderActions& folders, CFavorActions& favors);
    ~CKeyCommands();
    bool Dispatch(const fw::Msg& m, LRESULT& result);

    // Loads the table; called once the window exists.
    void LoadKeys();
    // True when the key became a command.
    bool TranslateKey(MSG& msg);
    // Enter: with the focus in the list, opens the selected favorites as a double-click does.
    bool OpenFromList();
    // Reloads the folder tree and the list from the store, keeping the folder, the search
    // and the selected favorite where they still exist.
    void Reload();

private:
    using Self = CKeyCommands;
    static const fw::MapEntry<CKeyCommands> kMap[];
    LRESULT OnDelete(const fw::Msg&);
    LRESULT OnProperties(const fw::Msg&);
    LRESULT OnFind(const fw::Msg&);
    LRESULT OnRefresh(const fw::Msg&) { Reload(); return 0; }
    LRESULT OnParent(const fw::Msg&);
    LRESULT OnRename(const fw::Msg&);
    LRESULT OnBeginFolderRename(const fw::Msg& m);
    LRESULT OnEndFolderRename(const fw::Msg& m);
    LRESULT OnEndFavorRename(const fw::Msg& m);

    bool Focused(HWND pane) const;
    // The name typed in place, trimmed; empty (after telling why) when it is refused.
    std::wstring TypedName(const wchar_t* typed, const wchar_t* emptyText) const;

    CFavorMainDlg& m_window;
    CFolderActions& m_folders;
    CFavorActions& m_favors;
    HACCEL m_keys = nullptr;  // a resource: freed with the module
};
