#include "ui/CFavorMainDlg.h"
#include "app/AppMessages.h"
#include "app/CAppSettings.h"
#include "app/InstanceSearch.h"
#include "framework/CWinApp.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/FolderEntries.h"
#include "ui/Hotkeys.h"
#include "framework/WindowDpi.h"
#include "ui/MainLayout.h"
#include "ui/MainTexts.h"
#include "ui/MainWidgets.h"
#include "ui/StoreProblems.h"
#include <algorithm>

namespace {

const int kQuickPanelIds[] = {IDC_MAGIC_ADD,      IDC_MOST_VISITED,      IDC_LATEST_VISITED,
                              IDC_TO_BROWSER_TOP, IDC_TO_BROWSER_BOTTOM, IDC_FOLDER_COMBO};
const int kBrowserIds[] = {IDC_FOLDER_NEW, IDC_FOLDER_EDIT, IDC_FOLDER_DELETE,  IDC_FAVOR_NEW,  IDC_FAVOR_EDIT,
                           IDC_FAVOR_DELETE, IDC_IMPORT,    IDC_EXPORT,         IDC_TO_QUICKPANEL,
                           IDC_SEPARATOR1, IDC_SEPARATOR2,  IDC_SEPARATOR3,     IDC_FOLDER_TREE, IDC_SPLITTER,
                           IDC_STATUS,     IDC_SYNC_STATUS, IDC_DETAILS_TOGGLE};
int ColumnOfCommand(UINT id) {
    switch (id) {
    case IDM_COLUMN_LOCATION: return 1;
    case IDM_COLUMN_TAGS: return 2;
    case IDM_COLUMN_HITS: return 3;
    case IDM_COLUMN_LASTHIT: return 4;
    default: return -1;
    }
}

}  // namespace

const fw::MapEntry<CFavorMainDlg> CFavorMainDlg::kMap[] = {
    fw::OnMessage(WM_SIZE, &Self::OnSize),
    fw::OnMessage(WM_MOVE, &Self::OnMove),
    fw::OnMessage(WM_GETMINMAXINFO, &Self::OnGetMinMaxInfo),
    fw::OnMessage(WM_CLOSE, &Self::OnClose),
    fw::OnMessage(WM_PAINT, &Self::OnPaint),
    fw::OnMessage(WM_QUERYDRAGICON, &Self::OnQueryDragIcon),
    fw::OnMessage(WM_DESTROY, &Self::OnDestroy),
    fw::OnMessage(WM_FOLDERS_CHANGED, &Self::OnFoldersChanged),
    fw::OnMessage(WM_SHOWINSTANCE, &Self::OnShowInstance),
    fw::OnMessage(WM_DPICHANGED, &Self::OnDpiChanged),
    fw::OnNotify(IDC_SPLITTER, SPN_DRAGGED, &Self::OnSplitterDragged),
    // Notifications that come once per row or item while the panes fill and empty;
    // nobody needs them, so they stop here instead of being handed back to the pane.
    fw::OnNotify(IDC_FAVOR_LIST, LVN_INSERTITEM, &Self::OnPaneBulkNotify),
    fw::OnNotify(IDC_FAVOR_LIST, LVN_DELETEITEM, &Self::OnPaneBulkNotify),
    fw::OnNotify(IDC_FAVOR_LIST, LVN_ITEMCHANGING, &Self::OnPaneBulkNotify),
    fw::OnNotify(IDC_FAVOR_LIST, LVN_DELETEALLITEMS, &Self::OnDeleteAllRows),
    fw::OnNotify(IDC_FOLDER_TREE, TVN_DELETEITEMW, &Self::OnPaneBulkNotify),
    fw::OnCommand(IDM_FILE_HIDE, &Self::OnHide),
    fw::OnCommand(IDM_FILE_CLOSE, &Self::OnExit),
    fw::OnCommand(IDM_TO_QUICKPANEL, &Self::OnToQuickPanel),
    fw::OnCommand(IDC_TO_QUICKPANEL, &Self::OnToQuickPanel),
    fw::OnCommand(IDC_TO_BROWSER_TOP, &Self::OnToBrowser),
    fw::OnCommand(IDC_TO_BROWSER_BOTTOM, &Self::OnToBrowser),
    fw::OnCommand(IDM_SELECT_ALL, &Self::OnSelectAll),
    fw::OnCommand(IDM_LIST_SELECT_ALL, &Self::OnSelectAll),
    fw::OnCommand(IDM_INVERT_SELECTION, &Self::OnInvertSelection),
    fw::OnCommand(IDM_LIST_INVERT, &Self::OnInvertSelection),
    fw::OnCommand(IDM_COLUMN_LOCATION, &Self::OnToggleColumn),
    fw::OnCommand(IDM_COLUMN_TAGS, &Self::OnToggleColumn),
    fw::OnCommand(IDM_COLUMN_HITS, &Self::OnToggleColumn),
    fw::OnCommand(IDM_COLUMN_LASTHIT, &Self::OnToggleColumn),
    fw::OnCommandRange(IDM_SORT_NAME, IDM_SORT_LASTHIT, &Self::OnSortBy),
    fw::OnCommand(IDM_ORDER_ASC, &Self::OnSortOrder),
    fw::OnCommand(IDM_ORDER_DESC, &Self::OnSortOrder),
    fw::OnCommand(IDC_DETAILS_TOGGLE, &Self::OnToggleDetails),
    fw::OnCommand(IDC_FOLDER_COMBO, CBN_SELCHANGE, &Self::OnFolderChosen),
    fw::OnCommand(IDM_EDIT_UNDO, &Self::OnUndo),
    fw::OnCommand(IDM_EDIT_REDO, &Self::OnRedo),
};
bool CFavorMainDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || m_folders.Dispatch(m, result) || m_favors.Dispatch(m, result) ||
           m_commands.Dispatch(m, result) || m_keys.Dispatch(m, result) || m_clipboard.Dispatch(m, result) ||
           m_cleanup.Dispatch(m, result) || m_backups.Dispatch(m, result) || m_sync.Dispatch(m, result) ||
           CDialog::Dispatch(m, result);
}

