// What the main window remembers about itself, shared with the folder and favorite
// commands that act on its panes.
#pragma once
#include <windows.h>
#include <string>

// What the details pane holds, and so what Save writes.
enum class DetailsKind { None = 0, Folder = 1, Favor = 2 };

struct MainWindowState {
    bool isBrowser = false;         // Favorite Browser (true) or Quick Panel
    bool topMost = false;           // keep the Favorite Browser topmost
    RECT browserRect{};             // last window rectangle of each mode, screen pixels
    RECT quickPanelRect{};
    DetailsKind detailsKind = DetailsKind::None;
    bool searchMode = false;        // the list shows search results
    bool suppressTracking = true;   // moves and sizes are not recorded, folder choices ignored
    bool closing = false;           // the exit command is ending the dialog
    bool favorDlgOpen = false;      // the new-favorite dialog of the Favorite Browser is up
    bool captureDlgOpen = false;    // the new-favorite dialog of a captured page is up
    bool folderComboStale = true;   // the tree changed since the folder list was built
    bool detailsExpanded = true;
    bool readOnly = false;          // the store cannot write: nothing that changes data runs
    int unreadFolderId = -1;        // the folder listed whose favorites the store could not read
    std::wstring unreadText;        // and what the user is told of it before it may be deleted
    HMENU menuBar = nullptr;        // kept while detached in the Quick Panel
};

// Sets suppressTracking for a scope and restores what it was.
class SuppressTracking {
public:
    explicit SuppressTracking(MainWindowState& s) : m_state(s), m_was(s.suppressTracking) {
        s.suppressTracking = true;
    }
    ~SuppressTracking() { m_state.suppressTracking = m_was; }
    SuppressTracking(const SuppressTracking&) = delete;
    SuppressTracking& operator=(const SuppressTracking&) = delete;

private:
    MainWindowState& m_state;
    bool m_was;
};

// Which details controls are shown: none, the name row with Save, or all of them.
enum class DetailsShown { Unknown, None, NameRow, All };

// The labels, fields and Save of the details pane, shown or hidden together.
class CDetailsPane {
public:
    void Attach(HWND dialog) { m_dialog = dialog; }
    void Show(DetailsShown shown);
    // As the details kind asks: folder -> name row, favorite -> all, nothing -> none.
    void ShowFor(DetailsKind kind);
    DetailsShown Shown() const { return m_shown; }

private:
    HWND m_dialog = nullptr;
    DetailsShown m_shown = DetailsShown::Unknown;
};

class CFavorStore;
class CFolderTreeCtrl;
class CFavorListCtrl;
class FavorEdits;

// What the folder and favorite commands work on: the store (read directly, changed only
// through the edits), the window's state and its panes.
class CPaneCommands {
public:
    CPaneCommands(FavorEdits& edits, MainWindowState& state, CDetailsPane& details, CFolderTreeCtrl& tree,
                  CFavorListCtrl& list);
    CPaneCommands(const CPaneCommands&) = delete;
    CPaneCommands& operator=(const CPaneCommands&) = delete;

    void Attach(HWND dialog) { m_dialog = dialog; }

protected:
    FavorEdits& m_edits;
    CFavorStore& m_store;
    MainWindowState& m_state;
    CDetailsPane& m_details;
    CFolderTreeCtrl& m_tree;
    CFavorListCtrl& m_list;
    HWND m_dialog = nullptr;
};
