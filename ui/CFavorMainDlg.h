// The program's one top-level window, in one of two modes: the Favorite Browser
// (menu bar, toolbar, folder tree, favorites list, details pane, search box, status
// line) and the always-topmost Quick Panel (visit buttons, folder list, favorites
// list, search box). The mode only shows, hides and re-lays out the same controls.
#pragma once
#include "edits/FavorEdits.h"
#include "framework/CDialog.h"
#include "framework/Owned.h"
#include "ui/CBackupCommands.h"
#include "ui/CCleanupCommands.h"
#include "ui/CFavorActions.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderActions.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/CClipboardCommands.h"
#include "ui/CKeyCommands.h"
#include "ui/CSyncCommands.h"
#include "ui/CWindowCommands.h"
#include "ui/MainPlacement.h"
#include "ui/MainWindowState.h"
#include <memory>

class CFavorStore;
class CAppSettings;
class MainWidgets;

class CFavorMainDlg : public fw::CDialog, private IFavorViews, private IEditWatcher {
public:
    CFavorMainDlg(CFavorStore& store, CAppSettings& settings);
    ~CFavorMainDlg() override;

    void SwitchMode(bool browser);
    void ShowFavoriteBrowser();
    void ShowQuickPanel();
    void HideToTray();
    void SaveStateAndExit();
    // Topmost in the Favorite Browser when the switch is on, otherwise not (after Preferences).
    void ApplyTopMostRule();
    void SetTopMost(bool topMost) { m_state.topMost = topMost; }
    // The Quick Panel's folder list built anew from the tree, on the tree's folder.
    void FollowTreeInFolderList();
    // The program's own run: a daily backup copy once the window is up (set before it is made).
    void KeepDailyBackups() { m_keepDailyBackups = true; }

    const MainWindowState& State() const { return m_state; }
    CFolderTreeCtrl& Tree() { return m_tree; }
    CWindowCommands& Commands() { return m_commands; }
    CAppSettings& Settings() { return m_settings; }
    CFavorListCtrl& List() { return m_list; }
    CSyncCommands& Sync() { return m_sync; }
    FavorEdits& Edits() { return m_edits; }
    int TreeWidth() const { return m_placement.TreeWidth(); }
    int Dpi() const { return m_placement.Dpi(); }

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    bool PreTranslateMessage(MSG& msg) override;
    std::wstring HelpPage() const override { return m_state.isBrowser ? L"browse.html" : L"quickpanel.html"; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Esc: hides the window like the close box; only the exit command ends the program.
    void OnCancel() override { HideToTray(); }
    void OnSchemeChanged(fw::Scheme previous) override;

private:
    using Self = CFavorMainDlg;
    static const fw::MapEntry<CFavorMainDlg> kMap[];

    LRESULT OnSize(const fw::Msg& m);
    LRESULT OnMove(const fw::Msg& m);
    LRESULT OnGetMinMaxInfo(const fw::Msg& m);
    LRESULT OnClose(const fw::Msg&) { HideToTray(); return 0; }
    LRESULT OnPaint(const fw::Msg& m);
    LRESULT OnQueryDragIcon(const fw::Msg&) { return reinterpret_cast<LRESULT>(m_icon); }
    LRESULT OnDestroy(const fw::Msg& m);
    LRESULT OnFoldersChanged(const fw::Msg&) { m_state.folderComboStale = true; return 0; }
    LRESULT OnShowInstance(const fw::Msg&);
    LRESULT OnDpiChanged(const fw::Msg& m);
    LRESULT OnSplitterDragged(const fw::Msg& m);
    LRESULT OnPaneBulkNotify(const fw::Msg&) { return 0; }
    LRESULT OnDeleteAllRows(const fw::Msg&) { return TRUE; }  // no notification per row
    LRESULT OnToggleDetails(const fw::Msg&);
    LRESULT OnFolderChosen(const fw::Msg&);
    LRESULT OnToBrowser(const fw::Msg&) { ShowFavoriteBrowser(); return 0; }
    LRESULT OnToQuickPanel(const fw::Msg&) { ShowQuickPanel(); return 0; }
    LRESULT OnHide(const fw::Msg&) { HideToTray(); return 0; }
    LRESULT OnExit(const fw::Msg&) { SaveStateAndExit(); return 0; }
    LRESULT OnSelectAll(const fw::Msg&);
    LRESULT OnInvertSelection(const fw::Msg&);
    LRESULT OnToggleColumn(const fw::Msg& m);
    LRESULT OnSortBy(const fw::Msg& m);
    LRESULT OnSortOrder(const fw::Msg& m);
    LRESULT OnUndo(const fw::Msg&);
    LRESULT OnRedo(const fw::Msg&);

    // The favorites were replaced: the tree and the list load everything again.
    void Reloaded() override;
    // After every change, undo and redo: the Edit menu names the steps.
    void AfterChange(const EditStep& step) override;
    void UpdateUndoMenu();

    void InitPanes();
    void LayOut();
    void TrackWindowRect();
    void ShowBrowserControls(bool show);
    void ShowQuickPanelControls(bool show);
    void AttachMenuBar(bool attach);
    void RebuildFolderCombo();
    int ChosenFolderId() const;
    void DrawDetailsToggle() const;
    void ShowAndActivate();

    CFavorStore& m_store;
    CAppSettings& m_settings;
    FavorEdits m_edits;  // before the panes and commands that use it
    MainWindowState m_state;
    CDetailsPane m_details;
    CFolderTreeCtrl m_tree;
    CFavorListCtrl m_list;
    CFolderActions m_folders;
    CFavorActions m_favors;
    CCleanupCommands m_cleanup;
    CWindowCommands m_commands;
    CKeyCommands m_keys;
    CClipboardCommands m_clipboard;
    CBackupCommands m_backups;
    CSyncCommands m_sync;
    bool m_keepDailyBackups = false;
    std::unique_ptr<MainWidgets> m_widgets;
    fw::OwnedMenu m_menu;
    MainPlacement m_placement;
    HICON m_icon = nullptr;  // shared resource icon
};
