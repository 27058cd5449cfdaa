// The program's own drags: favorites out of the list (to the tree, the shell or a
// browser) and a folder inside the tree. Both run the modal OLE drag loop and set
// the drop targets' modes for its duration.
#pragma once
#include "dnd/CFavorDataSource.h"
#include "dnd/DropTargets.h"
#include <commctrl.h>

class CFavorListCtrl;
class CFolderTreeCtrl;

// The list's begin-drag: offers the selected favorites. Returns the drag's effect.
DWORD BeginFavorDrag(CFavorListCtrl& list, CFavorDataSource& source, CFolderTreeDropTarget& treeTarget,
                     CFavorListDropTarget& listTarget);
// The tree's begin-drag of `item`: an empty data source that only the tree takes.
DWORD BeginFolderDrag(CFolderTreeCtrl& tree, HTREEITEM item, CFolderTreeDropTarget& treeTarget,
                      CFavorListDropTarget& listTarget);
