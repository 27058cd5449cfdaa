#include "dnd/DropTargets.h"
#include "app/AppMessages.h"
#include "edits/FavorEdits.h"
#include "store/CFavorStore.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/StoreProblems.h"
#include <commctrl.h>

namespace {

// Links of a drop: the shortcut files when there are any, else the dragged link.
// `read` tells whether the data could be read at all.
std::vector<DroppedLink> LinksOf(IDataObject* data, bool& read) {
    if (fw::HasFormat(data, CF_HDROP)) {
        auto files = ReadDroppedShortcuts(data);
        read = files.has_value();
        return files ? *files : std::vector<DroppedLink>{};
    }
    auto link = ReadDraggedLink(data);
    read = link.has_value();
    return link ? std::vector<DroppedLink>{*link} : std::vector<DroppedLink>{};
}

std::vector<FavorRecord> RecordsFor(const std::vector<DroppedLink>& links, int folderId) {
    std::vector<FavorRecord> records;
    for (const DroppedLink& link : links) {
        FavorRecord& r = records.emplace_back();
        r.pid = folderId;
        r.name = link.name;
        r.location = link.location;
    }
    return records;
}

// A store that cannot write takes no drop at all: each would add or move something.
bool Refused(const FavorEdits& edits) { return edits.Store().IsReadOnly(); }

DWORD CopyIfLinks(const FavorEdits& edits, IDataObject* data) {
    return !Refused(edits) && OffersLinks(data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

constexpr wchar_t kDrop[] = L"Drop";
constexpr wchar_t kMoveFolder[] = L"Move Folder";

}  // namespace

bool StoreDroppedLinks(FavorEdits& edits, const std::vector<DroppedLink>& links, int folderId, HWND pane,
                       const wchar_t* stepName) {
    std::vector<FavorRecord> records = RecordsFor(links, folderId);
    if (edits.AddFavors(records, stepName)) return true;
    PostSaveFailed(GetParent(pane), edits.Store());
    return false;
}

void AutoScrollNearEdge(HWND window, POINT screen) {
    RECT rc;
    if (!GetClientRect(window, &rc) || !ScreenToClient(window, &screen)) return;
    constexpr int kEdge = 12;
    if (screen.y >= 0 && screen.y < kEdge) SendMessageW(window, WM_VSCROLL, SB_LINEUP, 0);
    else if (screen.y < rc.bottom && screen.y >= rc.bottom - kEdge) SendMessageW(window, WM_VSCROLL, SB_LINEDOWN, 0);
}

// ---- favorites list ----

DWORD CFavorListDropTarget::OnDragEnter(IDataObject* data, DWORD, POINT) {
    return dragMode != 0 ? DROPEFFECT_NONE : CopyIfLinks(m_edits, data);
}

DWORD CFavorListDropTarget::OnDragOver(IDataObject* data, DWORD keys, POINT pt) { return OnDragEnter(data, keys, pt); }

void CFavorListDropTarget::OnDragScroll(POINT pt) {
    if (dragMode == 0) AutoScrollNearEdge(m_list.Hwnd(), pt);
}

bool CFavorListDropTarget::OnDrop(IDataObject* data, DWORD, POINT) {
    if (dragMode != 0 || Refused(m_edits)) return false;
    bool read = false;
    const std::vector<DroppedLink> links = LinksOf(data, read);
    const FolderRecord* folder = m_list.Tree() ? m_list.Tree()->GetSelectedFolder() : nullptr;
    if (!folder) return false;
    StoreDroppedLinks(m_edits, links, folder->id, m_list.Hwnd(), kDrop);
    return fw::HasFormat(data, CF_HDROP) ? read : !links.empty();
}

// ---- folder tree ----

void CFolderTreeDropTarget::ClearHighlight() const {
    TreeView_SelectDropTarget(m_tree.Hwnd(), nullptr);
}

DWORD CFolderTreeDropTarget::OnDragEnter(IDataObject* data, DWORD, POINT) {
    if (Refused(m_edits)) return DROPEFFECT_NONE;
    return dragMode == DragExternal ? CopyIfLinks(m_edits, data) : DROPEFFECT_MOVE;
}

DWORD CFolderTreeDropTarget::EffectFor(IDataObject* data) const {
    HWND tree = m_tree.Hwnd();
    const HTREEITEM highlighted = TreeView_GetDropHilight(tree);
    const FolderRecord* target = highlighted ? CFolderTreeCtrl::RecordOf(tree, highlighted) : nullptr;
    if (Refused(m_edits)) return DROPEFFECT_NONE;
    switch (dragMode) {
    case DragExternal: return CopyIfLinks(m_edits, data);
    case DragFolder: {
        const HTREEITEM selected = TreeView_GetSelection(tree);
        const FolderRecord* dragged = selected ? CFolderTreeCtrl::RecordOf(tree, selected) : nullptr;
        return dragged && target && !m_tree.IsSelfOrDescendant(dragged->id, target->id) ? DROPEFFECT_MOVE
                                                                                       : DROPEFFECT_NONE;
    }
    case DragFavors:
        return target && m_tree.List() && m_tree.List()->SelectedCount() > 0 ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    default: return DROPEFFECT_NONE;
    }
}

void CFolderTreeDropTarget::OnDragScroll(POINT pt) { AutoScrollNearEdge(m_tree.Hwnd(), pt); }

DWORD CFolderTreeDropTarget::OnDragOver(IDataObject* data, DWORD, POINT pt) {
    HWND tree = m_tree.Hwnd();
    POINT client = pt;
    ScreenToClient(tree, &client);
    if (HTREEITEM item = m_tree.ItemAtClientPoint(client)) {
        TreeView_Expand(tree, item, TVE_EXPAND);
        TreeView_SelectDropTarget(tree, item);
    }
    return EffectFor(data);
}

void CFolderTreeDropTarget::OnDragLeave() { ClearHighlight(); }

bool CFolderTreeDropTarget::OnDrop(IDataObject* data, DWORD, POINT) {
    HWND tree = m_tree.Hwnd();
    const HTREEITEM highlighted = TreeView_GetDropHilight(tree);
    FolderRecord* target = highlighted ? CFolderTreeCtrl::RecordOf(tree, highlighted) : nullptr;
    if (Refused(m_edits)) {
        ClearHighlight();
        return false;
    }
    switch (dragMode) {
    case DragExternal: return DropLinks(data, target);
    case DragFolder: {
        if (EffectFor(data) != DROPEFFECT_MOVE) return false;
        const FolderRecord* dragged = CFolderTreeCtrl::RecordOf(tree, TreeView_GetSelection(tree));
        const FolderRow moved{dragged->id, target->id, dragged->name};
        ClearHighlight();
        if (!m_edits.ChangeFolder(moved, kMoveFolder)) {  // the folder stays where the file has it
            PostSaveFailed(GetParent(tree), m_edits.Store());
            return false;
        }
        return true;
    }
    case DragFavors: return MoveFavors(target);
    default: return false;
    }
}

bool CFolderTreeDropTarget::DropLinks(IDataObject* data, const FolderRecord* target) {
    bool read = false;
    const std::vector<DroppedLink> links = LinksOf(data, read);
    const bool reported = fw::HasFormat(data, CF_HDROP) ? read : !links.empty();
    ClearHighlight();
    if (!target || links.empty()) return target && reported;  // nothing usable: no folder is chosen
    const int targetId = target->id;
    StoreDroppedLinks(m_edits, links, targetId, m_tree.Hwnd(), kDrop);  // listed at once when the folder is shown
    m_tree.SelectFolder(targetId);  // a new selection reloads the list from the store
    return reported;
}

// Each row keeps its folder until the store has its move.
bool CFolderTreeDropTarget::MoveFavors(const FolderRecord* target) {
    const FolderRecord* source = m_tree.GetSelectedFolder();
    CFavorListCtrl* list = m_tree.List();
    if (source && target && source->id == target->id) {
        ClearHighlight();
        return false;
    }
    if (!source || !target || !list || list->SelectedCount() == 0) return false;
    ClearHighlight();
    std::vector<int> ids;
    for (const FavorRecord* favor : list->GetSelectedFavors()) ids.push_back(favor->id);
    if (m_edits.MoveFavors(ids, target->id)) return true;  // the rows leave the folder shown
    PostSaveFailed(GetParent(m_tree.Hwnd()), m_edits.Store());
    return false;
}

// ---- Magic Add button ----

DWORD CMagicAddDropTarget::OnDragEnter(IDataObject* data, DWORD, POINT) { return CopyIfLinks(m_edits, data); }
DWORD CMagicAddDropTarget::OnDragOver(IDataObject* data, DWORD keys, POINT pt) { return OnDragEnter(data, keys, pt); }

bool CMagicAddDropTarget::OnDrop(IDataObject* data, DWORD, POINT) {
    if (Refused(m_edits)) return false;
    std::optional<DroppedLink> link;
    if (fw::HasFormat(data, CF_HDROP)) {
        auto files = ReadDroppedShortcuts(data);
        if (!files) return false;
        if (!files->empty()) link = files->front();  // later files are ignored
        else return true;                            // the list was read; nothing in it to use
    } else {
        link = ReadDraggedLink(data);
    }
    if (!link) return false;
    auto* record = new FavorRecord;
    record->name = link->name;
    record->location = link->location;
    if (!PostMessageW(m_mainWindow, WM_FAVOR_CAPTURED, reinterpret_cast<WPARAM>(record), 0)) {
        delete record;
        return false;
    }
    return true;
}
