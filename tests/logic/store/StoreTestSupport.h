// Helpers for the favorites store tests: owners for loaded records and a compact text
// form of a folder tree.
#pragma once
#include "store/CFavorStore.h"
#include <string>
#include <vector>

// Records loaded by a test, with their names in order.
struct OwnedFavors {
    std::vector<FavorRecord> list;
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const FavorRecord& f : list) names.push_back(f.name);
        return names;
    }
};

struct OwnedTree {
    FolderRecord root;
};

inline std::wstring RenderFavors(const FolderRecord& folder) {
    std::wstring text;
    for (const FavorRecord& f : folder.favors) text += (text.empty() ? L"[" : L" ") + f.name;
    return text.empty() ? text : text + L']';
}

inline std::wstring RenderSubfolders(const FolderRecord& folder) {
    std::wstring text;
    for (const auto& sub : folder.subfolders) {
        text += (text.empty() ? L"" : L" ") + sub->name;
        if (!sub->subfolders.empty()) text += L'(' + RenderSubfolders(*sub) + L')';
        text += RenderFavors(*sub);
    }
    return text;
}

// Folder names with their children in parentheses and their favorites in brackets:
// Root > a > (b, c > favorite x), d gives "a(b c[x]) d".
inline std::wstring Render(const FolderRecord& root) { return RenderSubfolders(root) + RenderFavors(root); }

inline int AddTestFolder(CFavorStore& store, const std::wstring& name, int pid) {
    FolderRecord folder;
    folder.name = name;
    folder.pid = pid;
    return store.AddFolder(folder) ? folder.id : -1;
}

inline int AddTestFavor(CFavorStore& store, const std::wstring& name, int pid,
                        const std::wstring& location = L"http://example.com/", const std::wstring& tags = L"") {
    FavorRecord favor;
    favor.name = name;
    favor.location = location;
    favor.tags = tags;
    favor.pid = pid;
    return store.AddFavor(favor) ? favor.id : -1;
}
