#include "ui/CWindowCommands.h"
#include "app/AppMessages.h"
#include "browser/CapturePage.h"
#include "browser/OpenLocation.h"
#include "browser/ProductLinks.h"
#include "dnd/DragSources.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CCleanupCommands.h"
#include "ui/CFavorActions.h"
#include "transfer/CExportWizardSheet.h"
#include "transfer/CImportWizardSheet.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFavorMainDlg.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/MainTexts.h"
#include "ui/StoreProblems.h"
#include "ui/TrayMenu.h"
#include "ui/VisitMenu.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CFavorDlg.h"
#include "ui/dialogs/CPreferencesSheet.h"
#include "app/CAppSettings.h"
#include "framework/HelpFile.h"
#include "framework/Seams.h"
#include "ui/widgets/BCMenu.h"
#include <memory>

const fw::MapEntry<CWindowCommands> CWindowCommands::kMap[] = {
    fw::OnMessage(WM_TRAY_NOTIFY, &Self::OnTrayNotify),
    fw::OnMessage(WM_HOTKEY, &Self::OnHotKey),
    fw::OnCommand(IDM_PREFERENCES, &Self::OnPreferences),
    fw::OnCommand(IDM_TRAY_PREFERENCES, &Self::OnPreferences),
    fw::OnCommand(IDM_HELP_ABOUT, &Self::OnAbout),
    fw::OnMessage(WM_MEASUREITEM, &Self::OnMeasureItem),
    fw::OnMessage(WM_DRAWITEM, &Self::OnDrawItem),
    fw::OnMessage(WM_FAVOR_CAPTURED, &Self::OnFavorCaptured),
    fw::OnMessage(WM_SAVE_FAILED, &Self::OnSaveFailed),
    fw::OnCommand(IDM_TRAY_EXIT, &Self::OnExit),
    fw::OnCommand(IDM_TRAY_HELP, &Self::OnHelp),
    fw::OnCommand(IDM_HELP_LAUNCH, &Self::OnHelp),
    fw::OnCommand(IDM_HELP_WEBSITE, &Self::OnWebsite),
    fw::OnCommand(IDM_TRAY_FIND, &Self::OnFind),
    fw::OnCommand(IDM_TRAY_QUICKPANEL, &Self::OnTrayQuickPanel),
    fw::OnCommand(IDM_TRAY_BROWSER, &Self::OnTrayBrowser),
    fw::OnCommand(IDC_MAGIC_ADD, &Self::OnMagicAdd),
    fw::OnCommand(IDC_MOST_VISITED, &Self::OnMostVisited),
    fw::OnCommand(IDC_LATEST_VISITED, &Self::OnLatestVisited),
    fw::OnCommandRange(IDM_MOST_VISITED_FIRST, IDM_MOST_VISITED_LAST, &Self::OnMostVisitedEntry),
    fw::OnCommandRange(IDM_LATEST_VISITED_FIRST, IDM_LATEST_VISITED_LAST, &Self::OnLatestVisitedEntry),
    fw::OnCommand(IDM_FILE_IMPORT, &Self::OnImport),
    fw::OnCommand(IDC_IMPORT, &Self::OnImport),
    fw::OnCommand(IDM_FILE_EXPORT, &Self::OnExport),
    fw::OnCommand(IDC_EXPORT, &Self::OnExport),
    fw::OnNotify(IDC_FAVOR_LIST, LVN_BEGINDRAG, &Self::OnBeginFavorDrag),
    fw::OnNotify(IDC_FOLDER_TREE, TVN_BEGINDRAGW, &Self::OnBeginFolderDrag),
};
bool CWindowCommands::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CWindowCommands::CWindowCommands(CFavorMainDlg& window, FavorEdits& edits, MainWindowState& state,
                                 CDetailsPane& details, CFolderTreeCtrl& tree, CFavorListCtrl& list,
                                 CFavorActions& favors)
    : CPaneCommands(edits, state, details, tree, list), m_window(window), m_favors(favors) {}

CWindowCommands::~CWindowCommands() { RevokeDropTargets(); }

void CWindowCommands::RegisterDropTargets() {
    m_listTarget.attach(new CFavorListDropTarget(m_edits, m_list));
    m_treeTarget.attach(new CFolderTreeDropTarget(m_edits, m_tree));
    m_magicTarget.attach(new CMagicAddDropTarget(m_edits, m_dialog));
    m_dragSource.attach(new CFavorDataSource);
    m_listTarget->Register(m_list.Hwnd());
    m_treeTarget->Register(m_tree.Hwnd());
    m_magicTarget->Register(GetDlgItem(m_dialog, IDC_MAGIC_ADD));
}

void CWindowCommands::RevokeDropTargets() {
    for (fw::COleDropTarget* t : {static_cast<fw::COleDropTarget*>(m_listTarget.get()),
                                  static_cast<fw::COleDropTarget*>(m_treeTarget.get()),
                                  static_cast<fw::COleDropTarget*>(m_magicTarget.get())})
        if (t) t->Revoke();
}

