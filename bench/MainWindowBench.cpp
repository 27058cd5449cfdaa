// The main window with 100,000 favorites: the program's start until its window is
// shown and idle (next to a bare window's), a folder of 5,000 favorites selected until
// the list is filled, and one keystroke in the search box until the 150 results are
// listed (next to the store's search for the same term).
#include "bench/Bench.h"
#include "app/AppMessages.h"
#include "app/CAppSettings.h"
#include "app/InstanceSearch.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFavorMainDlg.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 2000;
constexpr int kFavors = 100000;
constexpr int kBigFolderFavors = 5000;
constexpr int kTermMatches = 150;  // names holding the search term

struct Collection {
    int bigFolder = 0;
    int smallFolder = 0;
};

// Folders nested four levels deep; the first folder gets 5,000 favorites, and 150
// favorites spread over the others carry the term "quokka" in their names.
Collection Build(CFavorStore& store) {
    Collection c;
    CFavorStore::Batch batch(store);
    std::vector<int> ids;
    for (int i = 0; i < kFolders; ++i) {
        FolderRecord f;
        f.name = L"Folder " + std::to_wstring(i);
        f.pid = (i < 20 || ids.empty()) ? 0 : ids[static_cast<size_t>(i / 4)];
        store.AddFolder(f);
        ids.push_back(f.id);
    }
    c.bigFolder = ids[0];
    c.smallFolder = ids[1];
    for (int i = 0; i < kFavors; ++i) {
        FavorRecord r;
        const bool term = i >= kBigFolderFavors && (i - kBigFolderFavors) % ((kFavors - kBigFolderFavors) / kTermMatches) == 0 &&
                          (i - kBigFolderFavors) / ((kFavors - kBigFolderFavors) / kTermMatches) < kTermMatches;
        r.name = (term ? L"The quokka page " : L"Favorite page ") + std::to_wstring(i);
        r.location = L"http://site" + std::to_wstring(i % 9973) + L".example/path/" + std::to_wstring(i);
        r.tags = (i % 7 == 0) ? L"news daily" : L"";
        r.pid = i < kBigFolderFavors ? c.bigFolder : ids[static_cast<size_t>(1 + i % (kFolders - 1))];
        store.AddFavor(r);
    }
    batch.Commit();
    return c;
}

bool CopyInto(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0; }

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Run(const BenchOptions& options) {
    const std::wstring programFolder = bench::ModuleFolder() + L"\\bench-program";
    const std::wstring dataFolder = programFolder + L"\\Data";
    CreateDirectoryW(programFolder.c_str(), nullptr);
    CreateDirectoryW(dataFolder.c_str(), nullptr);
    const std::wstring db = dataFolder + L"\\favors.db";
    DeleteFileW(db.c_str());
    DeleteFileW((programFolder + L"\\Tidemarker.ini").c_str());

    Collection c;
    {
        CFavorStore store;
        if (!store.Open(db)) {
            std::printf("cannot create %ls\n", db.c_str());
            return;
        }
        const double t0 = bench::NowMs();
        c = Build(store);
        std::printf("built %d favorites in %d folders in %.0f ms\n", kFavors, kFolders, bench::NowMs() - t0);
    }

    bench::Table table({"main window, 100,000 favorites", "ms", "target", "floor"});
    const std::wstring exe = programFolder + L"\\Tidemarker.exe";
    if (CopyInto(bench::ModuleFolder() + L"\\Tidemarker.exe", exe)) {
        bench::StartToReadyMs(exe);  // the first start creates the settings file and warms the caches
        std::vector<double> starts;
        for (int i = 0; i < options.runs; ++i) starts.push_back(bench::StartToReadyMs(exe));
        std::sort(starts.begin(), starts.end());
        const std::wstring bare = bench::ModuleFolder() + L"\\tm_bench.exe";
        bench::StartToReadyMs(bare, L"--bare-window");
        std::vector<double> bareStarts;
        for (int i = 0; i < options.runs; ++i) bareStarts.push_back(bench::StartToReadyMs(bare, L"--bare-window"));
        std::sort(bareStarts.begin(), bareStarts.end());
        table.Row("start until the window is shown and idle (floor: a bare window)", {starts[starts.size() / 2], 500,
                                                               bareStarts[bareStarts.size() / 2]});
    } else {
        std::printf("Tidemarker.exe not found beside the benchmark\n");
    }

    CFavorStore store;
    store.Open(db);
    CAppSettings settings;
    settings.SetFilePath(programFolder + L"\\bench-settings.ini");
    CFavorMainDlg window(store, settings);
    if (!window.Create(nullptr)) {
        std::printf("cannot create the main window\n");
        return;
    }
    Pump();
    HWND list = GetDlgItem(window.Hwnd(), IDC_FAVOR_LIST);
    const double folderMs = bench::MedianMs(
        options.runs,
        [&] {
            window.Tree().SelectFolder(c.bigFolder);
            UpdateWindow(list);
        },
        [&] {
            window.Tree().SelectFolder(c.smallFolder);
            Pump();
        });
    if (window.List().RowCount() != kBigFolderFavors) std::printf("folder listed %d rows\n", window.List().RowCount());
    table.Row("select a folder of 5,000 until the list is filled", {folderMs, 150});

    HWND search = GetDlgItem(window.Hwnd(), IDC_SEARCH_EDIT);
    const double searchMs = bench::MedianMs(
        options.runs,
        [&] {
            SetWindowTextW(search, L"quokka");  // the last keystroke of the term
            UpdateWindow(list);
        },
        [&] {
            SetWindowTextW(search, L"quokk");
            Pump();
        });
    if (window.List().RowCount() != kTermMatches) std::printf("search listed %d rows\n", window.List().RowCount());
    std::vector<FavorRecord> found;
    const double storeMs = bench::MedianMs(
        options.runs, [&] { store.SearchFavors(L"quokka", found); }, {}, [&] { found.clear(); });
    table.Row("one search keystroke until 150 results are listed (floor: the store's search)",
              {searchMs, 35, storeMs});
    table.Print();
}

const BenchSection kMainWindowSection("mainwnd", "main window start, folder selection and search keystroke", Run);

}  // namespace

int bench::RunBareWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TidemarkerBenchBareWindow";
    if (!RegisterClassW(&wc)) return 1;
    const HWND window = CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window || !MarkInstanceWindow(window)) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
