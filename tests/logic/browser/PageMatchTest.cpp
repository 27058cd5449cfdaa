// What the stacking-order walk relies on beyond the cases the window tests stack up.
#include "browser/PageMatch.h"
#include <gtest/gtest.h>

namespace {

HWND Handle(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

TEST(PageMatch, WebPagesOnlyAndTitleMatchesInHandleOrder) {
    const PagesByWindow pages = GroupWebPages({
        {L"Docs", L"http://late.example/", Handle(0x500)},
        {L"", L"http://blank.example/", Handle(0x500)},
        {L"Docs", L"HtTp:/", Handle(0x100)},
        {L"Short", L"http:", Handle(0x200)},
        {L"Files", L"ftp://files.example/", Handle(0x300)},
    });
    ASSERT_EQ(pages.size(), 2u);  // "http:" is too short, ftp is no web page
    const struct {
        const wchar_t* title;
        const wchar_t* url;  // of the matched page, or null
    } cases[] = {
        {L"Docs - Viewer", L"HtTp:/"},  // lowest handle first, whatever the list order
        {L"docs - Viewer", nullptr},     // titles compare exactly
        {L"Viewer - Docs", nullptr},     // only at the start
        {L"Anything", nullptr},          // an empty page title begins nothing
        {L"http://blank.example/ page", L"http://blank.example/"},
    };
    for (const auto& c : cases) {
        const ShellPage* page = MatchWindow(pages, Handle(0x999), c.title);
        EXPECT_EQ(page ? page->url : L"-", c.url ? c.url : L"-") << c.title;
    }
}

}  // namespace
