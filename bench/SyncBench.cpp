// Syncs of 100,000 favorites in 2,000 folders with the Apache WebDAV server on
// 127.0.0.1 (tools/bench.sh starts it): the first sync to an empty server beside one PUT
// of the same bytes, a sync with no change beside one GET of the file, a sync of one
// change, and the longest wait of a message sent to the main window while syncs run,
// beside the same wait while nothing runs.
#include "bench/BenchFiles.h"
#include "app/AppMessages.h"
#include "app/CAppSettings.h"
#include "fakes/TestDavServers.h"
#include "res/resource.h"
#include "store/TextConv.h"
#include "sync/CSyncJob.h"
#include "sync/DavRequest.h"
#include "edits/FavorEdits.h"
#include "sync/SyncEditStep.h"
#include "sync/SyncPassword.h"
#include "sync/Xbel.h"
#include "ui/CFavorMainDlg.h"
#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

namespace {

using benchfiles::kBookmarks;
using benchfiles::kFolders;

struct Setup {
    std::wstring db = benchfiles::TempPath(L"tm-bench-sync.db");
    CFavorStore store;
    FavorEdits edits{store};
    SyncJobInput input;
    int favorInTop = 0;  // a favorite the one-change runs rename
};

bool Prepare(Setup& s) {
    const TestDavServers* servers = FindTestDavServers();
    if (!servers) {
        std::printf("no WebDAV server: run the section through tools/bench.sh\n");
        return false;
    }
    benchfiles::RemoveDb(s.db);
    if (!s.store.Open(s.db)) return false;
    FolderRecord root;
    benchfiles::BuildExportTree(root, kBookmarks, kFolders);
    EditStep stored;
    if (!s.edits.StoreImport(root, L"Synced", [] {}, stored)) return false;
    std::vector<FavorRecord> top;
    FolderRecord tree;
    s.store.LoadFolderTree(tree);
    s.store.LoadFavors(tree.subfolders[0]->subfolders[0]->id, top);
    s.favorInTop = top.empty() ? 0 : top[0].id;
    s.input.server = {servers->apache.url, UniqueDavFileName(), servers->user, servers->password, {}, 30000};
    s.input.databasePath = s.db;
    s.input.memory = std::make_shared<SyncMemory>();  // as the program keeps it from sync to sync
    return true;
}

SyncJobResult Sync(Setup& s) {
    CSyncJob job(s.input, [&](SyncMergeResult& m, std::wstring& why) { return ApplySyncStep(s.edits, m, why); });
    return job.Run();
}

void Check(const SyncJobResult& r, bool written, const char* what) {
    if (r.end != SyncEnd::Synced || r.serverWritten != written)
        std::printf("!! %s: %ls%ls\n", what, r.reason.c_str(), DescribeDavResult(r.dav).c_str());
}

// The sync's tables emptied: the next sync is a first one.
void ForgetSyncs(const std::wstring& db) {
    sqlite3* raw = nullptr;
    sqlite3_open(ToUtf8(db).c_str(), &raw);
    benchfiles::Exec(raw, "delete from tbl_sync_tree; delete from tbl_sync_map; delete from tbl_sync_info where name = 'target';");
    sqlite3_close(raw);
}

double Request(const WebDavSettings& server, const wchar_t* method, const std::wstring& name, const std::string& body) {
    const std::atomic<bool> cancelled{false};
    CDavRequests http(server, cancelled);
    DavReply reply;
    const double t0 = bench::NowMs();
    const DavResult r = http.Send(method, server.folderUrl + name, L"", body, reply, CWebDavSession::kMaxDownloadBytes);
    const double ms = bench::NowMs() - t0;
    if (!r.Ok() || reply.status >= 300) std::printf("!! %ls %ls: %d\n", method, name.c_str(), reply.status);
    return ms;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// ---- the main window while it syncs ----

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The longest a message sent from another thread every 2 ms waited for the window, while
// `busy` holds (at least `minMs`).
double LongestWait(HWND window, const std::function<bool()>& busy, double minMs = 0) {
    std::atomic<bool> done{false}, probing{true};
    std::atomic<double> longest{0};
    std::thread probe([&] {
        while (!done) {
            const double t0 = bench::NowMs();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
            const double waited = bench::NowMs() - t0;
            if (waited > longest) longest = waited;
            Sleep(2);
        }
        probing = false;
    });
    const double start = bench::NowMs();
    while (busy() || bench::NowMs() - start < minMs) {
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    done = true;
    while (probing) Pump();  // its last message still gets its answer
    probe.join();
    return longest;
}

// Another client renames one bookmark of the file: the next sync brings it here.
void RenameOnServer(const WebDavSettings& server, const std::wstring& name) {
    WebDavSettings at = server;
    at.fileName = name;
    DavFile file;
    SyncTree tree;
    std::wstring why;
    if (!CWebDavSession(at).Download(file).Ok() || !ReadXbel(file.bytes, tree, why)) return;
    SyncItem* item = &tree.root;
    while (item->kind == SyncItem::Kind::Folder && !item->children.empty()) item = &item->children.back();
    item->title += L" (renamed)";
    Request(server, L"PUT", name, WriteXbel(tree));
}

void MeasureWindow(Setup& s, bench::Table& table) {
    CAppSettings settings;
    const std::wstring ini = benchfiles::TempPath(L"tm-bench-sync.ini");
    DeleteFileW(ini.c_str());
    settings.SetFilePath(ini);
    const WebDavSettings& dav = s.input.server;
    const std::wstring name = UniqueDavFileName();
    settings.WriteSyncSettings({dav.folderUrl, dav.user, name, 0, 15, false, {}});
    SaveSyncPassword(dav.folderUrl, dav.user, dav.password);
    ForgetSyncs(s.db);
    {
        CFavorMainDlg window(s.store, settings);
        if (!window.Create(nullptr)) return;
        Pump();
        const HWND w = window.Hwnd();
        auto busy = [&] { return window.Sync().Busy(); };
        const double idle = LongestWait(w, [] { return false; }, 1000);
        double longest = 0;
        // The first sync, one with no change, and one with a change from the server.
        for (int round = 0; round < 3; ++round) {
            if (round == 2) RenameOnServer(dav, name);
            PostMessageW(w, WM_COMMAND, IDM_SYNC_NOW, 0);
            longest = std::max(longest, LongestWait(w, busy, 50));
            const std::wstring status = fw::WindowText(GetDlgItem(w, IDC_SYNC_STATUS));
            if (status.rfind(L"Synced", 0) != 0) std::printf("!! window sync: %ls\n", status.c_str());
            Sleep(1100);
        }
        table.Row("longest wait of a message while syncs run (floor: idle)", {longest, 50, idle});
        DestroyWindow(w);
        Pump();
    }
    DeleteSyncPassword(dav.folderUrl);
    DeleteFileW(ini.c_str());
}

void Run(const BenchOptions& options) {
    Setup s;
    if (!Prepare(s)) return;
    const int runs = std::min(options.runs, benchfiles::kHeavyRuns);
    bench::Table table({"sync, 100,000 favorites in 2,000 folders", "ms", "target", "floor"});

    // The first sync, each time to an empty file; the floor is one PUT of what it wrote.
    const std::wstring first = s.input.server.fileName;
    std::vector<double> firsts, puts;
    std::string bytes;
    for (int r = 0; r <= runs; ++r) {
        ForgetSyncs(s.db);
        *s.input.memory = SyncMemory();
        s.input.server.fileName = r == runs ? first : UniqueDavFileName();
        const double t0 = bench::NowMs();
        const SyncJobResult done = Sync(s);
        const double ms = bench::NowMs() - t0;
        Check(done, true, "first sync");
        if (r > 0) firsts.push_back(ms);
    }
    CWebDavSession reader(s.input.server);
    DavFile file;
    reader.Download(file);
    for (int r = 0; r <= runs; ++r) {
        const double ms = Request(s.input.server, L"PUT", UniqueDavFileName(), file.bytes);
        if (r > 0) puts.push_back(ms);
    }
    table.Row("first sync to an empty server (floor: one PUT of the same " + std::to_string(file.bytes.size() / 1024) +
                  " KiB)",
              {Median(firsts), 5000, Median(puts)});

    // With no change on either side; the floor is one GET of the file.
    Sleep(1100);  // Apache's ETag is weak for a second after a write
    std::vector<double> same, gets, one;
    for (int r = 0; r <= runs; ++r) {
        const double t0 = bench::NowMs();
        const SyncJobResult done = Sync(s);
        const double ms = bench::NowMs() - t0;
        Check(done, false, "no-change sync");
        const double get = Request(s.input.server, L"GET", s.input.server.fileName, {});
        if (r > 0) same.push_back(ms), gets.push_back(get);
    }
    const double noChange = Median(same);
    table.Row("sync with no change (floor: one GET of the file)", {noChange, 1500, Median(gets)});

    // One favorite renamed here each time.
    std::vector<FavorRecord> top;
    for (int r = 0; r <= runs; ++r) {
        FolderRecord tree;
        s.store.LoadFolderTree(tree);
        top.clear();
        s.store.LoadFavors(tree.subfolders[0]->subfolders[0]->id, top);
        FavorRecord renamed = top[0];
        renamed.name = L"Renamed " + std::to_wstring(r);
        s.store.UpdateFavor(renamed);
        Sleep(1100);  // as a user's syncs are apart: Apache's ETag is strong again
        const double t0 = bench::NowMs();
        const SyncJobResult done = Sync(s);
        const double ms = bench::NowMs() - t0;
        Check(done, true, "one-change sync");
        if (r > 0) one.push_back(ms);
    }
    table.Row("sync of one change (target: 1.5 x the no-change sync)", {Median(one), 1.5 * noChange, noChange});

    MeasureWindow(s, table);
    table.Print();
    s.store.Open(L":memory:");
    benchfiles::RemoveDb(s.db);
}

const BenchSection kSyncSection("sync", "syncs of 100,000 favorites with Apache's WebDAV on 127.0.0.1", Run);

}  // namespace
