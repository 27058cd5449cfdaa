#include "ui/CKeyCommands.h"
#include "app/AppMessages.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFavorActions.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFavorMainDlg.h"
#include "ui/CFolderActions.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/KeyRules.h"
#include "ui/StoreProblems.h"

namespace {

bool IsEditField(HWND window) {
    wchar_t cls[16] = L"";
    return window && GetClassNameW(window, cls, 16) && lstrcmpiW(cls, L"Edit") == 0;
}

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

const fw::MapEntry<CKeyCommands> CKeyCommands::kMap[] = {
    fw::OnCommand(IDM_KEY_DELETE, &Self::OnDelete),
    fw::OnCommand(IDM_KEY_PROPERTIES, &Self::OnProperties),
    fw::OnCommand(IDM_VIEW_FIND, &Self::OnFind),
    fw::OnCommand(IDM_VIEW_REFRESH, &Self::OnRefresh),
    fw::OnCommand(IDM_VIEW_PARENT, &Self::OnParent),
    fw::OnCommand(IDM_EDIT_COPY, &Self::OnCopy),
};
bool CKeyCommands::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CKeyCommands::CKeyCommands(CFavorMainDlg& window, FavorEdits& edits, MainWindowState& state, CDetailsPane& details,
                           CFolderTreeCtrl& tree, CFavorListCtrl& list, CFolderActions& folders, CFavorActions& favors)
    : CPaneCommands(edits, state, details, tree, list), m_window(window), m_folders(folders), m_favors(favors) {}

CKeyCommands::~CKeyCommands() { ReleaseClipboard(); }

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

LRESULT CKeyCommands::OnCopy(const fw::Msg&) {
    const std::vector<FavorRecord*> selected = m_list.GetSelectedFavors();
    if (selected.empty()) return 0;
    fw::ComPtr<CFavorDataSource> source;
    source.attach(new CFavorDataSource);
    if (!source->SetFavors(std::vector<const FavorRecord*>(selected.begin(), selected.end()), true)) return 0;
    if (FAILED(OleSetClipboard(source.get()))) return 0;  // another program holds the clipboard open
    m_clipboard = std::move(source);
    return 0;
}

void CKeyCommands::ReleaseClipboard() {
    if (m_clipboard && OleIsCurrentClipboard(m_clipboard.get()) == S_OK) OleFlushClipboard();
    m_clipboard = {};
}
