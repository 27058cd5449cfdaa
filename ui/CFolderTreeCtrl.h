// The folder tree pane: the folder hierarchy under one root item ("Favor Folders").
// It owns the FolderRecord objects it shows and is the window's one copy of the
// hierarchy; the Quick Panel's folder list and the edit dialogs are built from it.
#pragma once
#include "framework/CControl.h"
#include "store/Records.h"
#include <map>
#include <vector>

class CFavorListCtrl;

class CFolderTreeCtrl : public fw::CControl {
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
    // Mirrors a folder just added to the store (the tree keeps its own copy).
    void AddFolderItem(const FolderRecord& record, bool quiet);
    // Mirrors a new name or a new parent (moving the item with its subtree).
    void UpdateFolderItem(const FolderRecord& record);
    // Removes a folder and its subtree; ids gets every removed id, deepest first.
    void DeleteFolderItem(int id, std::vector<int>& ids, bool removeItem);
    bool IsSelfOrDescendant(int folderId, int targetId) const;

    // Hit test at a screen point; selects the item under it, if any (tree menu).
    void SelectItemAtScreenPoint(POINT screen);
    // The item at a client point, or null (drag and drop).
    HTREEITEM ItemAtClientPoint(POINT client) const;
    static FolderRecord* RecordOf(HWND tree, HTREEITEM item);

    // The dark palette, or the system's colours.
    void ApplyScheme(bool dark);

    static constexpr const wchar_t* kRootText = L"Favor Folders";

private:
    void InsertSubtree(FolderRecord& folder, HTREEITEM parentItem);
    HTREEITEM InsertItem(FolderRecord& folder, HTREEITEM parentItem);
    void SetItemName(FolderRecord& folder) const;
    void NotifyFoldersChanged() const;

    FolderRecord m_root;                     // id 0
    std::map<int, FolderRecord*> m_folders;  // every folder below the root, owned
    CFavorListCtrl* m_list = nullptr;
};
