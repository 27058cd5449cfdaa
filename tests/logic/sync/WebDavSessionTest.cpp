#include "fakes/CutOffProxy.h"
#include "fakes/DavServersTest.h"
#include "fakes/TestHttpServer.h"
#include "sync/CWebDavSession.h"
#include "sync/Xbel.h"
#include <gtest/gtest.h>

namespace {

WebDavSettings For(const TestDavServer& server, const std::wstring& file, const std::wstring& url = {}) {
    const TestDavServers& all = *FindTestDavServers();
    WebDavSettings s;
    s.folderUrl = url.empty() ? server.url : url;
    s.fileName = file;
    s.user = all.user;
    s.password = all.password;
    s.trustedThumbprint = server.thumbprint;
    s.timeoutMs = 5000;
    return s;
}

std::string SyncFile(const wchar_t* title) {
    SyncTree tree;
    tree.root.children.push_back({SyncItem::Kind::Bookmark, "1", title, L"https://example.org/", {}});
    tree.highestId = 1;
    return WriteXbel(tree);
}

class WebDavSessionOnServers : public DavServersTest {};

}  // namespace

TEST_F(WebDavSessionOnServers, IfMatchUploadsAndDownloadsOnApache) {
    CWebDavSession dav(For(servers->reference, file));
    DavFile got;
    EXPECT_EQ(DavStatus::NotFound, dav.Download(got).status);
    bool honoured = false;
    ASSERT_TRUE(dav.ProbeIfMatch(honoured).Ok());
    EXPECT_TRUE(honoured);
    EXPECT_FALSE(DavFileExists(servers->reference, file + L".probe"));

    const std::string first = SyncFile(L"first");
    ASSERT_TRUE(dav.Upload(first, L"", UploadWay::IfMatch).Ok());
    EXPECT_EQ(first, ReadDavFile(servers->reference, file));
    // A second first upload, or one against a stale ETag, changes nothing.
    EXPECT_EQ(DavStatus::Stale, dav.Upload(SyncFile(L"x"), L"", UploadWay::IfMatch).status);
    EXPECT_EQ(DavStatus::Stale, dav.Upload(SyncFile(L"x"), L"\"stale\"", UploadWay::IfMatch).status);
    EXPECT_EQ(first, ReadDavFile(servers->reference, file));

    Sleep(1100);  // Apache's ETag is weak for a second after a write
    ASSERT_TRUE(dav.Download(got).Ok());
    EXPECT_EQ(first, got.bytes);
    const std::string second = SyncFile(L"second");
    ASSERT_TRUE(dav.Upload(second, got.etag, UploadWay::IfMatch).Ok()) << std::string(got.etag.begin(), got.etag.end());
    EXPECT_EQ(second, ReadDavFile(servers->reference, file));
}

TEST_F(WebDavSessionOnServers, TempAndMoveOnAServerThatIgnoresIfMatch) {
    CWebDavSession dav(For(servers->rclone, file));
    bool honoured = true;
    ASSERT_TRUE(dav.ProbeIfMatch(honoured).Ok());
    EXPECT_FALSE(honoured);
    const std::string bytes = SyncFile(L"rclone");
    ASSERT_TRUE(dav.Upload(bytes, L"", UploadWay::TempAndMove).Ok());
    EXPECT_EQ(bytes, ReadDavFile(servers->rclone, file));
    EXPECT_FALSE(DavFileExists(servers->rclone, file + L".temp"));
    DavFile got;
    ASSERT_TRUE(dav.Download(got).Ok());
    EXPECT_EQ(bytes, got.bytes);
}

TEST_F(WebDavSessionOnServers, LockIsTakenRespectedTakenOverWhenStaleAndReleased) {
    CWebDavSession mine(For(servers->reference, file)), theirs(For(servers->reference, file));
    ASSERT_TRUE(mine.TakeLock().Ok());
    EXPECT_EQ(CWebDavSession::kLockBody, ReadDavFile(servers->reference, file + L".lock"));
    EXPECT_EQ(DavStatus::LockHeld, theirs.TakeLock().status);
    EXPECT_FALSE(theirs.HoldsLock());
    EXPECT_TRUE(mine.KeepLock().Ok());

    ASSERT_TRUE(AgeDavFile(servers->reference, file + L".lock", CWebDavSession::kLockStaleSeconds - 60));
    EXPECT_EQ(DavStatus::LockHeld, theirs.TakeLock().status);
    ASSERT_TRUE(AgeDavFile(servers->reference, file + L".lock", CWebDavSession::kLockStaleSeconds + 60));
    ASSERT_TRUE(theirs.TakeLock().Ok());  // abandoned: taken over
    EXPECT_TRUE(theirs.ReleaseLock().Ok());
    EXPECT_FALSE(DavFileExists(servers->reference, file + L".lock"));
    EXPECT_TRUE(mine.ReleaseLock().Ok());  // already gone: fine
}

