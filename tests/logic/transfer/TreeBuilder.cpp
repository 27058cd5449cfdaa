#include "logic/transfer/TreeBuilder.h"
#include <algorithm>
#include <vector>

std::wstring Describe(const FolderRecord& folder, bool sorted) {
    std::vector<std::wstring> favors, folders;
    for (const FavorRecord& f : folder.favors) favors.push_back(f.name + L"=" + f.location + L";");
    for (const auto& s : folder.subfolders) folders.push_back(L"[" + s->name + Describe(*s, sorted) + L"]");
    if (sorted) {
        std::sort(favors.begin(), favors.end());
        std::sort(folders.begin(), folders.end());
    }
    std::wstring text = L"{";
    for (const auto& f : favors) text += f;
    for (const auto& s : folders) text += s;
    return text + L"}";
}
