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
}

HTREEITEM CFolderTreeCtrl::ItemOf(int id) const {
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

void CFolderTreeCtrl::FillTree(FolderRecord& loadedRoot) {
    RedrawOff redraw(m_hwnd);
    // Items go first: deleting the selected item raises a selection change that
    // must not meet freed records.
    TreeView_DeleteAllItems(m_hwnd);
    m_folders.clear();
    m_items.clear();
    m_root.subfolders = std::move(loadedRoot.subfolders);
    loadedRoot.subfolders.clear();
    for (const auto& top : m_root.subfolders) top->pid = 0;
    IndexSubtree(m_folders, m_root);

    TVINSERTSTRUCTW is{};
    is.hParent = TVI_ROOT;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    is.item.pszText = const_cast<wchar_t*>(kRootText);
    is.item.iImage = is.item.iSelectedImage = kFolderImage;
    is.item.lParam = reinterpret_cast<LPARAM>(&m_root);
    HTREEITEM rootItem = TreeView_InsertItem(m_hwnd, &is);
    m_items[0] = rootItem;
    for (const auto& top : m_root.subfolders) InsertSubtree(*top, rootItem);

    TreeView_Expand(m_hwnd, rootItem, TVE_EXPAND);
    TreeView_SelectItem(m_hwnd, rootItem);
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
    HTREEITEM item = FindFolder(id) ? ItemOf(id) : nullptr;
    if (!item) item = TreeView_GetRoot(m_hwnd);
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
    HTREEITEM item = TreeView_InsertItem(m_hwnd, &is);
    if (item) m_items[folder.id] = item;
    else m_items.erase(folder.id);
    return item;
}

void CFolderTreeCtrl::InsertSubtree(FolderRecord& folder, HTREEITEM parentItem) {
    HTREEITEM item = InsertItem(folder, parentItem);
    if (!item) return;
    for (const auto& child : folder.subfolders) InsertSubtree(*child, item);
}

void CFolderTreeCtrl::NotifyFoldersChanged() const {
    if (HWND parent = GetParent(m_hwnd)) SendMessageW(parent, WM_FOLDERS_CHANGED, 0, 0);
}

void CFolderTreeCtrl::AddFolderItem(const FolderRow& row, bool quiet) {
    FolderRecord* parent = FindFolder(row.pid);
    // One item per folder id.
    if (!parent || row.id <= 0 || m_folders.count(row.id)) return;
    FolderRecord& folder = parent->AddSubfolder();
    folder.name = row.name;
    folder.id = row.id;
    folder.pid = row.pid;
    m_folders[folder.id] = &folder;
    HTREEITEM item = InsertItem(folder, ItemOf(parent->id));
    if (quiet) return;
    if (item) TreeView_SelectItem(m_hwnd, item);
    NotifyFoldersChanged();
}

void CFolderTreeCtrl::SetItemName(FolderRecord& folder) const {
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = ItemOf(folder.id);
    tvi.pszText = const_cast<wchar_t*>(folder.name.c_str());
    TreeView_SetItem(m_hwnd, &tvi);
}

void CFolderTreeCtrl::UpdateFolderItem(const FolderRow& row) {
    FolderRecord* folder = row.id == 0 ? nullptr : FindFolder(row.id);
    if (!folder) return;
    if (folder->pid == row.pid) {
        folder->name = row.name;
        SetItemName(*folder);
    } else {
        HTREEITEM oldItem = ItemOf(folder->id);
        const FolderRecord* selected = GetSelectedFolder();
        const int selectedId = selected ? selected->id : -1;
        const bool selectionMoves = selected && IsSelfOrDescendant(folder->id, selectedId);
        if (!MoveFolder(m_root, m_folders, *folder, row.pid)) return;
        RedrawOff redraw(m_hwnd);
        folder->name = row.name;
        // The new items come first and take the selection when it was among the old
        // ones, so that removing those changes no selection and no item ever points at
        // a moved record twice.
        InsertSubtree(*folder, ItemOf(folder->pid));
        if (selectionMoves)
            if (HTREEITEM moved = ItemOf(selectedId)) TreeView_SelectItem(m_hwnd, moved);
        TreeView_DeleteItem(m_hwnd, oldItem);
    }
    NotifyFoldersChanged();
}

void CFolderTreeCtrl::DeleteFolderItem(int id, std::vector<int>& ids, bool removeItem) {
    FolderRecord* folder = id == 0 ? nullptr : FindFolder(id);
    if (!folder) return;
    FolderRecord* parent = FindFolder(folder->pid);
    if (!parent) return;
    if (removeItem) {
        // The parent takes a selection inside the subtree before the items go, so no
        // selection change ever lands on a folder that is being removed.
        const FolderRecord* selected = GetSelectedFolder();
        if (selected && IsSelfOrDescendant(id, selected->id))
            if (HTREEITEM parentItem = ItemOf(parent->id)) TreeView_SelectItem(m_hwnd, parentItem);
        if (HTREEITEM item = ItemOf(id)) TreeView_DeleteItem(m_hwnd, item);
    }
    const std::unique_ptr<FolderRecord> gone = DetachFolder(*parent, folder);
    if (gone) ForgetSubtree(m_folders, *gone, ids);
    for (int removed : ids) m_items.erase(removed);
    NotifyFoldersChanged();
}

void CFolderTreeCtrl::FoldersAdded(const std::vector<FolderRow>& folders) {
    {
        RedrawOff redraw(m_hwnd);
        for (const FolderRow& row : folders) AddFolderItem(row, true);
    }
    NotifyFoldersChanged();
}

void CFolderTreeCtrl::FoldersChanged(const std::vector<FolderRow>& folders) {
    for (const FolderRow& row : folders) UpdateFolderItem(row);
}

// Parents come first: removing one takes its sub-folders with it.
void CFolderTreeCtrl::FoldersRemoved(const std::vector<int>& ids) {
    RedrawOff redraw(m_hwnd);
    for (int id : ids) {
        std::vector<int> removed;
        if (FindFolder(id)) DeleteFolderItem(id, removed, true);
    }
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
