#include "ui/CFolderTreeCtrl.h"
#include "app/AppMessages.h"
#include "framework/ColourScheme.h"
#include "ui/FolderTreeLogic.h"
#include "ui/RedrawOff.h"

namespace {

constexpr int kFolderImage = 0;

}  // namespace

CFolderTreeCtrl::CFolderTreeCtrl() { m_root.name = L"Root"; }

CFolderTreeCtrl::~CFolderTreeCtrl() {
    if (m_hwnd) TreeView_DeleteAllItems(m_hwnd);  // no item may point at a freed record
    m_folders.clear();
    FreeFolderChildren(m_root);
}

void CFolderTreeCtrl::FillTree(FolderRecord& loadedRoot) {
    RedrawOff redraw(m_hwnd);
    // Items go first: deleting the selected item raises a selection change that
    // must not meet freed records.
    TreeView_DeleteAllItems(m_hwnd);
    m_folders.clear();
    FreeFolderChildren(m_root);
    m_root.treeItem = nullptr;

    m_root.subfolders = std::move(loadedRoot.subfolders);
    loadedRoot.subfolders.clear();
    for (FolderRecord* top : m_root.subfolders) top->pid = 0;
    IndexSubtree(m_folders, m_root);

    TVINSERTSTRUCTW is{};
    is.hParent = TVI_ROOT;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    is.item.pszText = const_cast<wchar_t*>(kRootText);
    is.item.iImage = is.item.iSelectedImage = kFolderImage;
    is.item.lParam = reinterpret_cast<LPARAM>(&m_root);
    m_root.treeItem = TreeView_InsertItem(m_hwnd, &is);
    for (FolderRecord* top : m_root.subfolders) InsertSubtree(*top, m_root.treeItem);

    TreeView_Expand(m_hwnd, m_root.treeItem, TVE_EXPAND);
    TreeView_SelectItem(m_hwnd, m_root.treeItem);
}

