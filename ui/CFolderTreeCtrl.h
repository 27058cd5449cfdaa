// The folder tree pane: the folder hierarchy under one root item ("Favor Folders").
// It owns the FolderRecord objects it shows and is the window's one copy of the
// hierarchy; the Quick Panel's folder list and the edit dialogs are built from it.
#pragma once
#include "edits/FavorViews.h"
#include "framework/CControl.h"
#include "store/Records.h"
#include <commctrl.h>
#include <map>
#include <vector>

class CFavorListCtrl;

class CFolderTreeCtrl : public fw::CControl, public IFavorViews {
public:
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    void SetList(CFavorListCtrl* list) { m_list = list; }
    CFavorListCtrl* List() const { return m_list; }

    // Replaces the whole content with the hierarchy LoadFolderTree built under
    // loadedRoot and takes its records over; selects the root item.
    void FillTree(FolderRecord& loadedRoot);
    FolderRecord* GetSelectedFolder() const;
    FolderRecord& GetRootFolder() { return m_root; }
    FolderRecord* FindFolder(int id);
    const FolderRecord* FindFolder(int id) const;
    // Selects the folder's item (the root for 0); an unknown id selects the first item.
    void SelectFolder(int id);
    // Mirrors a folder just added to the store (the tree keeps its own copy); `quiet`
    // leaves the selection and the window's folder list alone.
    void AddFolderItem(const FolderRow& row, bool quiet);
    // Mirrors a new name or a new parent (moving the item with its subtree). A selection
    // inside the moved subtree moves with it; any other stays.
    void UpdateFolderItem(const FolderRow& row);
    // Removes a folder and its subtree; ids gets every removed id, deepest first. A
    // selection inside the subtree goes to the folder's parent; any other stays.
    void DeleteFolderItem(int id, std::vector<int>& ids, bool removeItem);

    // Changes stored through the window's edits.
    void FoldersAdded(const std::vector<FolderRow>& folders) override;
    void FoldersChanged(const std::vector<FolderRow>& folders) override;
    void FoldersRemoved(const std::vector<int>& ids) override;
    bool IsSelfOrDescendant(int folderId, int targetId) const;

    // Hit test at a screen point; selects the item under it, if any (tree menu).
    void SelectItemAtScreenPoint(POINT screen);
    // The item at a client point, or null (drag and drop).
    HTREEITEM ItemAtClientPoint(POINT client) const;
    static FolderRecord* RecordOf(HWND tree, HTREEITEM item);
    // The item that shows the folder (the root item for 0), or null.
    HTREEITEM ItemOf(int id) const;

    // The dark palette, or the system's colours.
    void ApplyScheme(bool dark);

    static constexpr const wchar_t* kRootText = L"Favor Folders";

private:
    void InsertSubtree(FolderRecord& folder, HTREEITEM parentItem);
    HTREEITEM InsertItem(FolderRecord& folder, HTREEITEM parentItem);
    void SetItemName(FolderRecord& folder) const;
    void NotifyFoldersChanged() const;

    FolderRecord m_root;                     // id 0; owns every folder below it
    std::map<int, FolderRecord*> m_folders;  // every folder below the root, by id
    std::map<int, HTREEITEM> m_items;        // the item of every folder shown, the root's under 0
    CFavorListCtrl* m_list = nullptr;
};
