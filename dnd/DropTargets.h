// The three drop targets of the main window: the favorites list (links stored in
// the selected folder), the folder tree (links stored in the folder under the
// cursor, and the program's own folder and favorite moves), and the Magic Add
// button (the first link opens the add dialog, like a captured page).
#pragma once
#include "dnd/DroppedLinks.h"
#include "framework/OleDragDrop.h"

class CFavorListCtrl;
class CFolderTreeCtrl;
class FavorEdits;
struct FolderRecord;

// The tree target's modes: what the drag in progress carries.
enum DragMode { DragExternal = 0, DragFolder = 1, DragFavors = 2 };

class CFavorListDropTarget : public fw::COleDropTarget {
public:
    CFavorListDropTarget(FavorEdits& edits, CFavorListCtrl& list) : m_edits(edits), m_list(list) {}
    int dragMode = 0;  // 1 while the program's own drag runs: the list takes nothing

    DWORD OnDragEnter(IDataObject* data, DWORD keys, POINT pt) override;
    DWORD OnDragOver(IDataObject* data, DWORD keys, POINT pt) override;
    void OnDragScroll(POINT pt) override;
    bool OnDrop(IDataObject* data, DWORD effect, POINT pt) override;

private:
    FavorEdits& m_edits;
    CFavorListCtrl& m_list;
};

class CFolderTreeDropTarget : public fw::COleDropTarget {
public:
    CFolderTreeDropTarget(FavorEdits& edits, CFolderTreeCtrl& tree) : m_edits(edits), m_tree(tree) {}
    int dragMode = DragExternal;

    DWORD OnDragEnter(IDataObject* data, DWORD keys, POINT pt) override;
    DWORD OnDragOver(IDataObject* data, DWORD keys, POINT pt) override;
    void OnDragScroll(POINT pt) override;
    void OnDragLeave() override;
    bool OnDrop(IDataObject* data, DWORD effect, POINT pt) override;

private:
    DWORD EffectFor(IDataObject* data) const;
    void ClearHighlight() const;
    bool DropLinks(IDataObject* data, const FolderRecord* target);
    bool MoveFavors(const FolderRecord* target);
    FavorEdits& m_edits;
    CFolderTreeCtrl& m_tree;
};

class CMagicAddDropTarget : public fw::COleDropTarget {
public:
    CMagicAddDropTarget(FavorEdits& edits, HWND mainWindow) : m_edits(edits), m_mainWindow(mainWindow) {}

    DWORD OnDragEnter(IDataObject* data, DWORD keys, POINT pt) override;
    DWORD OnDragOver(IDataObject* data, DWORD keys, POINT pt) override;
    bool OnDrop(IDataObject* data, DWORD effect, POINT pt) override;

private:
    FavorEdits& m_edits;
    HWND m_mainWindow;
};

// Stores links dropped or pasted into a folder as one step named `stepName`; the views
// show them where they are listed. A store that refuses is told by the main window of
// `pane` once the drop or paste has returned.
bool StoreDroppedLinks(FavorEdits& edits, const std::vector<DroppedLink>& links, int folderId, HWND pane,
                       const wchar_t* stepName);

// Scrolls a tree or list by a line when the cursor is near its top or bottom edge.
void AutoScrollNearEdge(HWND window, POINT screen);
