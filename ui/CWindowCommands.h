// The main window's program-wide commands: the notification-area icon and its menu,
// Magic Add and captured favorites, the Most Visited and Latest Visited menus, the
// Import and Export wizards, the Help menu, and the drop targets and drags of the
// panes.
#pragma once
#include "dnd/CFavorDataSource.h"
#include "dnd/DropTargets.h"
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"
#include <vector>

class CFavorMainDlg;
class CFavorActions;
struct FavorRecord;

class CWindowCommands : public CPaneCommands {
public:
    CWindowCommands(CFavorMainDlg& window, FavorEdits& edits, MainWindowState& state, CDetailsPane& details,
                    CFolderTreeCtrl& tree, CFavorListCtrl& list, CFavorActions& favors);
    ~CWindowCommands();

    bool Dispatch(const fw::Msg& m, LRESULT& result);
    // Registers the drop targets of the tree, the list and the Magic Add button.
    void RegisterDropTargets();
    void RevokeDropTargets();
    // Magic Add: the page shown in the running browser, else an empty add dialog.
    void MagicAdd();
    // The hotkeys' and the tray's show/hide: hides a visible window, shows a hidden one.
    void ToggleVisible();
    // While a modal dialog of the window is up (the window is then disabled), brings that
    // dialog to the front and answers true.
    bool FrontModalDialog() const;

private:
    using Self = CWindowCommands;
    static const fw::MapEntry<CWindowCommands> kMap[];

    LRESULT OnTrayNotify(const fw::Msg& m);
    LRESULT OnHotKey(const fw::Msg& m);
    LRESULT OnPreferences(const fw::Msg&);
    LRESULT OnAbout(const fw::Msg&);
    LRESULT OnMeasureItem(const fw::Msg& m);
    LRESULT OnDrawItem(const fw::Msg& m);
    LRESULT OnExit(const fw::Msg&);
    LRESULT OnHelp(const fw::Msg&);
    LRESULT OnWebsite(const fw::Msg&);
    LRESULT OnFind(const fw::Msg&);
    LRESULT OnTrayQuickPanel(const fw::Msg&);
    LRESULT OnTrayBrowser(const fw::Msg&);
    LRESULT OnMagicAdd(const fw::Msg&) { MagicAdd(); return 0; }
    LRESULT OnFavorCaptured(const fw::Msg& m);
    LRESULT OnSaveFailed(const fw::Msg& m);
    LRESULT OnMostVisited(const fw::Msg&);
    LRESULT OnLatestVisited(const fw::Msg&);
    LRESULT OnMostVisitedEntry(const fw::Msg& m);
    LRESULT OnLatestVisitedEntry(const fw::Msg& m);
    LRESULT OnImport(const fw::Msg&);
    LRESULT OnExport(const fw::Msg&);
    LRESULT OnBeginFavorDrag(const fw::Msg&);
    LRESULT OnBeginFolderDrag(const fw::Msg& m);

    void ShowVisitMenu(bool mostVisited);
    void VisitEntry(const std::vector<FavorRecord>& entries, UINT base, UINT id);

    CFavorMainDlg& m_window;
    CFavorActions& m_favors;
    std::vector<FavorRecord> m_mostVisited;    // entries of the last menu
    std::vector<FavorRecord> m_latestVisited;
    fw::ComPtr<CFavorListDropTarget> m_listTarget;
    fw::ComPtr<CFolderTreeDropTarget> m_treeTarget;
    fw::ComPtr<CMagicAddDropTarget> m_magicTarget;
    fw::ComPtr<CFavorDataSource> m_dragSource;
};
