// The favorites store against the same statements run straight through SQLite's C API,
// on a synthetic collection of 100,000 favorites in 2,000 folders four levels deep.
#include "bench/Bench.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include <sqlite3.h>
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kFavorCount = 100000;
constexpr int kBigFolderFavors = 5000;
constexpr int kLevelSizes[] = {20, 100, 500, 1380};  // 2,000 folders
constexpr const char kFrequentTerm[] = "news";      // in a quarter of the names
constexpr const char kSearchSql[] =
    "select id, pid, name, location, tags, hits, last_hit from tbl_favor where name like ?1 "
    "or location like ?1 or tags like ?1 order by hits desc limit 150";
constexpr const char kRareTerm[] = "quokka";        // in ten tags
constexpr int kDefaultCacheRuns = 3;  // slow, and only there to show what the cache gains
// The store's connection settings.
constexpr const char kTuned[] = "pragma cache_size = -65536; pragma mmap_size = 268435456;";

const char* const kWords[] = {"alpha", "river", "garden", "metal", "cloud", "orbit", "paper", "stone",
                              "violet", "harbor", "signal", "forest", "copper", "lantern", "meadow", "pixel"};

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

void RemoveDb(const std::wstring& path) {
    DeleteFileW(path.c_str());
    DeleteFileW((path + L"-journal").c_str());
}

struct SyntheticFavor {
    int pid;
    std::wstring name, location, tags;
};

// The folder of favorite i, and its texts; deterministic.
SyntheticFavor MakeFavor(int i, const std::vector<int>& folderIds, int bigFolder) {
    const int pid = i < kBigFolderFavors ? bigFolder : folderIds[static_cast<size_t>(i) % folderIds.size()];
    const char* w1 = kWords[i % 16];
    const char* w2 = kWords[(i / 16) % 16];
    char name[96], location[128], tags[64];
    std::snprintf(name, sizeof name, "%s %s page %d%s", w1, w2, i, i % 4 == 0 ? " news" : "");
    std::snprintf(location, sizeof location, "https://www.site%d.example.org/%s/%d.html", i % 3000, w2, i);
    std::snprintf(tags, sizeof tags, "tag%d %s%s", i % 50, w1, i % 10000 == 7 ? " quokka" : "");
    return {pid, FromUtf8(name), FromUtf8(location), FromUtf8(tags)};
}

// Parent of each folder in creation order: every level hangs below the one above.
std::vector<int> MakeFolders(const std::function<int(int pid, const std::wstring& name)>& add) {
    std::vector<int> ids, above{0};
    for (int level = 0; level < 4; ++level) {
        std::vector<int> here;
        for (int j = 0; j < kLevelSizes[level]; ++j)
            here.push_back(add(above[static_cast<size_t>(j) % above.size()], L"folder " + std::to_wstring(ids.size() + here.size())));
        ids.insert(ids.end(), here.begin(), here.end());
        above = here;
    }
    return ids;
}

long g_sink = 0;  // keeps the raw loops' column reads from being optimised away

// What the raw loops built when asked for records; freed after each timed run.
struct Records {
    std::vector<FavorRecord> favors;
    std::vector<FolderRecord> folders;
    void Free() {
        favors.clear();
        folders.clear();
    }
};

