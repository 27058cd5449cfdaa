// Small record trees for the transfer tests, and a printable form to compare trees by.
#pragma once
#include "store/Records.h"
#include <string>

struct OwnedTree {
    FolderRecord root;
};

inline FolderRecord& AddSub(FolderRecord& parent, const std::wstring& name) {
    FolderRecord& f = parent.AddSubfolder();
    f.name = name;
    return f;
}

inline FavorRecord& AddFav(FolderRecord& parent, const std::wstring& name, const std::wstring& location) {
    FavorRecord& f = parent.favors.emplace_back();
    f.name = name;
    f.location = location;
    return f;
}

// "{name=location;...[sub{...}]...}" with favorites and folders in list order, or sorted
// by name when `sorted` (the shell enumerates in no promised order).
std::wstring Describe(const FolderRecord& folder, bool sorted = false);

// The tree a reader of bookmark files (ParseBookmarkHtml, ParseChromiumBookmarks) makes of
// `bytes`, described as above, or "refused"; `count` gets the number of records it read.
template <class Parse>
std::wstring DescribeParsed(Parse parse, const std::string& bytes, int* count = nullptr) {
    OwnedTree tree;
    int n = -1;
    if (!parse(bytes, tree.root, n)) return L"refused";
    if (count) *count = n;
    return Describe(tree.root);
}
