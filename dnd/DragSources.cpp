#include "dnd/DragSources.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderTreeCtrl.h"

namespace {

// Sets both targets' modes for one drag and puts them back however it ends.
class DragModes {
public:
    DragModes(CFolderTreeDropTarget& tree, CFavorListDropTarget& list, int treeMode) : m_tree(tree), m_list(list) {
        m_tree.dragMode = treeMode;
        m_list.dragMode = 1;
    }
    ~DragModes() {
        m_tree.dragMode = DragExternal;
        m_list.dragMode = 0;
    }

private:
    CFolderTreeDropTarget& m_tree;
    CFavorListDropTarget& m_list;
};

}  // namespace

DWORD BeginFavorDrag(CFavorListCtrl& list, CFavorDataSource& source, CFolderTreeDropTarget& treeTarget,
                     CFavorListDropTarget& listTarget) {
    const std::vector<FavorRecord*> selected = list.GetSelectedFavors();
    if (selected.empty()) return DROPEFFECT_NONE;
    DragModes modes(treeTarget, listTarget, DragFavors);
    // Without its blocks the drag would offer nothing; then there is no drag at all.
    if (!source.SetFavors(std::vector<const FavorRecord*>(selected.begin(), selected.end()))) return DROPEFFECT_NONE;
    return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

DWORD BeginFolderDrag(CFolderTreeCtrl& tree, HTREEITEM item, CFolderTreeDropTarget& treeTarget,
                      CFavorListDropTarget& listTarget) {
    if (!item) return DROPEFFECT_NONE;
    HWND hwnd = tree.Hwnd();
    TreeView_SelectItem(hwnd, item);
    TreeView_SelectDropTarget(hwnd, item);
    DWORD effect = DROPEFFECT_NONE;
    {
        DragModes modes(treeTarget, listTarget, DragFolder);
        fw::ComPtr<fw::COleDataSource> empty;
        empty.attach(new fw::COleDataSource);
        effect = empty->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    }
    TreeView_SelectDropTarget(hwnd, nullptr);
    return effect;
}