void CFolderTreeCtrl::ApplyScheme(bool dark) {
    TreeView_SetBkColor(m_hwnd, dark ? fw::kDarkWindow : static_cast<COLORREF>(-1));  // -1: the system's
    TreeView_SetTextColor(m_hwnd, dark ? fw::kDarkText : static_cast<COLORREF>(-1));
    TreeView_SetLineColor(m_hwnd, dark ? fw::SchemePalette().grayText : CLR_DEFAULT);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

FolderRecord* CFolderTreeCtrl::RecordOf(HWND tree, HTREEITEM item) {
    if (!tree || !item) return nullptr;
    TVITEMW tvi{};
    tvi.mask = TVIF_PARAM | TVIF_HANDLE;
    tvi.hItem = item;
    if (!TreeView_GetItem(tree, &tvi)) return nullptr;
    return reinterpret_cast<FolderRecord*>(tvi.lParam);
}

FolderRecord* CFolderTreeCtrl::GetSelectedFolder() const {
    return m_hwnd ? RecordOf(m_hwnd, TreeView_GetSelection(m_hwnd)) : nullptr;
}

FolderRecord* CFolderTreeCtrl::FindFolder(int id) { return FindFolderIn(m_root, m_folders, id); }

const FolderRecord* CFolderTreeCtrl::FindFolder(int id) const {
    return id == 0 ? &m_root : FindFolderIn(const_cast<FolderRecord&>(m_root), m_folders, id);
}

void CFolderTreeCtrl::SelectFolder(int id) {
    const FolderRecord* folder = FindFolder(id);
    HTREEITEM item = folder && folder->treeItem ? folder->treeItem : TreeView_GetRoot(m_hwnd);
    if (item) TreeView_SelectItem(m_hwnd, item);
}

HTREEITEM CFolderTreeCtrl::InsertItem(FolderRecord& folder, HTREEITEM parentItem) {
    TVINSERTSTRUCTW is{};
    is.hParent = parentItem;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    is.item.pszText = const_cast<wchar_t*>(folder.name.c_str());
    is.item.iImage = is.item.iSelectedImage = kFolderImage;
    is.item.lParam = reinterpret_cast<LPARAM>(&folder);
    folder.treeItem = TreeView_InsertItem(m_hwnd, &is);
    return folder.treeItem;
}

void CFolderTreeCtrl::InsertSubtree(FolderRecord& folder, HTREEITEM parentItem) {
    HTREEITEM item = InsertItem(folder, parentItem);
    if (!item) return;
    for (FolderRecord* child : folder.subfolders) InsertSubtree(*child, item);
}

void CFolderTreeCtrl::NotifyFoldersChanged() const {
    if (HWND parent = GetParent(m_hwnd)) SendMessageW(parent, WM_FOLDERS_CHANGED, 0, 0);
}

void CFolderTreeCtrl::AddFolderItem(const FolderRecord& record, bool quiet) {
    FolderRecord* parent = FindFolder(record.pid);
    // An id the tree already shows would leave a record nobody owns.
    if (!parent || record.id == 0 || m_folders.count(record.id)) return;
    auto* folder = new FolderRecord;
    folder->name = record.name;
    folder->id = record.id;
    folder->pid = record.pid;
    m_folders[folder->id] = folder;
    parent->subfolders.push_back(folder);
    InsertItem(*folder, parent->treeItem);
    if (quiet) return;
    if (folder->treeItem) TreeView_SelectItem(m_hwnd, folder->treeItem);
    NotifyFoldersChanged();
}

void CFolderTreeCtrl::SetItemName(FolderRecord& folder) const {
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = folder.treeItem;
    tvi.pszText = const_cast<wchar_t*>(folder.name.c_str());
    TreeView_SetItem(m_hwnd, &tvi);
}

void CFolderTreeCtrl::UpdateFolderItem(const FolderRecord& record) {
    FolderRecord* folder = record.id == 0 ? nullptr : FindFolder(record.id);
    if (!folder) return;
    if (folder->pid == record.pid) {
        folder->name = record.name;
        SetItemName(*folder);
    } else {
        HTREEITEM oldItem = folder->treeItem;
        if (!MoveFolder(m_root, m_folders, *folder, record.pid)) return;
        RedrawOff redraw(m_hwnd);
        folder->name = record.name;
        // The new items come first and take the selection, so that removing the old
        // ones changes no selection and no item ever points at a moved record twice.
        InsertSubtree(*folder, FindFolder(folder->pid)->treeItem);
        if (folder->treeItem) TreeView_SelectItem(m_hwnd, folder->treeItem);
        TreeView_DeleteItem(m_hwnd, oldItem);
    }
    NotifyFoldersChanged();
}

void CFolderTreeCtrl::DeleteFolderItem(int id, std::vector<int>& ids, bool removeItem) {
    FolderRecord* folder = id == 0 ? nullptr : FindFolder(id);
    if (!folder) return;
    if (FolderRecord* parent = FindFolder(folder->pid)) {
        DetachFolder(*parent, folder);
        if (removeItem) {
            // The parent takes the selection before the items go, so no selection
            // change ever lands on a folder that is being removed.
            if (parent->treeItem) TreeView_SelectItem(m_hwnd, parent->treeItem);
            TreeView_DeleteItem(m_hwnd, folder->treeItem);
        }
    }
    FreeSubtree(m_folders, folder, ids);
    NotifyFoldersChanged();
}

bool CFolderTreeCtrl::IsSelfOrDescendant(int folderId, int targetId) const {
    return ::IsSelfOrDescendant(m_folders, folderId, targetId);
}

HTREEITEM CFolderTreeCtrl::ItemAtClientPoint(POINT client) const {
    TVHITTESTINFO hit{};
    hit.pt = client;
    return TreeView_HitTest(m_hwnd, &hit);
}

void CFolderTreeCtrl::SelectItemAtScreenPoint(POINT screen) {
    POINT client = screen;
    if (!ScreenToClient(m_hwnd, &client)) return;
    if (HTREEITEM item = ItemAtClientPoint(client)) TreeView_SelectItem(m_hwnd, item);
}
