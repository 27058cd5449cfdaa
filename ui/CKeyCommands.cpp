#include "ui/CKeyCommands.h"
#include "app/AppMessages.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/Seams.h"
#include "edits/FavorEdits.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFavorActions.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFavorMainDlg.h"
#include "ui/CFolderActions.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/KeyRules.h"
#include "ui/MainTexts.h"
#include "ui/dialogs/EditDraft.h"
#include "ui/StoreProblems.h"

namespace {

bool IsEditField(HWND window) {
    wchar_t cls[16] = L"";
    return window && GetClassNameW(window, cls, 16) && lstrcmpiW(cls, L"Edit") == 0;
}

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

constexpr wchar_t kRenameFolder[] = L"Rename Folder";
constexpr wchar_t kRenameFavorite[] = L"Rename Favorite";

// A pane lets its names be edited in place only while F2 asked for it: a click on the
// selected item does not start an edit.
void AllowEditing(HWND pane, LONG_PTR style, bool allow) {
    const LONG_PTR now = GetWindowLongPtrW(pane, GWL_STYLE);
    SetWindowLongPtrW(pane, GWL_STYLE, allow ? (now | style) : (now & ~style));
}

}  // namespace

const fw::MapEntry<CKeyCommands> CKeyCommands::kMap[] = {
    fw::OnCommand(IDM_KEY_DELETE, &Self::OnDelete),
    fw::OnCommand(IDM_KEY_PROPERTIES, &Self::OnProperties),
    fw::OnCommand(IDM_VIEW_FIND, &Self::OnFind),
    fw::OnCommand(IDM_VIEW_REFRESH, &Self::OnRefresh),
    fw::OnCommand(IDM_VIEW_PARENT, &Self::OnParent),
    fw::OnCommand(IDM_EDIT_RENAME, &Self::OnRename),
    fw::OnNotify(IDC_FOLDER_TREE, TVN_BEGINLABELEDITW, &Self::OnBeginFolderRename),
    fw::OnNotify(IDC_FOLDER_TREE, TVN_ENDLABELEDITW, &Self::OnEndFolderRename),
    fw::OnNotify(IDC_FAVOR_LIST, LVN_ENDLABELEDITW, &Self::OnEndFavorRename),
};
bool CKeyCommands::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CKeyCommands::CKeyCommands(CFavorMainDlg& window, FavorEdits& edits, MainWindowState& state, CDetailsPane& details,
                           CFolderTreeCtrl& tree, CFavorListCtrl& list, CFolderActions& folders, CFavorActions& favors)
    : CPaneCommands(edits, state, details, tree, list), m_window(window), m_folders(folders), m_favors(favors) {}

CKeyCommands::~CKeyCommands() = default;

void CKeyCommands::LoadKeys() {
    m_keys = LoadAcceleratorsW(fw::CWinApp::ResourceInstance(), MAKEINTRESOURCEW(IDR_MAINKEYS));
}