class RawDb {
public:
    RawDb(const std::wstring& path, const char* setup) {
        sqlite3_open(ToUtf8(path).c_str(), &m_db);
        sqlite3_busy_timeout(m_db, 60000);
        if (setup) Exec(setup);
    }
    ~RawDb() { sqlite3_close(m_db); }
    void Exec(const char* sql) { sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    sqlite3* get() const { return m_db; }

    // Steps through every row reading each column as the store does: 'i' as an integer,
    // 't' as text. `bound`, if any, is bound to parameter 1. With `records`, each row also
    // becomes a new record of the program's own kind (folder rows, "iit", a FolderRecord),
    // its texts converted to UTF-16, as a hand-written loop would do it.
    void Rows(const char* sql, const char* kinds, const char* bound = nullptr, Records* records = nullptr) const {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        if (bound) sqlite3_bind_text(stmt, 1, bound, -1, SQLITE_TRANSIENT);
        const bool folders = std::strcmp(kinds, "iit") == 0;
        long sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            if (records && folders) {
                FolderRecord& f = records->folders.emplace_back();
                f.id = sqlite3_column_int(stmt, 0);
                f.pid = sqlite3_column_int(stmt, 1);
                f.name = FromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)));
                continue;
            }
            FavorRecord* f = records ? &records->favors.emplace_back() : nullptr;
            int* ints[] = {f ? &f->id : nullptr, f ? &f->pid : nullptr, f ? &f->hits : nullptr};
            std::wstring* texts[] = {f ? &f->name : nullptr, f ? &f->location : nullptr, f ? &f->tags : nullptr,
                                     f ? &f->lastHit : nullptr};
            int nextInt = 0, nextText = 0;
            for (int c = 0; kinds[c]; ++c) {
                if (kinds[c] == 'i') {
                    const int v = sqlite3_column_int(stmt, c);
                    if (f) *ints[nextInt++] = v;
                    sum += v;
                } else if (const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c))) {
                    if (f) *texts[nextText++] = FromUtf8(t);
                    sum += t[0];
                }
            }
        }
        sqlite3_finalize(stmt);
        g_sink += sum;
    }
    int RunBound(const char* sql, const char* text, int id) const {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        sqlite3_bind_text(stmt, 1, text, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 2, id);
        const int rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        return rc;
    }

private:
    sqlite3* m_db = nullptr;
};

struct Collection {
    std::vector<int> folderIds;
    int bigFolder = 0;
    double storeBuildMs = 0, rawBuildMs = 0;
};