TEST_F(WebDavSessionOnServers, WrongPasswordRedirectAndUntrustedCertificateAreReportedNotFollowed) {
    WebDavSettings wrong = For(servers->reference, file);
    wrong.password += L"x";
    CWebDavSession denied(wrong);
    DavFile got;
    EXPECT_EQ(DavStatus::Unauthorized, denied.Download(got).status);
    EXPECT_EQ(DavStatus::Unauthorized, denied.TakeLock().status);

    TestHttpServer elsewhere;  // answers 301 for /moved
    CWebDavSession moved(For(servers->reference, L"moved", elsewhere.Url("/")));
    const DavResult redirect = moved.Download(got);
    EXPECT_EQ(DavStatus::Redirected, redirect.status);
    EXPECT_NE(std::wstring::npos, redirect.location.find(L"/ok"));

    // https: refused with its thumbprint and subject; trusted by that thumbprint; any
    // other trusted thumbprint still refused, and nothing reaches the server.
    const TestDavServer& https = servers->apacheHttps;
    WebDavSettings untrusted = For(https, file);
    untrusted.trustedThumbprint.clear();
    const DavResult refused = CWebDavSession(untrusted).Upload("x", L"", UploadWay::IfMatch);
    EXPECT_EQ(DavStatus::Certificate, refused.status) << refused.error;
    EXPECT_EQ(https.thumbprint, refused.certificate.thumbprint);
    EXPECT_NE(std::wstring::npos, refused.certificate.subject.find(https.subject));
    untrusted.trustedThumbprint = std::wstring(64, L'0');
    EXPECT_EQ(DavStatus::Certificate, CWebDavSession(untrusted).Upload("x", L"", UploadWay::IfMatch).status);
    EXPECT_FALSE(DavFileExists(https, file));
    EXPECT_TRUE(CWebDavSession(For(https, file)).Upload("x", L"", UploadWay::IfMatch).Ok());
    EXPECT_EQ("x", ReadDavFile(https, file));
}

TEST_F(WebDavSessionOnServers, LostConnectionsLoseNothing) {
    const std::string old = SyncFile(L"old");
    std::string big = SyncFile(std::wstring(60000, L'n').c_str());
    ASSERT_TRUE(PutDavFile(servers->apache, file, old));
    ASSERT_TRUE(PutDavFile(servers->rclone, file, old));
    // Cut off mid-upload: Apache keeps the old file; on rclone the half goes to the
    // temporary file only.
    for (const TestDavServer* server : {&servers->apache, &servers->rclone}) {
        CutOffProxy proxy(CutOffProxy::PortOf(server->url), CutOffProxy::Direction::Upload, 20000);
        CWebDavSession dav(For(*server, file, proxy.Through(server->url)));
        const UploadWay way = server == &servers->apache ? UploadWay::IfMatch : UploadWay::TempAndMove;
        EXPECT_EQ(DavStatus::Network, dav.Upload(big, server == &servers->apache ? L"" : L"", way).status);
        EXPECT_EQ(old, ReadDavFile(*server, file));
    }
    // A download cut off is never taken for the file.
    {
        ASSERT_TRUE(PutDavFile(servers->rclone, file, big));
        CutOffProxy proxy(CutOffProxy::PortOf(servers->rclone.url), CutOffProxy::Direction::Download, 30000);
        DavFile got;
        EXPECT_FALSE(CWebDavSession(For(servers->rclone, file, proxy.Through(servers->rclone.url))).Download(got).Ok());
        EXPECT_TRUE(got.bytes.empty());
    }
    // A file another client left cut short on rclone downloads whole but is refused.
    {
        CutOffProxy proxy(CutOffProxy::PortOf(servers->rclone.url), CutOffProxy::Direction::Upload, 20000);
        WebDavSettings s = For(servers->rclone, file, proxy.Through(servers->rclone.url));
        CWebDavSession(s).Upload(big, L"", UploadWay::IfMatch);
        DavFile got;
        ASSERT_TRUE(CWebDavSession(For(servers->rclone, file)).Download(got).Ok());
        EXPECT_LT(got.bytes.size(), big.size());
        SyncTree tree;
        std::wstring reason;
        EXPECT_FALSE(ReadXbel(got.bytes, tree, reason));
    }
}
