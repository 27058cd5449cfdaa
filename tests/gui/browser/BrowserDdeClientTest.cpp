// The DDE conversation with a browser stand-in running on a second thread.
#include "app/AppMessages.h"
#include "browser/CBrowserDdeClient.h"
#include "browser/CapturePage.h"
#include "browser/IShellPageSource.h"
#include "gui/browser/CapturedMessagePump.h"
#include "gui/browser/TestDdeServer.h"
#include "store/Records.h"
#include <gtest/gtest.h>

namespace {

class FolderOnly : public IShellPageSource {
public:
    std::vector<ShellPage> Pages() override { return {{L"Docs", L"C:\\Docs", HWND_DESKTOP}}; }
};

class BrowserDde : public testing::Test {
protected:
    void SetUp() override { m_receiver = CreateReceiver(); ASSERT_NE(m_receiver, nullptr); }
    void TearDown() override { DestroyWindow(m_receiver); }
    HWND m_receiver = nullptr;
};

TEST_F(BrowserDde, EachAnswerIsPostedOnceAsARecordOrNull) {
    const struct {
        std::vector<std::string> replies;  // none: the server declines
        const wchar_t* name;               // null: 0 is posted
        const wchar_t* location;
    } cases[] = {
        {{"\"http://www.example.com/\",\"Example Domain\",\"\""}, L"Example Domain", L"http://www.example.com/"},
        {{"\"http://news.example/\",\"Hello, World\",\"\""}, L"Hello", L"http://news.example/"},
        {{"\"https://caf\xE9.example/\",\"Caf\xE9\""}, L"Caf\u00E9", L"https://caf\u00E9.example/"},
        {{"\"http://only.example/\""}, nullptr, nullptr},
        {{}, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replies.empty() ? "declined" : c.replies[0]);
        std::optional<CapturedMessage> captured;
        {
            TestDdeServer server(c.replies);
            ASSERT_TRUE(server.Running());
            CBrowserDdeClient client;
            client.SetMainWindow(m_receiver);
            ASSERT_TRUE(client.RequestWindowInfo("FireFox", "1"));
            captured = WaitForCaptured(m_receiver);
            ASSERT_TRUE(captured.has_value());
        }
        // Some servers also acknowledge a request after its data; that is no second answer.
        EXPECT_EQ(CountQueuedCaptures(m_receiver), 0);
        ASSERT_EQ(captured->record != nullptr, c.name != nullptr);
        if (!c.name) continue;
        EXPECT_EQ(captured->record->name, c.name);
        EXPECT_EQ(captured->record->location, c.location);
    }
}

TEST_F(BrowserDde, ANewRequestSupersedesAnUnansweredOne) {
    TestDdeServer server({"\"http://first.example/\",\"First\"", "\"http://second.example/\",\"Second\""});
    CBrowserDdeClient client;
    client.SetMainWindow(m_receiver);
    ASSERT_TRUE(client.RequestWindowInfo("FireFox", "1"));
    ASSERT_TRUE(client.RequestWindowInfo("FireFox", "1"));
    // Answers arrive in order, so an answer to the first request would come first.
    auto captured = WaitForCaptured(m_receiver);
    ASSERT_TRUE(captured.has_value());
    ASSERT_NE(captured->record, nullptr);
    EXPECT_EQ(captured->record->name, L"Second");
}

TEST_F(BrowserDde, CaptureAsksByDdeWhenNoBrowserPageMatches) {
    FolderOnly shell;
    FavorRecord record;
    bool pending = false;
    {
        CBrowserDdeClient client;
        EXPECT_FALSE(CapturePage(record, pending, m_receiver, shell, client)) << "no server yet";
        EXPECT_TRUE(pending);
    }
    TestDdeServer server({"\"http://www.example.org/\",\"Example\""});
    CBrowserDdeClient client;
    record.name = L"stale";
    ASSERT_TRUE(CapturePage(record, pending, m_receiver, shell, client));
    EXPECT_TRUE(pending);
    EXPECT_TRUE(record.name.empty());
    auto captured = WaitForCaptured(m_receiver);
    ASSERT_TRUE(captured.has_value());
    ASSERT_NE(captured->record, nullptr);
    EXPECT_EQ(captured->record->location, L"http://www.example.org/");
}

TEST_F(BrowserDde, ARecordNobodyCanReceiveIsNotPosted) {
    HWND gone = CreateReceiver();
    DestroyWindow(gone);
    EXPECT_FALSE(PostFavorCaptured(gone, std::make_unique<FavorRecord>()));
    EXPECT_FALSE(PostFavorCaptured(nullptr, std::make_unique<FavorRecord>()));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_FAVOR_CAPTURED, WM_FAVOR_CAPTURED, PM_NOREMOVE))
        << "nothing landed in the thread's own queue";
}

}  // namespace
