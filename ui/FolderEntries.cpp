#include "ui/FolderEntries.h"
#include "ui/MainTexts.h"

namespace {

constexpr size_t kIndentPerLevel = 3;

void AppendSubtree(const FolderRecord& parent, size_t level, std::vector<FolderEntry>& out) {
    for (auto& child : parent.subfolders) {
        out.push_back({std::wstring(kIndentPerLevel * level, L' ') + child->name, child.get()});
        AppendSubtree(*child, level + 1, out);
    }
}

}  // namespace

std::vector<FolderEntry> FolderEntries(FolderRecord& root) {
    std::vector<FolderEntry> out{{texts::kRootName, &root}};
    AppendSubtree(root, 1, out);
    return out;
}

size_t FolderEntryIndex(const std::vector<FolderEntry>& entries, int folderId) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].folder && entries[i].folder->id == folderId) return i;
    return 0;
}
