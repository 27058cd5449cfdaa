// Whole syncs of real favorites files through the real servers: two stores kept in step,
// a file floccus wrote, and what must change nothing (a bad file, a held lock, many
// deletions before the user agrees).
#include "fakes/CutOffProxy.h"
#include "fakes/DavServersTest.h"
#include "logic/store/StoreTestSupport.h"
#include "logic/store/TempDbFile.h"
#include "sync/CSyncJob.h"
#include "edits/FavorEdits.h"
#include "sync/SyncEditStep.h"
#include "sync/Xbel.h"
#include <gtest/gtest.h>

namespace {

// One Tidemarker install: its favorites file, synced with one server file.
struct Install {
    TempDbFile file;
    CFavorStore store;
    FavorEdits edits{store};
    const TestDavServer& server;
    std::wstring name;
    SyncJobInput input;

    Install(const TestDavServer& s, const std::wstring& fileName) : server(s), name(fileName) {
        EXPECT_TRUE(store.Open(file.Path()));
        const TestDavServers& all = *FindTestDavServers();
        input.server = {server.url, name, all.user, all.password, server.thumbprint, 5000};
        input.databasePath = file.Path();
        input.memory = std::make_shared<SyncMemory>();  // as the program keeps it from sync to sync
    }
    SyncJobResult Sync() {
        CSyncJob job(input, [this](SyncMergeResult& m, std::wstring& why) { return ApplySyncStep(edits, m, why); });
        return job.Run();
    }
    std::wstring Tree() {
        OwnedTree all;
        int count = 0;
        store.LoadAll(all.root, count);
        return Render(all.root);
    }
    int Favor(const wchar_t* name, const wchar_t* location, int pid = 0) {
        FavorRecord f;
        f.name = name;
        f.location = location;
        f.pid = pid;
        return store.AddFavor(f) ? f.id : -1;
    }
    FavorRecord Load(int pid, const wchar_t* name) {
        OwnedFavors favors;
        store.LoadFavors(pid, favors.list);
        for (const FavorRecord& f : favors.list)
            if (f.name == name) return f;
        return {};
    }
};

class SyncJobOnServers : public DavServersTest {};

}  // namespace

TEST_F(SyncJobOnServers, TwoInstallsStayInStepWithEditsOnBoth) {
    Install a(servers->reference, file), b(servers->reference, file);
    const int news = AddTestFolder(a.store, L"News", 0);
    const int one = a.Favor(L"one", L"https://one.example/", news);
    a.Favor(L"two", L"https://two.example/", news);
    b.Favor(L"three", L"https://three.example/");
    for (Install* i : {&a, &b, &a}) ASSERT_EQ(SyncEnd::Synced, i->Sync().end);
    EXPECT_EQ(L"News[one two][three]", a.Tree());
    EXPECT_EQ(a.Tree(), b.Tree());

    // Tags and visits are this install's own: they survive a rename on the other.
    FavorRecord mine = a.Load(news, L"one");
    mine.tags = L"keep";
    ASSERT_TRUE(a.store.UpdateFavor(mine));
    ASSERT_TRUE(a.store.CountVisit(mine));
    {
        OwnedTree tree;
        b.store.LoadFolderTree(tree.root);
        ASSERT_EQ(1u, tree.root.subfolders.size());
        const int bNewsId = tree.root.subfolders[0]->id;
        FavorRecord theirs = b.Load(bNewsId, L"one");
        theirs.name = L"one renamed";
        ASSERT_TRUE(b.store.UpdateFavor(theirs));
        FavorRecord two = b.Load(bNewsId, L"two");
        ASSERT_TRUE(b.store.DeleteFavor(two.id));
        b.Favor(L"four", L"https://four.example/", bNewsId);
    }
    a.Favor(L"five", L"https://five.example/");
    for (Install* i : {&b, &a, &b}) ASSERT_EQ(SyncEnd::Synced, i->Sync().end);
    EXPECT_EQ(L"News[one renamed four][three five]", a.Tree());
    EXPECT_EQ(a.Tree(), b.Tree());
    const FavorRecord kept = a.Load(news, L"one renamed");
    EXPECT_EQ(one, kept.id);
    EXPECT_EQ(L"keep", kept.tags);
    EXPECT_EQ(1, kept.hits);

    // What a sync brought is one step, and taking it back is a change like any other.
    EXPECT_EQ(L"Sync", b.edits.UndoName());
    ASSERT_TRUE(b.edits.Undo());  // "five" goes again here
    for (Install* i : {&b, &a}) ASSERT_EQ(SyncEnd::Synced, i->Sync().end);
    EXPECT_EQ(L"News[one renamed four][three]", a.Tree());
}