CFavorMainDlg::CFavorMainDlg(CFavorStore& store, CAppSettings& settings)
    : CDialog(IDD_MAIN),
      m_store(store),
      m_settings(settings),
      m_edits(store),
      m_folders(m_edits, m_state, m_details, m_tree, m_list),
      m_favors(m_edits, m_state, m_details, m_tree, m_list),
      m_cleanup(m_edits, m_state, m_details, m_tree, m_list, m_favors),
      m_commands(*this, m_edits, m_state, m_details, m_tree, m_list, m_favors),
      m_keys(*this, m_edits, m_state, m_details, m_tree, m_list, m_folders, m_favors),
      m_clipboard(m_edits, m_state, m_details, m_tree, m_list),
      m_backups(m_edits, m_state, m_details, m_tree, m_list),
      m_sync(m_edits, settings, m_state, m_details, m_tree, m_list),
      m_widgets(std::make_unique<MainWidgets>()) {
    m_icon = LoadIconW(fw::CWinApp::ResourceInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CFavorMainDlg::~CFavorMainDlg() {
    // A modeless window still up goes while this object can answer its WM_DESTROY.
    if (Hwnd() && !IsModal()) DestroyWindow(Hwnd());
    m_edits.RemoveWatcher(this);
    m_edits.RemoveWatcher(&m_backups);
    for (IFavorViews* view : {static_cast<IFavorViews*>(&m_tree), static_cast<IFavorViews*>(&m_list),
                              static_cast<IFavorViews*>(this)})
        m_edits.RemoveView(view);
}

// ---- initialisation ----

BOOL CFavorMainDlg::OnInitDialog() {
    const int dpi = fw::WindowDpi(m_hwnd);
    fw::KeepDialogFromRescaling(m_hwnd);  // the window follows a new scale itself
    m_placement.Attach(m_hwnd, *m_widgets, dpi);
    m_widgets->KeepTemplateFont(m_hwnd, dpi);
    MarkInstanceWindow(m_hwnd);
    m_menu.reset(LoadMenuW(fw::CWinApp::ResourceInstance(), MAKEINTRESOURCEW(IDR_MAINMENU)));
    m_state.menuBar = m_menu.get();
    m_details.Attach(m_hwnd);
    m_folders.Attach(m_hwnd);
    m_favors.Attach(m_hwnd);
    m_cleanup.Attach(m_hwnd);
    m_commands.Attach(m_hwnd);
    m_keys.Attach(m_hwnd);
    m_keys.LoadKeys();
    m_clipboard.Attach(m_hwnd);
    m_backups.Attach(m_hwnd);
    m_sync.Attach(m_hwnd);
    RegisterHotkeysAtStart(m_hwnd, m_settings);

    m_placement.PlaceToolbar();
    m_widgets->AttachButtons(m_hwnd);
    InitPanes();
    m_commands.RegisterDropTargets();
    m_widgets->ApplyDpi(m_hwnd, m_tree.Hwnd(), m_list.Hwnd(), dpi);
    m_widgets->CreateSplitter(m_hwnd);
    m_widgets->NameControls(m_hwnd);
    DrawDetailsToggle();
    m_widgets->CreateTray(m_hwnd);
    SetItemText(IDC_STATUS, texts::kReady);
    m_state.readOnly = m_store.IsReadOnly();  // start-up found the file cannot be written
    if (m_state.readOnly) DisableChangeCommands(m_hwnd, m_menu.get());
    UpdateUndoMenu();

    FolderRecord loaded;
    const bool treeRead = m_store.LoadFolderTree(loaded);
    m_tree.FillTree(loaded);

    m_state.isBrowser = m_settings.ReadBrowserMode();
    // The Quick Panel's folder list is built when it is first shown: a start in the
    // Favorite Browser does not pay for a list of every folder it never shows.
    if (!m_state.isBrowser) {
        RebuildFolderCombo();
        SendDlgItemMessageW(m_hwnd, IDC_FOLDER_COMBO, CB_SETCURSEL, 0, 0);
    }
    m_state.topMost = m_settings.ReadTopMost();
    m_settings.ReadWindowRect(true, m_state.browserRect);
    m_settings.ReadWindowRect(false, m_state.quickPanelRect);
    SwitchMode(m_state.isBrowser);
    m_state.suppressTracking = false;
    if (!treeRead) PostReadFailed(m_hwnd, m_store);  // told once the window shows, not as an empty tree
    if (m_keepDailyBackups) m_backups.StartDailyBackups();  // the window is shown: it never waits for it
    m_sync.Start();  // the first sync comes once the window is up
    return FALSE;  // SwitchMode placed the focus
}

void CFavorMainDlg::InitPanes() {
    m_tree.SubclassDlgItem(m_hwnd, IDC_FOLDER_TREE);
    m_list.SubclassDlgItem(m_hwnd, IDC_FAVOR_LIST);
    m_tree.SetList(&m_list);
    m_list.SetTree(&m_tree);
    m_list.InitColumns(m_placement.Dpi());
    m_edits.AddView(&m_tree);
    m_edits.AddView(&m_list);
    m_edits.AddView(this);
    m_edits.AddWatcher(this);
    m_edits.AddWatcher(&m_backups);  // a copy before an import, a Clean Up, a sync that removes
}

void CFavorMainDlg::DrawDetailsToggle() const {
    SetItemText(IDC_DETAILS_TOGGLE, m_state.detailsExpanded ? L"v" : L"^");
}

// ---- modes ----

void CFavorMainDlg::ShowBrowserControls(bool show) {
    for (int id : kBrowserIds) ShowItem(id, show);
}

void CFavorMainDlg::ShowQuickPanelControls(bool show) {
    for (int id : kQuickPanelIds) ShowItem(id, show);
}

void CFavorMainDlg::AttachMenuBar(bool attach) {
    SuppressTracking quiet(m_state);
    SetMenu(m_hwnd, attach ? m_menu.get() : nullptr);
}

void CFavorMainDlg::SwitchMode(bool browser) {
    m_state.isBrowser = browser;
    if (browser) {
        ShowQuickPanelControls(false);
        SetText(texts::kBrowserTitle);
        AttachMenuBar(true);
        ShowBrowserControls(true);
        m_details.Show(m_state.detailsExpanded ? DetailsShown::All : DetailsShown::None);
        m_list.UpdateViewMenuChecks(m_menu.get());
        m_folders.UpdateFolderStates();
        m_favors.UpdateFavorStates(true);
        // The pane shows what it holds: the folder's name row or the favorite's fields.
        if (m_state.detailsExpanded) m_details.ShowFor(m_state.detailsKind);
    } else {
        AttachMenuBar(false);
        ShowBrowserControls(false);
        m_details.Show(DetailsShown::None);
        SetText(texts::kQuickPanelTitle);
        ShowQuickPanelControls(true);
    }
    ApplyTopMostRule();
    const RECT& r = browser ? m_state.browserRect : m_state.quickPanelRect;
    MoveWindow(m_hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    LayOut();  // also when the size did not change
    if (!IsWindowVisible(m_hwnd)) ShowAndActivate();
    SetFocus(m_hwnd);
    if (!browser) SetFocus(Item(IDC_SEARCH_EDIT));
}

void CFavorMainDlg::ApplyTopMostRule() {
    const bool top = !m_state.isBrowser || m_state.topMost;
    SetWindowPos(m_hwnd, top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CFavorMainDlg::ShowAndActivate() {
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
}

void CFavorMainDlg::ShowFavoriteBrowser() {
    if (m_state.favorDlgOpen || m_state.captureDlgOpen) return ShowAndActivate();
    if (m_state.isBrowser) {
        ShowAndActivate();
        SetFocus(m_hwnd);
        return;
    }
    const int chosen = ChosenFolderId();
    if (chosen >= 0) {
        SuppressTracking quiet(m_state);
        m_tree.SelectFolder(chosen);
    }
    m_state.isBrowser = true;
    SwitchMode(true);
}

void CFavorMainDlg::ShowQuickPanel() {
    if (m_state.favorDlgOpen || m_state.captureDlgOpen) return ShowAndActivate();
    if (!m_state.isBrowser) {
        if (!IsWindowVisible(m_hwnd)) ShowAndActivate();
        SetFocus(m_hwnd);
        SetFocus(Item(IDC_SEARCH_EDIT));
        return;
    }
    m_state.suppressTracking = true;
    if (m_state.folderComboStale) RebuildFolderCombo();
    const FolderRecord* selected = m_tree.GetSelectedFolder();
    const auto entries = FolderEntries(m_tree.GetRootFolder());
    const size_t index = selected ? FolderEntryIndex(entries, selected->id) : 0;
    SendDlgItemMessageW(m_hwnd, IDC_FOLDER_COMBO, CB_SETCURSEL, index, 0);
    m_state.suppressTracking = false;
    m_state.isBrowser = false;
    SwitchMode(false);
}

void CFavorMainDlg::HideToTray() { ShowWindow(m_hwnd, SW_HIDE); }

void CFavorMainDlg::SaveStateAndExit() {
    if (IsWindowVisible(m_hwnd)) ShowWindow(m_hwnd, SW_HIDE);
    m_widgets->RemoveTrayIcon();
    m_settings.WriteBrowserMode(m_state.isBrowser);
    m_settings.WriteWindowRect(true, m_state.browserRect);
    m_settings.WriteWindowRect(false, m_state.quickPanelRect);
    m_state.closing = true;
    EndDialog(IDOK);
}

// ---- Quick Panel folder list ----

// Entries carry folder ids, so a folder deleted since the list was built is never
// reached through a freed record.
void CFavorMainDlg::RebuildFolderCombo() {
    HWND combo = Item(IDC_FOLDER_COMBO);
    SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const FolderEntry& e : FolderEntries(m_tree.GetRootFolder())) {
        const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text.c_str()));
        if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, at, e.folder->id);
    }
    SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
    m_state.folderComboStale = false;
}

void CFavorMainDlg::FollowTreeInFolderList() {
    SuppressTracking quiet(m_state);
    RebuildFolderCombo();
    const FolderRecord* selected = m_tree.GetSelectedFolder();
    const size_t index = selected ? FolderEntryIndex(FolderEntries(m_tree.GetRootFolder()), selected->id) : 0;
    SendDlgItemMessageW(m_hwnd, IDC_FOLDER_COMBO, CB_SETCURSEL, index, 0);
}

int CFavorMainDlg::ChosenFolderId() const {
    const LRESULT at = SendDlgItemMessageW(m_hwnd, IDC_FOLDER_COMBO, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return -1;
    return static_cast<int>(SendDlgItemMessageW(m_hwnd, IDC_FOLDER_COMBO, CB_GETITEMDATA, at, 0));
}

LRESULT CFavorMainDlg::OnFolderChosen(const fw::Msg&) {
    if (m_state.suppressTracking) return 0;
    const int chosen = ChosenFolderId();
    if (chosen >= 0) m_tree.SelectFolder(chosen);
    return 0;
}

// ---- layout and window rectangles ----

void CFavorMainDlg::LayOut() { m_placement.LayOut(m_state.isBrowser, m_state.detailsExpanded); }

// While minimised the window sits off screen; its last real rectangle is kept.
void CFavorMainDlg::TrackWindowRect() {
    if (m_state.suppressTracking || IsIconic(m_hwnd)) return;
    GetWindowRect(m_hwnd, m_state.isBrowser ? &m_state.browserRect : &m_state.quickPanelRect);
}

LRESULT CFavorMainDlg::OnSize(const fw::Msg&) {
    LayOut();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    TrackWindowRect();
    return 0;
}

LRESULT CFavorMainDlg::OnMove(const fw::Msg&) {
    TrackWindowRect();
    return 0;
}

LRESULT CFavorMainDlg::OnGetMinMaxInfo(const fw::Msg& m) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.lp);
    const layout::Size least = m_placement.MinWindowSize(m_state.isBrowser);
    info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, least.w);
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, least.h);
    return 0;
}