// Builds the collection through the store in one batch, and the same rows through the
// C API (one prepared insert, one transaction) into a second file, timing both.
Collection Build(const std::wstring& path, const std::wstring& rawPath) {
    Collection c;
    {
        CFavorStore store;
        store.Open(path);
        const double start = bench::NowMs();
        CFavorStore::Batch batch(store);
        c.folderIds = MakeFolders([&](int pid, const std::wstring& name) {
            FolderRecord f;
            f.pid = pid;
            f.name = name;
            store.AddFolder(f);
            return f.id;
        });
        c.bigFolder = c.folderIds[150];
        for (int i = 0; i < kFavorCount; ++i) {
            SyntheticFavor s = MakeFavor(i, c.folderIds, c.bigFolder);
            FavorRecord r;
            r.pid = s.pid;
            r.name = std::move(s.name);
            r.location = std::move(s.location);
            r.tags = std::move(s.tags);
            store.AddFavor(r);
        }
        batch.Commit();
        c.storeBuildMs = bench::NowMs() - start;
    }
    RawDb raw(rawPath, kTuned);
    raw.Exec("create table tbl_folder(id integer primary key, pid int, name char(128));"
             "create table tbl_favor(id integer primary key, pid int, name char(512), location char(1024), "
             "tags char(128), hits int, last_hit char(20));");
    const double start = bench::NowMs();
    raw.Exec("begin;");
    sqlite3_stmt* folder = nullptr;
    sqlite3_stmt* favor = nullptr;
    sqlite3_prepare_v2(raw.get(), "insert into tbl_folder(pid, name) values(?,?);", -1, &folder, nullptr);
    sqlite3_prepare_v2(raw.get(),
                       "insert into tbl_favor(pid, name, location, tags, hits, last_hit) values(?,?,?,?,0,?);",
                       -1, &favor, nullptr);
    const std::vector<int> rawIds = MakeFolders([&](int pid, const std::wstring& name) {
        sqlite3_bind_int(folder, 1, pid);
        sqlite3_bind_text(folder, 2, ToUtf8(name).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(folder);
        sqlite3_reset(folder);
        return static_cast<int>(sqlite3_last_insert_rowid(raw.get()));
    });
    for (int i = 0; i < kFavorCount; ++i) {
        const SyntheticFavor s = MakeFavor(i, rawIds, rawIds[150]);
        sqlite3_bind_int(favor, 1, s.pid);
        sqlite3_bind_text(favor, 2, ToUtf8(s.name).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(favor, 3, ToUtf8(s.location).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(favor, 4, ToUtf8(s.tags).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(favor, 5, ToUtf8(CFavorStore::CurrentTimeText()).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(favor);
        sqlite3_reset(favor);
    }
    sqlite3_finalize(folder);
    sqlite3_finalize(favor);
    raw.Exec("commit;");
    c.rawBuildMs = bench::NowMs() - start;

    // Some visits, so that the visit lists and the search order have work to do.
    RawDb visits(path, nullptr);
    visits.Exec("update tbl_favor set hits = (id * 7) % 13 + 1, "
                "last_hit = '2024-01-' || (10 + id % 19) || ' 10:00:00' where id % 97 = 0;");
    return c;
}

// One measured operation: the store's call and the same statement run raw, the raw one
// both with the store's connection settings and with SQLite's defaults.
struct Pair {
    std::function<void(CFavorStore&)> store;
    std::function<void(const RawDb&, Records*)> raw;
};

void Run(const BenchOptions& options) {
    const std::wstring path = TempPath(L"tm_bench_store.db");
    const std::wstring rawPath = TempPath(L"tm_bench_raw.db");
    RemoveDb(path);
    RemoveDb(rawPath);
    const Collection c = Build(path, rawPath);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info);
    std::printf("collection: %d favorites, %zu folders, %.1f MB; a folder of %d favorites\n", kFavorCount,
                c.folderIds.size(), info.nFileSizeLow / 1048576.0, kBigFolderFavors);

    bench::Table table({"operation", "store", "raw SQL", "raw+records", "raw, default cache"});
    table.Row("build: 2,000 AddFolder + 100,000 AddFavor, one batch (once)", {c.storeBuildMs, c.rawBuildMs});
    RemoveDb(rawPath);

    const int runs = options.runs;
    const std::string frequent = std::string("%") + kFrequentTerm + "%";
    const std::string rare = std::string("%") + kRareTerm + "%";
    {
        std::unique_ptr<CFavorStore> opened;
        std::unique_ptr<RawDb> rawOpened;
        const double store = bench::MedianMs(
            runs, [&] { opened->Open(path); }, [&] { opened = std::make_unique<CFavorStore>(); }, [&] { opened.reset(); });
        auto rawOpen = [&](const char* setup) {
            return bench::MedianMs(
                runs,
                [&] {
                    rawOpened = std::make_unique<RawDb>(path, nullptr);
                    rawOpened->Rows("select count(*) from sqlite_master where type='table' and name='tbl_favor'", "i");
                    if (setup) rawOpened->Exec(setup);
                },
                {}, [&] { rawOpened.reset(); });
        };
        table.Row("Open", {store, rawOpen(kTuned), bench::Table::kNotMeasured, rawOpen(nullptr)});
    }

    {
        // The first search after start-up reads the whole file.
        std::unique_ptr<CFavorStore> fresh;
        std::unique_ptr<RawDb> rawFresh;
        std::vector<FavorRecord> found;
        Records made;
        const double store = bench::MedianMs(
            runs, [&] { fresh->SearchFavors(FromUtf8(kFrequentTerm), found); },
            [&] {
                fresh = std::make_unique<CFavorStore>();
                fresh->Open(path);
            },
            [&] {
                fresh.reset();
            });
        auto raw = [&](const char* setup, Records* records, int times) {
            return bench::MedianMs(
                times, [&] { rawFresh->Rows(kSearchSql, "iitttit", frequent.c_str(), records); },
                [&] { rawFresh = std::make_unique<RawDb>(path, setup); },
                [&] {
                    made.Free();
                    rawFresh.reset();
                });
        };
        table.Row("SearchFavors, first after Open",
                  {store, raw(kTuned, nullptr, runs), raw(kTuned, &made, runs), raw(nullptr, nullptr, kDefaultCacheRuns)});
    }

    CFavorStore store;
    store.Open(path);
    const RawDb tuned(path, kTuned), plain(path, nullptr);
    const std::string bigFolderSql =
        "select id, name, location, tags, hits, last_hit from tbl_favor where pid = " + std::to_string(c.bigFolder);
    FavorRecord visited;
    visited.id = 97 * 5;

    std::vector<FavorRecord> favors;
    FolderRecord root;
    int count = 0;
    auto freeAll = [&] {
        favors.clear();
        root = FolderRecord();
    };
    const std::pair<const char*, Pair> operations[] = {
        {"LoadFolderTree",
         {[&](CFavorStore& s) { s.LoadFolderTree(root); },
          [](const RawDb& r, Records* made) { r.Rows("select id, pid, name from tbl_folder;", "iit", nullptr, made); }}},
        {"LoadFavors, folder of 5,000",
         {[&](CFavorStore& s) { s.LoadFavors(c.bigFolder, favors); },
          [&](const RawDb& r, Records* made) { r.Rows(bigFolderSql.c_str(), "itttit", nullptr, made); }}},
        {"SearchFavors, frequent term",
         {[&](CFavorStore& s) { s.SearchFavors(FromUtf8(kFrequentTerm), favors); },
          [&](const RawDb& r, Records* made) { r.Rows(kSearchSql, "iitttit", frequent.c_str(), made); }}},
        {"SearchFavors, rare term",
         {[&](CFavorStore& s) { s.SearchFavors(FromUtf8(kRareTerm), favors); },
          [&](const RawDb& r, Records* made) { r.Rows(kSearchSql, "iitttit", rare.c_str(), made); }}},
        {"GetMostVisited after CountVisit",
         {[&](CFavorStore& s) { s.GetMostVisited(favors); },
          [](const RawDb& r, Records* made) {
              r.Rows("select id, pid, name, location, tags, hits, last_hit from tbl_favor where hits>0 "
                     "order by hits desc limit 10",
                     "iitttit", nullptr, made);
          }}},
        {"CountVisit",
         {[&](CFavorStore& s) { s.CountVisit(visited); },
          [&](const RawDb& r, Records*) {
              r.RunBound("update tbl_favor set hits = hits + 1, last_hit = ? where id = ?;",
                         ToUtf8(CFavorStore::CurrentTimeText()).c_str(), visited.id);
          }}},
        {"LoadAll of Root",
         {[&](CFavorStore& s) { s.LoadAll(root, count); },
          [](const RawDb& r, Records* made) {
              r.Rows("select id, pid, name from tbl_folder;", "iit", nullptr, made);
              r.Rows("select pid, name, location from tbl_favor;", "itt", nullptr, made);
          }}},
    };
    for (const auto& entry : operations) {
        const char* name = entry.first;
        const Pair& op = entry.second;  // a plain reference: lambdas may not capture a structured binding in C++17
        const bool afterVisit = std::string(name).rfind("GetMostVisited", 0) == 0;
        std::function<void()> prepare;
        if (afterVisit) prepare = [&] { store.CountVisit(visited); };  // makes the list stale
        const double s = bench::MedianMs(runs, [&] { op.store(store); }, prepare, [&] {
            if (!afterVisit) freeAll();
            favors.clear();  // visit list records belong to the store
        });
        Records made;
        const double t = bench::MedianMs(runs, [&] { op.raw(tuned, nullptr); });
        const double m = bench::MedianMs(runs, [&] { op.raw(tuned, &made); }, {}, [&] { made.Free(); });
        const double p = bench::MedianMs(kDefaultCacheRuns, [&] { op.raw(plain, nullptr); });
        table.Row(name, {s, t, m, p});
    }
    table.Print();
    RemoveDb(path);
}

const BenchSection kStoreSection("store", "favorites store vs. the same SQL through the SQLite C API", Run);

}  // namespace