TEST_F(SyncJobOnServers, AFileFloccusWroteIsKeptAsFloccusReadsIt) {
    const std::string floccus =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML\" "
        "\"http://pyxml.sourceforge.net/topics/dtds/xbel.dtd\">\n"
        "<xbel version=\"1.0\">\n"
        "<!--- highestId :9: for Floccus bookmark sync browser extension -->\n"
        "\n"
        "<folder id=\"3\">\n"
        "  <title>Nachrichten &amp; \xD0\x9C\xD0\xB8\xD1\x80</title>\n"
        "  <bookmark href=\"https://example.org/?a=1&amp;b=2\" id=\"7\">\n"
        "    <title>&lt;Tom&apos;s&gt;</title>\n"
        "  </bookmark>\n"
        "  <bookmark href=\"https://separator.floccus.org/?id=8\" id=\"8\">\n"
        "    <title>-----</title>\n"
        "  </bookmark>\n"
        "</folder>\n"
        "</xbel>";
    const TestDavServer& rclone = servers->rclone;  // no If-Match: FILE.temp and MOVE
    ASSERT_TRUE(PutDavFile(rclone, file, floccus));
    Install i(rclone, file);
    ASSERT_EQ(SyncEnd::Synced, i.Sync().end);
    EXPECT_EQ(L"Nachrichten & \u041C\u0438\u0440[<Tom's>]", i.Tree());
    EXPECT_EQ(floccus, ReadDavFile(rclone, file));  // nothing new here: not written

    OwnedTree tree;
    i.store.LoadFolderTree(tree.root);
    i.Favor(L"\u65E5\u672C", L"https://nihon.example/", tree.root.subfolders[0]->id);
    const SyncJobResult r = i.Sync();
    ASSERT_EQ(SyncEnd::Synced, r.end);
    EXPECT_TRUE(r.serverWritten);
    const std::string written = ReadDavFile(rclone, file);
    SyncTree back;
    std::wstring why;
    ASSERT_TRUE(ReadXbel(written, back, why));
    EXPECT_EQ(10u, back.highestId);
    EXPECT_EQ(0u, written.rfind(floccus.substr(0, floccus.find("<!---")), 0));  // the same header lines
    EXPECT_NE(std::string::npos, written.find("<!--- highestId :10: for Floccus bookmark sync browser extension -->"));
    EXPECT_NE(std::string::npos, written.find("<bookmark href=\"https://separator.floccus.org/?id=8\" id=\"8\">"));
    EXPECT_NE(std::string::npos, written.find("<bookmark href=\"https://nihon.example/\" id=\"10\">"));
    EXPECT_NE(std::string::npos, written.find("&lt;Tom&apos;s&gt;"));
    EXPECT_EQ(std::string::npos, written.find("&#"));
    EXPECT_FALSE(DavFileExists(rclone, file + L".lock"));
}

TEST_F(SyncJobOnServers, WhatMustChangeNothingChangesNothing) {
    Install i(servers->reference, file);
    for (int n = 0; n < 10; ++n) i.Favor((L"f" + std::to_wstring(n)).c_str(), (L"https://f.example/" + std::to_wstring(n)).c_str());
    ASSERT_EQ(SyncEnd::Synced, i.Sync().end);
    const std::string good = ReadDavFile(servers->reference, file);
    const std::wstring tree = i.Tree();

    // A file cut short, or not a sync file at all: refused, both sides as they were.
    for (const std::string& bad : {good.substr(0, good.size() / 2), std::string("<html>hello</html>")}) {
        ASSERT_TRUE(PutDavFile(servers->reference, file, bad));
        const SyncJobResult r = i.Sync();
        EXPECT_EQ(SyncEnd::Failed, r.end);
        EXPECT_FALSE(r.reason.empty());
        EXPECT_EQ(bad, ReadDavFile(servers->reference, file));
        EXPECT_EQ(tree, i.Tree());
    }
    // The connection lost in the middle of the upload: the server keeps its file, the store
    // was not touched, and the next sync puts both in step.
    ASSERT_TRUE(PutDavFile(servers->reference, file, good));
    i.Favor(L"late", L"https://late.example/");
    for (int n = 0; n < 400; ++n) i.Favor(L"padding", (L"https://pad.example/" + std::to_wstring(n)).c_str());
    {
        CutOffProxy proxy(CutOffProxy::PortOf(servers->reference.url), CutOffProxy::Direction::Upload, 20000);
        i.input.server.folderUrl = proxy.Through(servers->reference.url);
        EXPECT_EQ(SyncEnd::Failed, i.Sync().end);
        i.input.server.folderUrl = servers->reference.url;
    }
    EXPECT_EQ(good, ReadDavFile(servers->reference, file));
    ASSERT_EQ(SyncEnd::Synced, i.Sync().end);
    EXPECT_NE(std::string::npos, ReadDavFile(servers->reference, file).find("late"));
    const std::string synced = ReadDavFile(servers->reference, file);

    // Another client's fresh lock: the sync waits for a later turn.
    ASSERT_TRUE(PutDavFile(servers->reference, file + L".lock", CWebDavSession::kLockBody));
    EXPECT_EQ(SyncEnd::LockHeld, i.Sync().end);
    ASSERT_TRUE(AgeDavFile(servers->reference, file + L".lock", 16 * 60));  // abandoned: taken over

    // Another client kept only 3 of them: asked first; nothing changes until the user agrees.
    SyncTree fewer;
    std::wstring why;
    ASSERT_TRUE(ReadXbel(synced, fewer, why));
    fewer.root.children.resize(3);
    ASSERT_TRUE(PutDavFile(servers->reference, file, WriteXbel(fewer)));
    const std::wstring all = i.Tree();
    const SyncJobResult asked = i.Sync();
    ASSERT_EQ(SyncEnd::AskDeletions, asked.end);
    EXPECT_EQ(408u, asked.localFavorsDeleted);
    EXPECT_EQ(411u, asked.localFavors);
    EXPECT_EQ(all, i.Tree());
    i.input.allowedLocalDeletions = 408;
    ASSERT_EQ(SyncEnd::Synced, i.Sync().end);
    EXPECT_EQ(L"[f0 f1 f2]", i.Tree());
}