namespace {

// The dialog the user faces while `owner` is disabled by its modal dialogs: the enabled
// end of the chain of pop-ups above it (a message box over a sheet over the window).
HWND ModalPopupOf(HWND owner) {
    HWND popup = owner;
    for (int depth = 0; depth < 8 && !IsWindowEnabled(popup); ++depth) {
        HWND next = GetLastActivePopup(popup);
        if (!next || next == popup) return nullptr;
        popup = next;
    }
    return popup != owner && IsWindowEnabled(popup) && IsWindowVisible(popup) ? popup : nullptr;
}

}  // namespace

// ---- showing and hiding ----

bool CWindowCommands::FrontModalDialog() const {
    if (IsWindowEnabled(m_dialog)) return false;
    if (HWND popup = ModalPopupOf(m_dialog)) SetForegroundWindow(popup);
    return true;
}

void CWindowCommands::ToggleVisible() {
    ShowWindow(m_dialog, IsWindowVisible(m_dialog) ? SW_HIDE : SW_SHOW);
    if (IsWindowVisible(m_dialog)) SetForegroundWindow(m_dialog);
}

LRESULT CWindowCommands::OnTrayNotify(const fw::Msg& m) {
    switch (static_cast<UINT>(m.lp)) {
    case WM_LBUTTONDOWN:
        if (!FrontModalDialog()) ToggleVisible();  // never hide the window from under a dialog
        break;
    case WM_RBUTTONDOWN: {
        // No menu that could start a second dialog or exit beneath an open one.
        if (FrontModalDialog()) break;
        BCMenu menu;
        const bool browserShown = m_state.isBrowser && IsWindowVisible(m_dialog);
        if (!BuildTrayMenu(menu, !m_state.readOnly, !browserShown)) break;
        POINT pt{};
        GetCursorPos(&pt);
        menu.Track(m_dialog, pt, TPM_RIGHTBUTTON);
        break;
    }
    default: break;
    }
    return 0;
}

LRESULT CWindowCommands::OnHotKey(const fw::Msg& m) {
    const int id = static_cast<int>(m.wp);
    CAppSettings& settings = m_window.Settings();
    if (id == 0 || (id != settings.m_activateHotkeyId && id != settings.m_addFavorHotkeyId)) return 0;
    if (FrontModalDialog()) return 0;  // neither hides the window nor opens a second dialog under it
    if (id == settings.m_activateHotkeyId) {
        ToggleVisible();
        if (IsWindowVisible(m_dialog) && !m_state.isBrowser) SetFocus(GetDlgItem(m_dialog, IDC_SEARCH_EDIT));
    } else if (m_state.readOnly) {
        // No dialog whose OK could not store: the reason instead.
        seams::MessageBox(m_dialog, ReadOnlyStoreText(m_store.WriteProblem()), texts::kTipCaption,
                          MB_OK | MB_ICONINFORMATION);
    } else {
        if (m_state.isBrowser) SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(IDM_FILE_NEW_FAVORITE, 0), 0);
        else MagicAdd();
    }
    return 0;
}

LRESULT CWindowCommands::OnPreferences(const fw::Msg&) {
    {
        CPreferencesSheet sheet(m_dialog, m_state.topMost, m_window.Settings(), m_store, m_window.Sync(),
                                m_tree.GetRootFolder());
        sheet.DoModal(m_dialog);
    }
    // Whatever the sheet's result: topmost only for a Favorite Browser with the switch on;
    // a Quick Panel stays below other topmost windows until the next mode switch.
    const bool top = m_state.isBrowser && m_state.topMost;
    SetWindowPos(m_dialog, top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
}

LRESULT CWindowCommands::OnAbout(const fw::Msg&) {
    CAboutDlg about;
    about.DoModal(m_dialog);
    return 0;
}

LRESULT CWindowCommands::OnMeasureItem(const fw::Msg& m) {
    if (m.wp == 0 && BCMenu::OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(m.lp))) return TRUE;
    m.passOn = true;
    return 0;
}

LRESULT CWindowCommands::OnDrawItem(const fw::Msg& m) {
    if (m.wp == 0 && BCMenu::OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(m.lp))) return TRUE;
    m.passOn = true;
    return 0;
}

LRESULT CWindowCommands::OnExit(const fw::Msg&) {
    m_window.SaveStateAndExit();
    return 0;
}

LRESULT CWindowCommands::OnHelp(const fw::Msg&) {
    fw::OpenHelpPage(m_dialog, L"");
    return 0;
}

LRESULT CWindowCommands::OnWebsite(const fw::Msg&) {
    OpenLocation(kProductWebsite);
    return 0;
}

LRESULT CWindowCommands::OnFind(const fw::Msg&) {
    if (m_state.isBrowser) m_window.ShowFavoriteBrowser();
    else m_window.ShowQuickPanel();
    SetFocus(GetDlgItem(m_dialog, IDC_SEARCH_EDIT));
    return 0;
}

LRESULT CWindowCommands::OnTrayQuickPanel(const fw::Msg&) {
    m_window.ShowQuickPanel();
    return 0;
}

