// What the transfer benchmarks share: scratch paths, the synthetic tree of 100,000
// bookmarks in 2,000 folders, the raw-insert floor and the timed import into a fresh store.
#pragma once
#include "bench/Bench.h"
#include "store/CFavorStore.h"
#include "store/Records.h"
#include "edits/FavorEdits.h"
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace benchfiles {

constexpr int kBookmarks = 100000;
constexpr int kFolders = 2000;
constexpr int kHeavyRuns = 3;

std::wstring TempPath(const std::wstring& name);
void RemoveDb(const std::wstring& path);
void Exec(sqlite3* db, const char* sql);
// Parent of folder i (0-based): four levels of 20, 100, 380 and 1,500 folders.
int FolderParent(int i);
// The floor: 100,000 favorite rows inserted through one statement in one transaction.
double RawInsertFloor(int runs);
// `favors` favorites with escapable names spread over `folders` folders of FolderParent's shape.
void BuildExportTree(FolderRecord& root, int favors, int folders);
bool WriteWhole(const std::wstring& path, const std::string& bytes);

// One import into a fresh store: read phase, then the save phase; returns {read, save}.
// A run that does not read and store `expected` items is reported, so that a fast
// figure cannot come from an import that lost its work.
template <class Read>
std::pair<double, double> Import(int runs, const wchar_t* top, int expected, Read read) {
    const std::wstring storePath = TempPath(L"tm-bench-import.db");
    std::vector<double> reads, saves;
    for (int r = 0; r <= runs; ++r) {  // the first round warms up
        RemoveDb(storePath);
        CFavorStore store;
        store.Open(storePath);
        FolderRecord root;
        int count = 0;
        const double t0 = bench::NowMs();
        read(root, count);
        const double t1 = bench::NowMs();
        int steps = 0;
        EditStep stored;
        const bool saved = FavorEdits(store).StoreImport(root, top, [&] { ++steps; }, stored);
        const double t2 = bench::NowMs();
        if (!saved || count != expected || steps != expected)
            std::printf("!! %ls: read %d items and stored %d of %d expected%s\n", top, count, steps, expected,
                        saved ? "" : ", and the save failed");
        if (r == 0) continue;
        reads.push_back(t1 - t0);
        saves.push_back(t2 - t1);
    }
    RemoveDb(storePath);
    std::sort(reads.begin(), reads.end());
    std::sort(saves.begin(), saves.end());
    return {reads[reads.size() / 2], saves[saves.size() / 2]};
}

}  // namespace benchfiles
