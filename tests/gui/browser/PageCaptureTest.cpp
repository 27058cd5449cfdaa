// Which page Magic Add takes: pages from a stand-in for the shell's window collection,
// matched against real top-level windows stacked in a known order.
#include "browser/CBrowserDdeClient.h"
#include "browser/CShellWindowsSource.h"
#include "browser/CapturePage.h"
#include "store/Records.h"
#include <gtest/gtest.h>
#include <initializer_list>

namespace {

class FakePages : public IShellPageSource {
public:
    std::vector<ShellPage> Pages() override { return pages; }
    std::vector<ShellPage> pages;
};

class PageCapture : public testing::Test {
protected:
    void TearDown() override {
        for (HWND w : m_windows) DestroyWindow(w);
    }
    HWND Window(const wchar_t* title) {
        m_windows.push_back(CreateWindowExW(0, L"STATIC", title, WS_POPUP, 0, 0, 50, 20, nullptr,
                                            nullptr, nullptr, nullptr));
        return m_windows.back();
    }
    // The first window ends up highest in the stacking order.
    static void StackTopDown(std::initializer_list<HWND> windows) {
        for (auto it = std::rbegin(windows); it != std::rend(windows); ++it)
            SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // The location captured at once (no DDE), or "-" when nothing was.
    std::wstring Capture() {
        FavorRecord record;
        record.location = L"stale";
        bool pending = false;
        if (!CapturePage(record, pending, nullptr, m_shell, m_dde) || pending) return L"-";
        return record.name + L" " + record.location;
    }
    FakePages m_shell;
    CBrowserDdeClient m_dde;  // no DDE server runs in these tests
    std::vector<HWND> m_windows;
};

TEST_F(PageCapture, TheHighestWindowThatStandsForAPageWins) {
    HWND one = Window(L"tm-test browser one");
    HWND two = Window(L"tm-test browser two");
    HWND viewer = Window(L"Report 7f3a - Viewer");               // begins with a page title
    HWND reader = Window(L"http://reader.example/7f3a - Reader");  // begins with a page URL
    HWND folder = Window(L"Docs 7f3a");
    m_shell.pages = {{L"One", L"http://one.example/", one},
                     {L"Docs 7f3a", L"C:\\Users\\me\\Docs", folder},
                     {L"Report 7f3a", L"http://report.example/", two},
                     {L"Two", L"HTTPS://TWO.EXAMPLE/", two},
                     {L"Reader", L"http://reader.example/7f3a", one}};
    const struct {
        std::initializer_list<HWND> order;
        const wchar_t* captured;
    } cases[] = {
        {{two, one}, L"Report 7f3a http://report.example/"},  // first page of the top browser
        {{one, two}, L"One http://one.example/"},
        {{viewer, one, two}, L"Report 7f3a http://report.example/"},
        {{reader, two, one}, L"Reader http://reader.example/7f3a"},
        {{folder, two, one}, L"Report 7f3a http://report.example/"},  // folders are no pages
    };
    for (const auto& c : cases) {
        StackTopDown(c.order);
        EXPECT_EQ(Capture(), c.captured);
    }
    m_shell.pages.erase(m_shell.pages.begin() + 2);
    StackTopDown({two, one});
    EXPECT_EQ(Capture(), L"Two HTTPS://TWO.EXAMPLE/") << "secure pages in capitals count";
    m_shell.pages = {m_shell.pages[1]};
    EXPECT_EQ(Capture(), L"-") << "only a folder, and no DDE partner";
}

TEST(ShellWindows, TheShellsCollectionIsReadWithoutBrowsers) {
    // No browser runs in the test prefix: the real collection comes back without pages.
    CShellWindowsSource shell;
    EXPECT_TRUE(GroupWebPages(shell.Pages()).empty());
}

}  // namespace