bool CKeyCommands::TranslateKey(MSG& msg) {
    if (!m_keys || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return false;
    const KeyPress key{static_cast<unsigned>(msg.wParam), Down(VK_CONTROL), Down(VK_SHIFT), Down(VK_MENU)};
    if (IsEditField(GetFocus()) && EditKeepsKey(key)) return false;
    if (!m_state.isBrowser && IsUndoKey(key)) return false;  // no menu shows what would be undone
    return TranslateAcceleratorW(m_dialog, m_keys, &msg) != 0;
}

bool CKeyCommands::Focused(HWND pane) const { return pane && GetFocus() == pane; }

bool CKeyCommands::OpenFromList() {
    if (!Focused(m_list.Hwnd())) return false;
    m_favors.LaunchSelected();
    return true;
}

LRESULT CKeyCommands::OnDelete(const fw::Msg&) {
    if (Focused(m_list.Hwnd())) m_favors.DeleteFavorites();
    else if (Focused(m_tree.Hwnd())) m_folders.DeleteFolder();
    return 0;
}

LRESULT CKeyCommands::OnProperties(const fw::Msg&) {
    if (Focused(m_tree.Hwnd())) m_folders.EditFolder();
    else m_favors.EditFavorite();
    return 0;
}

LRESULT CKeyCommands::OnFind(const fw::Msg&) {
    HWND search = GetDlgItem(m_dialog, IDC_SEARCH_EDIT);
    SetFocus(search);
    SendMessageW(search, EM_SETSEL, 0, -1);
    return 0;
}

LRESULT CKeyCommands::OnParent(const fw::Msg&) {
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    if (!folder || folder->id == 0) return 0;
    const int parent = folder->pid;
    HWND focus = GetFocus();
    m_tree.SelectFolder(parent);
    if (!m_state.isBrowser) m_window.FollowTreeInFolderList();
    if (focus && IsWindow(focus)) SetFocus(focus);  // the key was pressed where the user is
    return 0;
}

void CKeyCommands::Reload() {
    FolderRecord loaded;
    if (!m_store.LoadFolderTree(loaded)) return TellReadFailed(m_dialog, m_store);
    const FolderRecord* shown = m_tree.GetSelectedFolder();
    const int folderId = shown ? shown->id : 0;
    const FavorRecord* one = m_list.GetSingleSelectedFavor();
    const int favorId = one ? one->id : 0;
    const bool searching = m_state.searchMode;
    HWND focus = GetFocus();
    m_tree.FillTree(loaded);
    m_tree.SelectFolder(folderId);
    SendMessageW(m_dialog, WM_FOLDERS_CHANGED, 0, 0);
    if (!m_state.isBrowser) m_window.FollowTreeInFolderList();
    if (searching) m_favors.Search();
    if (favorId) m_list.SelectRowOf(favorId);
    if (focus && IsWindow(focus)) SetFocus(focus);
}

// ---- names edited in place ----

LRESULT CKeyCommands::OnRename(const fw::Msg&) {
    if (m_state.readOnly) return 0;
    HWND tree = m_tree.Hwnd(), list = m_list.Hwnd();
    if (Focused(tree)) {
        const HTREEITEM item = TreeView_GetSelection(tree);
        AllowEditing(tree, TVS_EDITLABELS, true);
        if (!item || !TreeView_EditLabel(tree, item)) AllowEditing(tree, TVS_EDITLABELS, false);
    } else if (Focused(list) && m_list.SelectedCount() == 1) {
        const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        AllowEditing(list, LVS_EDITLABELS, true);
        if (!ListView_EditLabel(list, row)) AllowEditing(list, LVS_EDITLABELS, false);
    }
    return 0;
}

// Root is no folder of the user's: it keeps its name.
LRESULT CKeyCommands::OnBeginFolderRename(const fw::Msg& m) {
    const auto* info = reinterpret_cast<const NMTVDISPINFOW*>(m.lp);
    const FolderRecord* folder = CFolderTreeCtrl::RecordOf(m_tree.Hwnd(), info->item.hItem);
    const bool refused = !folder || folder->id == 0;
    if (refused) AllowEditing(m_tree.Hwnd(), TVS_EDITLABELS, false);
    return refused;
}

std::wstring CKeyCommands::TypedName(const wchar_t* typed, const wchar_t* emptyText) const {
    const std::wstring name = TrimWhiteSpace(typed);
    if (name.empty()) seams::MessageBox(m_dialog, emptyText, texts::kTipCaption, MB_OK | MB_ICONINFORMATION);
    return name;
}

// The pane shows the new name once the store has it (FALSE: the edit itself sets nothing).
LRESULT CKeyCommands::OnEndFolderRename(const fw::Msg& m) {
    AllowEditing(m_tree.Hwnd(), TVS_EDITLABELS, false);
    const auto* info = reinterpret_cast<const NMTVDISPINFOW*>(m.lp);
    const FolderRecord* folder = CFolderTreeCtrl::RecordOf(m_tree.Hwnd(), info->item.hItem);
    if (!info->item.pszText || !folder || folder->id == 0) return FALSE;  // Esc
    FolderRow row = folder->Row();
    row.name = TypedName(info->item.pszText, texts::kFolderNameEmpty);
    if (row.name.empty() || row.name == folder->name) return FALSE;
    if (!m_edits.ChangeFolder(row, kRenameFolder)) TellSaveFailed(m_dialog, m_store);
    return FALSE;
}

LRESULT CKeyCommands::OnEndFavorRename(const fw::Msg& m) {
    AllowEditing(m_list.Hwnd(), LVS_EDITLABELS, false);
    const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(m.lp);
    const FavorRecord* favor = m_list.RecordAt(info->item.iItem);
    if (!info->item.pszText || !favor) return FALSE;
    FavorRecord changed = *favor;
    changed.name = TypedName(info->item.pszText, texts::kFavorNameEmpty);
    if (changed.name.empty() || changed.name == favor->name) return FALSE;
    if (!m_edits.ChangeFavors({changed}, kRenameFavorite)) TellSaveFailed(m_dialog, m_store);
    return FALSE;
}