LRESULT CFavorMainDlg::OnSplitterDragged(const fw::Msg& m) {
    m_placement.DragTree(MainWidgets::SplitterDelta(m.lp), m_state.detailsExpanded);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    UpdateWindow(m_hwnd);
    return 0;
}

LRESULT CFavorMainDlg::OnToggleDetails(const fw::Msg&) {
    if (m_state.detailsExpanded) m_details.Show(DetailsShown::None);
    else m_details.ShowFor(m_state.detailsKind);
    m_state.detailsExpanded = !m_state.detailsExpanded;
    DrawDetailsToggle();
    m_placement.PlaceListArea(m_state.detailsExpanded);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return 0;
}

// ---- system messages ----

// The window moved to a monitor of another scale (or the scale changed): it takes the
// rectangle the system suggests and redoes fonts, icons and layout for the new scale.
LRESULT CFavorMainDlg::OnDpiChanged(const fw::Msg& m) {
    const int dpi = LOWORD(m.wp);
    const int old = m_placement.Dpi();
    if (dpi <= 0) return 0;
    m_placement.SetDpi(dpi);
    m_widgets->ApplyDpi(m_hwnd, m_tree.Hwnd(), m_list.Hwnd(), dpi);
    m_list.ScaleColumnWidths(old, dpi);
    if (fw::IsDarkScheme()) m_widgets->FollowScheme(m_menu.get(), true, dpi);  // the menu bar's entries at the new size
    m_placement.PlaceToolbar();
    const auto* r = reinterpret_cast<const RECT*>(m.lp);
    if (r) SetWindowPos(m_hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                        SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();  // also when the size stayed
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return 0;
}

// The panes, the menu bar and the splitter in the new colours (the dialog, its fields,
// labels and status line follow through the framework).
void CFavorMainDlg::OnSchemeChanged(fw::Scheme previous) {
    const bool dark = fw::IsDarkScheme();
    if (!dark && previous != fw::Scheme::Dark) return;  // the system's colours throughout
    m_tree.ApplyScheme(dark);
    m_list.ApplyScheme(dark);
    m_widgets->FollowScheme(m_menu.get(), dark, m_placement.Dpi());
    if (GetMenu(m_hwnd)) DrawMenuBar(m_hwnd);
    RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

LRESULT CFavorMainDlg::OnPaint(const fw::Msg& m) {
    if (!IsIconic(m_hwnd) || !m_icon) {
        m.passOn = true;
        return 0;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    const int x = (rc.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_icon);
    EndPaint(m_hwnd, &ps);
    return 0;
}

LRESULT CFavorMainDlg::OnDestroy(const fw::Msg& m) {
    SetMenu(m_hwnd, nullptr);  // the menu bar stays ours to free, attached or not
    m_sync.Stop();
    m_commands.RevokeDropTargets();
    m_clipboard.ReleaseClipboard();
    m_backups.Stop();
    UnregisterHotkeyAtom(m_hwnd, m_settings.m_activateHotkeyId);  // the keys go with the window
    UnregisterHotkeyAtom(m_hwnd, m_settings.m_addFavorHotkeyId);
    m.passOn = true;
    return 0;
}

// A second copy was started. With a modal dialog up, the user goes back to that dialog,
// not to the window it disables.
LRESULT CFavorMainDlg::OnShowInstance(const fw::Msg&) {
    ShowWindow(m_hwnd, SW_SHOW);
    if (m_commands.FrontModalDialog()) return 0;
    SetFocus(m_hwnd);
    SetForegroundWindow(m_hwnd);
    return 0;
}

// The window's keys first; then Up and Down in the search box move the list's selection,
// and the key still goes on.
bool CFavorMainDlg::PreTranslateMessage(MSG& msg) {
    if (m_keys.TranslateKey(msg)) return true;
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_UP && msg.wParam != VK_DOWN)) return false;
    HWND search = Item(IDC_SEARCH_EDIT);
    if (msg.hwnd != search) return false;
    if (msg.wParam == VK_UP) m_list.SelectPrevious();
    else m_list.SelectNext();
    if (m_state.isBrowser) SetFocus(search);
    return false;
}

// Enter never closes the window: in the search box it opens the selected favorite, in
// the list the selected favorites.
void CFavorMainDlg::OnOK() {
    if (m_state.closing) return EndDialog(IDOK);
    if (!m_favors.LaunchFromSearchBox()) m_keys.OpenFromList();
}

// ---- commands routed to the list ----

LRESULT CFavorMainDlg::OnSelectAll(const fw::Msg&) {
    m_list.SelectAll();
    return 0;
}

LRESULT CFavorMainDlg::OnInvertSelection(const fw::Msg&) {
    m_list.InvertSelection();
    return 0;
}

LRESULT CFavorMainDlg::OnToggleColumn(const fw::Msg& m) {
    const int column = ColumnOfCommand(LOWORD(m.wp));
    if (column < 0) return 0;
    m_list.SetColumnVisible(column, !m_list.IsColumnVisible(column));
    m_list.UpdateViewMenuChecks(m_menu.get());
    return 0;
}

LRESULT CFavorMainDlg::OnSortBy(const fw::Msg& m) {
    m_list.SortByCommand(LOWORD(m.wp) - IDM_SORT_NAME);
    m_list.UpdateViewMenuChecks(m_menu.get());
    return 0;
}

// ---- undo and redo ----

// A step the store refuses to take back stays where it is, and the user hears why.
LRESULT CFavorMainDlg::OnUndo(const fw::Msg&) {
    if (!m_edits.Undo() && m_edits.CanUndo()) TellSaveFailed(m_hwnd, m_store);
    return 0;
}

LRESULT CFavorMainDlg::OnRedo(const fw::Msg&) {
    if (!m_edits.Redo() && m_edits.CanRedo()) TellSaveFailed(m_hwnd, m_store);
    return 0;
}

void CFavorMainDlg::AfterChange(const EditStep&) { UpdateUndoMenu(); }

void CFavorMainDlg::UpdateUndoMenu() {
    const auto set = [this](UINT id, bool can, const std::wstring& text) {
        ModifyMenuW(m_menu.get(), id, MF_BYCOMMAND | MF_STRING | (can ? MF_ENABLED : MF_GRAYED), id, text.c_str());
    };
    set(IDM_EDIT_UNDO, m_edits.CanUndo(), texts::UndoMenuText(m_edits.UndoName()));
    set(IDM_EDIT_REDO, m_edits.CanRedo(), texts::RedoMenuText(m_edits.RedoName()));
    if (fw::IsDarkScheme()) m_widgets->FollowScheme(m_menu.get(), true, m_placement.Dpi());  // the new texts drawn dark
    if (GetMenu(m_hwnd)) DrawMenuBar(m_hwnd);
}

void CFavorMainDlg::Reloaded() {
    FolderRecord loaded;
    if (!m_store.LoadFolderTree(loaded)) TellReadFailed(m_hwnd, m_store);
    m_tree.FillTree(loaded);  // selects the root, which lists its favorites again
    m_state.folderComboStale = true;
    if (!m_state.isBrowser) RebuildFolderCombo();
    UpdateUndoMenu();
}

LRESULT CFavorMainDlg::OnSortOrder(const fw::Msg& m) {
    m_list.SetAscending(LOWORD(m.wp) == IDM_ORDER_ASC);
    m_list.UpdateViewMenuChecks(m_menu.get());
    return 0;
}
