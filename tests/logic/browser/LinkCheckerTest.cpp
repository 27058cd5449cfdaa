#include "fakes/TestHttpServer.h"  // winsock2.h before windows.h
#include "browser/CLinkChecker.h"
#include <gtest/gtest.h>
#include <map>

namespace {

struct Expected {
    std::wstring location;
    LinkOutcome outcome;
    std::wstring text;
    std::wstring newLocation;
};

TEST(LinkCheckerTest, EveryKindOfAnswerGetsItsOutcomeWithoutCookies) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    const std::vector<Expected> cases = {
        {server.Url("/ok"), LinkOutcome::Ok, L"OK", L""},
        {server.Url("/moved"), LinkOutcome::Moved, L"Moved", server.Url("/ok")},
        {server.Url("/temp"), LinkOutcome::Ok, L"OK", L""},  // a temporary redirect is no move
        {server.Url("/gone"), LinkOutcome::NotFound, L"Not found (404)", L""},
        {server.Url("/gone410"), LinkOutcome::NotFound, L"Not found (410)", L""},
        {server.Url("/error"), LinkOutcome::ServerError, L"Server error (500)", L""},
        {server.Url("/nohead"), LinkOutcome::Ok, L"OK", L""},
        {server.Url("/silent"), LinkOutcome::NoAnswer, L"No answer", L""},
        {server.Url("/loop"), LinkOutcome::ServerError, L"Server error (too many redirects)", L""},
        {TestHttpServer::ClosedPortUrl(), LinkOutcome::Refused, L"Refused", L""},
        {L"http://nonexistent.invalid/page", LinkOutcome::NameNotFound, L"Name not found", L""},
        {L"http:///no-host", LinkOutcome::NameNotFound, L"Name not found (bad address)", L""},
    };
    std::vector<std::wstring> locations;
    for (const Expected& c : cases) locations.push_back(c.location);
    std::mutex lock;
    std::map<int, LinkCheckResult> results;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    LinkCheckOptions options;
    options.timeoutMs = 700;
    options.systemProxy = false;
    auto checker = CLinkChecker::Start(
        locations, options,
        [&](const LinkCheckResult& r) {
            std::lock_guard<std::mutex> guard(lock);
            results[r.index] = r;
        },
        [&] { SetEvent(done); });
    ASSERT_TRUE(checker);
    ASSERT_EQ(WaitForSingleObject(done, 20000), WAIT_OBJECT_0);
    EXPECT_TRUE(checker->Wait(5000));
    CloseHandle(done);
    ASSERT_EQ(results.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const LinkCheckResult& r = results[static_cast<int>(i)];
        EXPECT_EQ(r.outcome, cases[i].outcome) << cases[i].location;
        EXPECT_EQ(OutcomeText(r), cases[i].text) << cases[i].location;
        EXPECT_EQ(r.newLocation, cases[i].newLocation) << cases[i].location;
    }
    int loopHops = 0;
    for (const TestHttpServer::Request& seen : server.Requests()) {
        EXPECT_FALSE(seen.cookie) << seen.path;
        EXPECT_EQ(seen.userAgent, "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                                  "Chrome/126.0.0.0 Safari/537.36");
        loopHops += seen.path == "/loop";
    }
    EXPECT_EQ(loopHops, kMaxRedirects + 1);
}

}  // namespace
