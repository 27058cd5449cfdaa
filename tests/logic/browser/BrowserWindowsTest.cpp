// Browser windows of today: which ones count, the page title in their window title,
// and the address their address field shows.
#include "browser/AddressText.h"
#include "browser/BrowserWindows.h"
#include <gtest/gtest.h>

namespace {

TEST(BrowserWindows, ClassProcessAndTitleTellABrowserWindow) {
    const wchar_t* chromium = L"Chrome_WidgetWin_1";
    const struct {
        const wchar_t *className, *image, *title, *browser;  // browser "-": none
    } cases[] = {
        {chromium, L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe", L"A - Google Chrome", L"chrome.exe"},
        {chromium, L"MSEDGE.EXE", L"A - Work - Microsoft\u200B Edge", L"msedge.exe"},
        {chromium, L"opera.exe", L"Opera", L"opera.exe"},  // no page title yet
        {chromium, L"chrome.exe", L"", L"-"},              // one of its pop-ups
        {chromium, L"brave.exe", L"A - Google Chrome", L"-"},
        {chromium, L"Code.exe", L"main.cpp - Visual Studio Code", L"-"},  // the same toolkit
        {L"MozillaWindowClass", L"D:\\Firefox\\firefox.exe", L"A \u2014 Mozilla Firefox", L"firefox.exe"},
        {L"MozillaWindowClass", L"firefox.exe", L"Picture-in-Picture", L"-"},
        {L"MozillaWindowClass", L"thunderbird.exe", L"Inbox - Mozilla Thunderbird", L"-"},
    };
    for (const auto& c : cases) {
        const KnownBrowser* b = RecogniseBrowser(c.className, c.image, c.title);
        EXPECT_EQ(b ? b->image : L"-", std::wstring(c.browser)) << c.image << L" " << c.title;
    }
}

TEST(BrowserWindows, ThePageTitleIsTheWindowTitleLessTheBrowser) {
    const struct {
        const wchar_t *image, *title, *page;
    } cases[] = {
        {L"chrome.exe", L"Python - Wikipedia - Google Chrome", L"Python - Wikipedia"},
        {L"chrome.exe", L"Google Chrome", L""},
        {L"chrome.exe", L"Example Domain", L"Example Domain"},
        {L"msedge.exe", L"Example Domain and 3 more pages - Personal - Microsoft\u200B Edge", L"Example Domain"},
        {L"msedge.exe", L"News and 1 more page - Microsoft Edge", L"News"},
        {L"firefox.exe", L"Example Domain - Mozilla Firefox Private Browsing", L"Example Domain"},
        {L"brave.exe", L"A \u2013 B \u2013 brave", L"A \u2013 B"},
    };
    for (const auto& c : cases) EXPECT_EQ(PageTitle(*KnownBrowserByImage(c.image), c.title), c.page) << c.title;
}

TEST(AddressText, FieldTextsThatReadAsAddressesGetTheirScheme) {
    const struct {
        const wchar_t *text, *address;  // address "-": none
    } cases[] = {
        {L"example.com/path?q=1", L"https://example.com/path?q=1"},
        {L"  http://intranet/x  ", L"http://intranet/x"},
        {L"localhost:8080/app", L"https://localhost:8080/app"},
        {L"192.168.1.20#top", L"https://192.168.1.20#top"},
        {L"b\u00FCcher.example", L"https://b\u00FCcher.example"},
        {L"what is example.com", L"-"},
        {L"weather", L"-"},
        {L"3.14", L"-"},
        {L"1.2.3.256", L"-"},
        {L"example.com:123456", L"-"},
        {L"https://", L"-"},
    };
    for (const auto& c : cases) EXPECT_EQ(AddressFromFieldText(c.text).value_or(L"-"), c.address) << c.text;
    EXPECT_TRUE(IsAddressFieldName(L"Search with Google or enter address"));
    EXPECT_FALSE(IsAddressFieldName(L"Adress- und Suchleiste"));
}

}  // namespace
