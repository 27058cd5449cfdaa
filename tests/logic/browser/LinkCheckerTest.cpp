#include "fakes/TestHttpServer.h"  // winsock2.h before windows.h
#include "browser/AddressScope.h"
#include "browser/CLinkChecker.h"
#include <ws2tcpip.h>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Expected {
    std::wstring location;
    LinkOutcome outcome;
    std::wstring text;
    std::wstring newLocation;
};

// Checks the cases' locations to the end of the check and compares what each gave.
void ExpectOutcomes(const std::vector<Expected>& cases, LinkCheckOptions options) {
    options.timeoutMs = 700;
    options.systemProxy = false;
    std::vector<std::wstring> locations;
    for (const Expected& c : cases) locations.push_back(c.location);
    std::mutex lock;
    std::map<int, LinkCheckResult> results;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    auto checker = CLinkChecker::Start(
        locations, options,
        [&](const LinkCheckResult& r) {
            std::lock_guard<std::mutex> guard(lock);
            results[r.index] = r;
        },
        [&] { SetEvent(done); });
    ASSERT_TRUE(checker);
    EXPECT_EQ(WaitForSingleObject(done, 20000), WAIT_OBJECT_0);
    EXPECT_TRUE(checker->Wait(5000));
    CloseHandle(done);
    ASSERT_EQ(results.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const LinkCheckResult& r = results[static_cast<int>(i)];
        EXPECT_EQ(r.outcome, cases[i].outcome) << cases[i].location;
        EXPECT_EQ(OutcomeText(r), cases[i].text) << cases[i].location;
        EXPECT_EQ(r.newLocation, cases[i].newLocation) << cases[i].location;
    }
}

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
    ExpectOutcomes(cases, {});
    int loopHops = 0;
    for (const TestHttpServer::Request& seen : server.Requests()) {
        EXPECT_FALSE(seen.cookie) << seen.path;
        EXPECT_EQ(seen.userAgent, "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                                  "Chrome/126.0.0.0 Safari/537.36");
        loopHops += seen.path == "/loop";
    }
    EXPECT_EQ(loopHops, kMaxRedirects + 1);
}

TEST(LinkCheckerTest, APublicSiteCannotSendTheCheckHomeAndABusySiteIsSparedAndNotCalledDead) {
    TestHttpServer site, router("127.0.0.2");  // the second loopback address stands for the home network
    ASSERT_TRUE(site.Listening());
    ASSERT_TRUE(router.Listening());
    LinkCheckOptions options;
    options.isPrivateAddress = [](const sockaddr& a) {
        return a.sa_family == AF_INET && ntohl(reinterpret_cast<const sockaddr_in&>(a).sin_addr.s_addr) == 0x7F000002;
    };
    const std::wstring temp = router.Url("/temp");
    const std::string toRouter = "/301?" + std::string(temp.begin(), temp.end());
    const std::vector<Expected> cases = {
        {site.Url(toRouter.c_str()), LinkOutcome::PrivateRedirect, L"Redirected to private address (301)", L""},
        {router.Url("/moved"), LinkOutcome::Moved, L"Moved", router.Url("/ok")},  // a router's own page: as ever
        {site.Url("/toftp"), LinkOutcome::Moved, L"Moved (not a web address)", L""},  // never offered for Replace
        {site.Url("/busy"), LinkOutcome::Busy, L"Busy (429)", L""},
        {site.Url("/busylong"), LinkOutcome::Busy, L"Busy (429)", L""},
        {site.Url("/busy503"), LinkOutcome::Busy, L"Busy (503)", L""},
        {site.Url("/slow"), LinkOutcome::Ok, L"OK", L""}, {site.Url("/slow"), LinkOutcome::Ok, L"OK", L""},
        {site.Url("/slow"), LinkOutcome::Ok, L"OK", L""}, {site.Url("/slow"), LinkOutcome::Ok, L"OK", L""},
    };
    ExpectOutcomes(cases, options);
    for (const TestHttpServer::Request& seen : router.Requests()) EXPECT_NE(seen.path, "/temp");
    std::map<std::string, int> asked;
    for (const TestHttpServer::Request& seen : site.Requests()) ++asked[seen.path];
    EXPECT_EQ(asked["/busy"], 2);  // once more after its Retry-After of a second
    EXPECT_EQ(asked["/busylong"], 1);
    EXPECT_EQ(asked["/busy503"], 1);
    EXPECT_EQ(site.MostAtOnce(), 2);  // of eight workers, two at a time to one host
}

TEST(LinkCheckerTest, PrivateAddressesAndRetryAfterValues) {
    const struct { const char* address; bool isPrivate; } addresses[] = {
        {"127.0.0.2", true},   {"10.1.2.3", true},     {"172.16.0.1", true},    {"172.31.255.255", true},
        {"172.32.0.1", false}, {"192.168.1.1", true},  {"169.254.1.1", true},   {"0.0.0.0", true},
        {"8.8.8.8", false},    {"203.0.113.5", false}, {"::1", true},           {"::", true},
        {"fe80::1", true},     {"fd00::1", true},      {"fec0::1", true},       {"2001:db8::1", false},
        {"::ffff:192.168.0.1", true}, {"::ffff:8.8.8.8", false},
    };
    for (const auto& a : addresses) {
        sockaddr_storage s{};
        const bool v6 = std::string(a.address).find(':') != std::string::npos;
        s.ss_family = v6 ? AF_INET6 : AF_INET;
        void* at = v6 ? static_cast<void*>(&reinterpret_cast<sockaddr_in6&>(s).sin6_addr)
                      : static_cast<void*>(&reinterpret_cast<sockaddr_in&>(s).sin_addr);
        ASSERT_EQ(inet_pton(s.ss_family, a.address, at), 1) << a.address;
        EXPECT_EQ(IsPrivateAddress(reinterpret_cast<const sockaddr&>(s)), a.isPrivate) << a.address;
    }
    const SYSTEMTIME now{2024, 5, 3, 10, 12, 0, 0, 0};  // Fri, 10 May 2024 12:00:00 GMT
    EXPECT_EQ(RetryAfterSeconds(L"7", now), 7);
    EXPECT_EQ(RetryAfterSeconds(L"Fri, 10 May 2024 12:00:20 GMT", now), 20);
    EXPECT_EQ(RetryAfterSeconds(L"Fri, 10 May 2024 11:00:00 GMT", now), 0);
    EXPECT_EQ(RetryAfterSeconds(L"", now), -1);
    EXPECT_EQ(RetryAfterSeconds(L"soon", now), -1);
}

}  // namespace
