// Backups of 100,000 favorites: a checked copy and a restore beside copying the file's
// bytes, and the program's start on the day's first start (when it makes the daily copy)
// beside a bare window's.
#include "bench/BenchFiles.h"
#include "app/InstanceSearch.h"
#include "backup/CBackups.h"
#include "backup/DatabaseCopy.h"
#include "backup/RestoreFavorites.h"
#include "edits/FavorEdits.h"
#include "res/resource.h"
#include "store/TextConv.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>

namespace {

void EmptyFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA a{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &a)) return 0;
    return (static_cast<long long>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
}

// 100,000 favorites in 2,000 folders, stored as an import stores them.
bool Build(const std::wstring& db) {
    benchfiles::RemoveDb(db);
    CFavorStore store;
    if (!store.Open(db)) return false;
    FolderRecord root;
    benchfiles::BuildExportTree(root, benchfiles::kBookmarks, benchfiles::kFolders);
    EditStep stored;
    return FavorEdits(store).StoreImport(root, L"Everything", {}, stored);
}

// From the program's start until its daily copy is in place; -1 when none came.
double StartToDailyCopyMs(const std::wstring& exe, const std::wstring& backups) {
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    const double start = bench::NowMs();
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    double elapsed = -1;
    for (const double until = start + 30000; bench::NowMs() < until; Sleep(1)) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((backups + L"\\favors-*-daily.db").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        FindClose(search);
        elapsed = bench::NowMs() - start;
        break;
    }
    for (HWND window = nullptr; !window && WaitForSingleObject(pi.hProcess, 1) != WAIT_OBJECT_0;)
        if ((window = FindRunningInstance())) PostMessageW(window, WM_COMMAND, IDM_FILE_CLOSE, 0);
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

void Run(const BenchOptions& options) {
    const std::wstring program = bench::ModuleFolder() + L"\\bench-backup-program";
    const std::wstring data = program + L"\\Data";
    const std::wstring backups = data + L"\\Backups";
    CreateDirectoryW(program.c_str(), nullptr);
    CreateDirectoryW(data.c_str(), nullptr);
    CreateDirectoryW(backups.c_str(), nullptr);
    EmptyFolder(backups);
    const std::wstring db = data + L"\\favors.db";
    if (!Build(db)) {
        std::printf("cannot build %ls\n", db.c_str());
        return;
    }
    std::printf("favors.db: %d favorites in %d folders, %.1f MB\n", benchfiles::kBookmarks, benchfiles::kFolders,
                FileSize(db) / 1048576.0);
    bench::Table table({"backup, 100,000 favorites", "ms", "target", "floor"});

    CBackups copies(db);
    std::wstring made;
    const double copyMs = bench::MedianMs(
        options.runs, [&] { made = copies.MakeBackup(BackupReason::Import).path; }, {},
        [&] { DeleteFileW(made.c_str()); });
    const std::wstring bytes = benchfiles::TempPath(L"tm-bench-backup-bytes.db");
    const double bytesMs = bench::MedianMs(
        options.runs, [&] { CopyFileW(db.c_str(), bytes.c_str(), FALSE); }, {}, [&] { DeleteFileW(bytes.c_str()); });
    table.Row("checked copy (floor: copying the file's bytes)", {copyMs, 300, bytesMs});
    const double checkMs = bench::MedianMs(options.runs, [&] { CheckDatabase(db); });
    table.Row("  of which its quick_check alone (floor: copying the file's bytes)",
              {checkMs, bench::Table::kNotMeasured, bytesMs});

    const std::wstring copy = copies.MakeBackup(BackupReason::Daily).path;
    FavorCounts counts;
    const double countMs = bench::MedianMs(options.runs, [&] { CountFavors(copy, counts); });
    if (counts.favors != benchfiles::kBookmarks) std::printf("!! counted %d favorites\n", counts.favors);
    table.Row("one row of the restore list: a copy's counts (floor: copying the file's bytes)",
              {countMs, bench::Table::kNotMeasured, bytesMs});
    CFavorStore store;
    store.Open(db);
    RestoreOutcome restored;
    const double restoreMs = bench::MedianMs(
        options.runs, [&] { restored = RestoreFavorites(store, copies, copy); }, {},
        [&] {
            for (const BackupEntry& e : copies.List())
                if (e.name.reason == BackupReason::Restore) DeleteFileW(e.path.c_str());
        });
    if (restored.kind != RestoreOutcome::Kind::Restored) std::printf("!! restore failed: %ls\n", restored.problem.c_str());
    store.Open(benchfiles::TempPath(L"tm-bench-backup-other.db"));  // the data file is free again
    table.Row("restore: check, copy first, put in place (floor: copying the file's bytes)", {restoreMs, 1000, bytesMs});
    EmptyFolder(backups);

    const std::wstring exe = program + L"\\Tidemarker.exe";
    if (CopyFileW((bench::ModuleFolder() + L"\\Tidemarker.exe").c_str(), exe.c_str(), FALSE)) {
        bench::StartToReadyMs(exe);  // warms the caches and makes the settings file
        std::vector<double> starts, later, dailies, bare;
        for (int i = 0; i < options.runs; ++i) {
            EmptyFolder(backups);  // every start is the day's first
            starts.push_back(bench::StartToReadyMs(exe));
            later.push_back(bench::StartToReadyMs(exe));  // the day's copy is there
            EmptyFolder(backups);
            dailies.push_back(StartToDailyCopyMs(exe, backups));
        }
        const std::wstring bareExe = bench::ModuleFolder() + L"\\tm_bench.exe";
        for (int i = 0; i < options.runs; ++i) bare.push_back(bench::StartToReadyMs(bareExe, L"--bare-window"));
        table.Row("day's first start until shown and idle (floor: a bare window)", {Median(starts), 500, Median(bare)});
        table.Row("a later start that day, no copy (floor: a bare window)",
                  {Median(later), bench::Table::kNotMeasured, Median(bare)});
        table.Row("day's first start until its daily copy is in place (floor: a bare window)",
                  {Median(dailies), bench::Table::kNotMeasured, Median(bare)});
    } else {
        std::printf("Tidemarker.exe not found beside the benchmark\n");
    }
    EmptyFolder(backups);
    table.Print();
}

const BenchSection kBackupSection("backup", "backup copy, restore and the day's first start of 100,000 favorites", Run);

}  // namespace
