#include "ui/CleanupLogic.h"
#include "ui/MainTexts.h"
#include <map>

std::wstring FolderPathText(const std::function<const FolderRecord*(int id)>& find, int folderId) {
    std::wstring path;
    int id = folderId;
    for (int depth = 0; id != 0 && depth < 1000; ++depth) {  // a broken parent chain ends somewhere
        const FolderRecord* folder = find(id);
        if (!folder) break;
        path = L"\\" + folder->name + path;
        id = folder->pid;
    }
    return texts::kRootName + path;
}

std::wstring DuplicateQuestionText(const std::wstring& name, const std::wstring& folderPath) {
    return L"This location is already stored as \"" + name + L"\" in " + folderPath + L". Add it again?";
}

namespace {

// True when a is the one to keep rather than b.
bool Keeps(const FavorRecord& a, const FavorRecord& b) {
    if (a.hits != b.hits) return a.hits > b.hits;
    if (a.lastHit != b.lastHit) return a.lastHit > b.lastHit;
    return a.id < b.id;
}

}  // namespace

std::vector<size_t> AllButMostVisited(const std::vector<CleanupRow>& rows) {
    std::map<int, size_t> kept;  // group -> row
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto it = kept.find(rows[i].group);
        if (it == kept.end()) kept[rows[i].group] = i;
        else if (Keeps(rows[i].favor, rows[it->second].favor)) it->second = i;
    }
    std::vector<size_t> picked;
    for (size_t i = 0; i < rows.size(); ++i)
        if (kept[rows[i].group] != i) picked.push_back(i);
    return picked;
}

void DropLoneRows(std::vector<CleanupRow>& rows) {
    std::map<int, int> count;
    for (const CleanupRow& r : rows) ++count[r.group];
    std::vector<CleanupRow> kept;
    for (CleanupRow& r : rows)
        if (count[r.group] > 1) kept.push_back(std::move(r));
    rows.swap(kept);
}