LRESULT CWindowCommands::OnTrayBrowser(const fw::Msg&) {
    m_window.ShowFavoriteBrowser();
    return 0;
}

// ---- Magic Add and captured favorites ----

void CWindowCommands::MagicAdd() {
    if (m_state.readOnly) return;
    auto record = std::make_unique<FavorRecord>();
    bool pending = false;
    const bool captured = CapturePage(*record, pending, m_dialog);
    if (captured && pending) return;  // the answer comes later with a record of its own
    PostFavorCaptured(m_dialog, captured ? std::move(record) : nullptr);
}

LRESULT CWindowCommands::OnFavorCaptured(const fw::Msg& m) {
    std::unique_ptr<FavorRecord> captured(reinterpret_cast<FavorRecord*>(m.wp));  // ours from here on
    if (m_state.readOnly) return 0;
    if (m_state.captureDlgOpen) {
        ShowWindow(m_dialog, SW_SHOW);
        SetForegroundWindow(m_dialog);
        return 0;
    }
    // Another dialog came up while the browser was asked (a wizard, Preferences): the page
    // is dropped and that dialog comes forward, with no add dialog over it.
    if (FrontModalDialog()) return 0;
    const FavorRecord proposed = captured ? *captured : FavorRecord();
    captured.reset();
    HWND combo = GetDlgItem(m_dialog, IDC_FOLDER_COMBO);
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    const LRESULT data = sel == CB_ERR ? CB_ERR : SendMessageW(combo, CB_GETITEMDATA, sel, 0);
    const FolderRecord* chosen = data == CB_ERR ? nullptr : m_tree.FindFolder(static_cast<int>(data));
    m_favors.AddWithDialog(proposed, chosen ? chosen->id : 0, m_state.captureDlgOpen);
    return 0;
}

LRESULT CWindowCommands::OnSaveFailed(const fw::Msg& m) {
    TellPostedSaveFailure(m_dialog, m.lp);
    return 0;
}

// ---- visit menus ----

void CWindowCommands::ShowVisitMenu(bool mostVisited) {
    std::vector<FavorRecord>& entries = mostVisited ? m_mostVisited : m_latestVisited;
    entries.clear();
    // No menu at all looks like no visit at all: a list the store cannot read is told.
    if (!(mostVisited ? m_store.GetMostVisited(entries) : m_store.GetLatestVisited(entries)))
        return TellReadFailed(m_dialog, m_store);
    BCMenu menu;
    if (!BuildVisitMenu(menu, entries, mostVisited ? IDM_MOST_VISITED_FIRST : IDM_LATEST_VISITED_FIRST)) return;
    RECT rc{};
    GetWindowRect(GetDlgItem(m_dialog, mostVisited ? IDC_MOST_VISITED : IDC_LATEST_VISITED), &rc);
    menu.Track(m_dialog, POINT{rc.left, rc.bottom}, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);
}

LRESULT CWindowCommands::OnMostVisited(const fw::Msg&) {
    ShowVisitMenu(true);
    return 0;
}

LRESULT CWindowCommands::OnLatestVisited(const fw::Msg&) {
    ShowVisitMenu(false);
    return 0;
}

void CWindowCommands::VisitEntry(const std::vector<FavorRecord>& entries, UINT base, UINT id) {
    const FavorRecord* record = VisitMenuRecord(entries, base, id);
    if (record) m_favors.Launch({*record});
}

LRESULT CWindowCommands::OnMostVisitedEntry(const fw::Msg& m) {
    VisitEntry(m_mostVisited, IDM_MOST_VISITED_FIRST, LOWORD(m.wp));
    return 0;
}

LRESULT CWindowCommands::OnLatestVisitedEntry(const fw::Msg& m) {
    VisitEntry(m_latestVisited, IDM_LATEST_VISITED_FIRST, LOWORD(m.wp));
    return 0;
}

// ---- wizards ----

LRESULT CWindowCommands::OnImport(const fw::Msg&) {
    if (m_state.readOnly) return 0;
    CImportWizardSheet sheet(m_edits, &m_tree, m_dialog);
    sheet.DoModal();  // modal over the main window
    return 0;
}

LRESULT CWindowCommands::OnExport(const fw::Msg&) {
    CExportWizardSheet sheet(m_edits, &m_tree, m_dialog);
    sheet.DoModal();
    return 0;
}

// ---- drags ----

LRESULT CWindowCommands::OnBeginFavorDrag(const fw::Msg&) {
    if (m_dragSource && m_treeTarget && m_listTarget)
        BeginFavorDrag(m_list, *m_dragSource, *m_treeTarget, *m_listTarget);
    return 0;
}

LRESULT CWindowCommands::OnBeginFolderDrag(const fw::Msg& m) {
    const auto* nm = reinterpret_cast<const NMTREEVIEWW*>(m.lp);
    if (m_treeTarget && m_listTarget && nm->itemNew.hItem)
        BeginFolderDrag(m_tree, nm->itemNew.hItem, *m_treeTarget, *m_listTarget);
    return 0;
}
