// Browser windows of today: which ones count, the page title in their window title,
// and the address their address field shows.
#include "browser/AddressText.h"
#include "browser/BrowserWindows.h"
#include <gtest/gtest.h>

namespace {

constexpr wchar_t kChromium[] = L"Chrome_WidgetWin_1";
constexpr wchar_t kGecko[] = L"MozillaWindowClass";

TEST(BrowserWindows, ClassProcessAndTitleTellABrowserWindow) {
    const struct {
        const wchar_t* className;
        const wchar_t* image;
        const wchar_t* title;
        const wchar_t* browser;  // null: not a browser window
    } cases[] = {
        {kChromium, L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe", L"A - Google Chrome", L"chrome.exe"},
        {kChromium, L"MSEDGE.EXE", L"A - Work - Microsoft\u200B Edge", L"msedge.exe"},
        {kChromium, L"opera.exe", L"Opera", L"opera.exe"},  // no page title yet
        {kChromium, L"chrome.exe", L"", nullptr},           // one of its pop-ups
        {kChromium, L"brave.exe", L"A - Google Chrome", nullptr},
        {kChromium, L"Code.exe", L"main.cpp - Visual Studio Code", nullptr},  // the same toolkit
        {kGecko, L"D:\\Apps\\Firefox\\firefox.exe", L"A \u2014 Mozilla Firefox", L"firefox.exe"},
        {kGecko, L"thunderbird.exe", L"Inbox - Mozilla Thunderbird", nullptr},
        {L"IEFrame", L"chrome.exe", L"A - Google Chrome", nullptr},
    };
    for (const auto& c : cases) {
        const KnownBrowser* b = RecogniseBrowser(c.className, c.image, c.title);
        EXPECT_EQ(b ? std::wstring(b->image) : L"-", c.browser ? c.browser : L"-") << c.image << L" " << c.title;
    }
}

TEST(BrowserWindows, ThePageTitleIsTheWindowTitleLessTheBrowser) {
    const struct {
        const wchar_t* image;
        const wchar_t* title;
        const wchar_t* page;
    } cases[] = {
        {L"chrome.exe", L"Example Domain - Google Chrome", L"Example Domain"},
        {L"chrome.exe", L"Python - Wikipedia - Google Chrome", L"Python - Wikipedia"},
        {L"chrome.exe", L"Google Chrome", L""},
        {L"chrome.exe", L"Example Domain", L"Example Domain"},
        {L"msedge.exe", L"Example Domain - Work - Microsoft\u200B Edge", L"Example Domain"},
        {L"msedge.exe", L"Example Domain and 3 more pages - Personal - Microsoft\u200B Edge", L"Example Domain"},
        {L"msedge.exe", L"News and 1 more page - Microsoft Edge", L"News"},
        {L"firefox.exe", L"Example Domain \u2014 Mozilla Firefox", L"Example Domain"},
        {L"firefox.exe", L"Example Domain - Mozilla Firefox Private Browsing", L"Example Domain"},
        {L"brave.exe", L"A \u2013 B \u2013 brave", L"A \u2013 B"},
    };
    for (const auto& c : cases) {
        const KnownBrowser* b = KnownBrowserByImage(c.image);
        ASSERT_NE(b, nullptr) << c.image;
        EXPECT_EQ(PageTitle(*b, c.title), c.page) << c.title;
    }
}

TEST(AddressText, FieldTextsThatReadAsAddressesGetTheirScheme) {
    const struct {
        const wchar_t* text;
        const wchar_t* address;  // null: not an address
    } cases[] = {
        {L"example.com/path?q=1", L"https://example.com/path?q=1"},
        {L"  http://intranet/x  ", L"http://intranet/x"},
        {L"file:///C:/docs/a.html", L"file:///C:/docs/a.html"},
        {L"localhost:8080/app", L"https://localhost:8080/app"},
        {L"192.168.1.20#top", L"https://192.168.1.20#top"},
        {L"b\u00FCcher.example", L"https://b\u00FCcher.example"},
        {L"hello world", nullptr},
        {L"what is example.com", nullptr},
        {L"weather", nullptr},
        {L"3.14", nullptr},
        {L"1.2.3.256", nullptr},
        {L"-bad.example", nullptr},
        {L"example.com:123456", nullptr},
        {L"https://", nullptr},
        {L"", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddressFromFieldText(c.text).value_or(L"-"), c.address ? c.address : L"-") << c.text;
}

TEST(AddressText, AddressFieldNames) {
    EXPECT_TRUE(IsAddressFieldName(L"Address and search bar"));
    EXPECT_TRUE(IsAddressFieldName(L"Search with Google or enter address"));
    EXPECT_FALSE(IsAddressFieldName(L"Adress- und Suchleiste"));
    EXPECT_FALSE(IsAddressFieldName(L"Search"));
}

}  // namespace
