// What the user reads about a sync, and which addresses make the password travel in
// the clear.
#include "sync/SyncTexts.h"
#include <gtest/gtest.h>

TEST(SyncTexts, PlainHttpIsAskedForUnlessTheServerIsThisMachine) {
    const struct { const wchar_t* url; bool asks; bool usable; } cases[] = {
        {L"http://nas.home/dav/", true, true},        {L"HTTP://Dav.Example:8080/x", true, true},
        {L"http://127.0.0.1:8080/dav/", false, true},  {L"http://127.12.0.9/", false, true},
        {L"http://127.evil.example/", true, true},     {L"http://localhost/dav", false, true},
        {L"http://[::1]:81/", false, true},            {L"http://user@localhost.evil/", true, true},
        {L"https://dav.example/", false, true},        {L"ftp://dav.example/", false, false},
        {L"https:///nohost", false, false},            {L"dav.example/bm", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.asks, synctexts::IsPlainHttpToOtherHost(c.url)) << c.url;
        EXPECT_EQ(c.usable, synctexts::IsServerUrl(c.url)) << c.url;
    }
}

TEST(SyncTexts, StatusLineEndsWithTheTimeOrAShortReason) {
    SYSTEMTIME at{};
    at.wHour = 9;
    at.wMinute = 5;
    SyncJobResult r;
    r.end = SyncEnd::Synced;
    EXPECT_EQ(L"Synced 09:05", synctexts::StatusText(r, at));
    EXPECT_EQ(L"Synced 09:05", synctexts::ResultLine(r, at));
    r.end = SyncEnd::Failed;
    r.dav.status = DavStatus::Unauthorized;
    EXPECT_EQ(L"Not synced: " + DescribeDavResult(r.dav), synctexts::StatusText(r, at));
    r.reason = L"the synced folder no longer exists";
    EXPECT_EQ(L"Not synced: the synced folder no longer exists, 09:05", synctexts::ResultLine(r, at));
    r = SyncJobResult();
    r.end = SyncEnd::AskDeletions;
    r.localFavors = 120;
    r.localFavorsDeleted = 40;
    EXPECT_EQ(L"This sync would delete 40 of the 120 favorites here.\n\nDelete them and go on with the sync?",
              synctexts::DeletionQuestion(r));
}
