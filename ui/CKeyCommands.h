// The main window's keyboard: its accelerator table, translated before the dialog manager
// sees a key (except where an edit field keeps the key for itself), and the commands that
// act on the pane that has the focus: Del, Alt+Enter, Enter in the list, Ctrl+F and F3,
// F5, Backspace and Alt+Up, Ctrl+C.
#pragma once
#include "dnd/CFavorDataSource.h"
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"

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
    // Leaves the clipboard's favorites to the clipboard itself (the window goes away).
    void ReleaseClipboard();

private:
    using Self = CKeyCommands;
    static const fw::MapEntry<CKeyCommands> kMap[];
    LRESULT OnDelete(const fw::Msg&);
    LRESULT OnProperties(const fw::Msg&);
    LRESULT OnFind(const fw::Msg&);
    LRESULT OnRefresh(const fw::Msg&) { Reload(); return 0; }
    LRESULT OnParent(const fw::Msg&);
    LRESULT OnCopy(const fw::Msg&);

    bool Focused(HWND pane) const;

    CFavorMainDlg& m_window;
    CFolderActions& m_folders;
    CFavorActions& m_favors;
    HACCEL m_keys = nullptr;  // a resource: freed with the module
    fw::ComPtr<CFavorDataSource> m_clipboard;
};
