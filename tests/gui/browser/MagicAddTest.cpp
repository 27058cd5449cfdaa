// Magic Add and the add-favorite hotkey read the page of a browser of today, through
// the real accessibility calls, from browser stand-ins on threads of their own.
#include "browser/CAccessibleCapture.h"
#include "browser/FindBrowserWindow.h"
#include "gui/browser/FakeBrowser.h"
#include "gui/browser/TestDdeServer.h"
#include "gui/mainwnd/MainWindowHost.h"
#include <vector>

namespace {

constexpr wchar_t kChromium[] = L"Chrome_WidgetWin_1";
constexpr wchar_t kGecko[] = L"MozillaWindowClass";
constexpr wchar_t kShown[] = L"example.com/path?q=1";  // as Chromium shows it, without the scheme
constexpr wchar_t kAddress[] = L"https://example.com/path?q=1";

FakeBrowserSpec Chromium(const wchar_t* image, std::wstring title, std::wstring fieldName = L"Address and search bar") {
    return {kChromium, image, std::move(title), std::move(fieldName), kShown, true};
}
FakeBrowserSpec Firefox(std::wstring title, std::wstring text) {
    return {kGecko, L"firefox.exe", std::move(title), L"Search with Google or enter address", std::move(text)};
}

enum class By { Button, Hotkey };

class MagicAddTest : public MainWindowTest {
protected:
    void OpenQuickPanel() {
        m_folder = AddFolder(L"Reading", 0);
        Open(false);
        ChooseQuickPanelFolder(Main(), m_folder);
    }
    // Runs the user's action and closes the add dialog it opens with OK or Cancel.
    ShownFavorDialog AddWith(By action, bool ok = true) {
        ShownFavorDialog shown;
        bool seen = false;
        DialogAnswer answer([&](HWND dlg) {
            shown = ReadFavorDialog(dlg);
            seen = true;
            PostMessageW(GetDlgItem(dlg, ok ? IDC_DLG_OK : IDC_DLG_CANCEL), BM_CLICK, 0, 0);
        });
        if (action == By::Button) SendMessageW(Item(IDC_MAGIC_ADD), BM_CLICK, 0, 0);
        else PressAddFavoriteHotkey();
        EXPECT_TRUE(PumpUntil([&] { return seen && !window->State().captureDlgOpen; })) << "no add dialog";
        return shown;
    }
    void PressAddFavoriteHotkey() {
        int key = 0, modifiers = 0, unused = 0;
        settings.ReadHotkeys(unused, unused, key, modifiers);
        ASSERT_NE(settings.m_addFavorHotkeyId, 0) << "the add-favorite hotkey is registered";
        const struct { int flag; WORD vk; } mods[] = {{MOD_CONTROL, VK_CONTROL}, {MOD_SHIFT, VK_SHIFT}, {MOD_ALT, VK_MENU}};
        std::vector<INPUT> keys;
        auto press = [&](WORD vk, DWORD flags) { keys.push_back(INPUT{INPUT_KEYBOARD, {.ki = {vk, 0, flags, 0, 0}}}); };
        for (const auto& m : mods) if (modifiers & m.flag) press(m.vk, 0);
        press(static_cast<WORD>(key), 0);
        press(static_cast<WORD>(key), KEYEVENTF_KEYUP);
        for (const auto& m : mods) if (modifiers & m.flag) press(m.vk, KEYEVENTF_KEYUP);
        ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    }
    void ExpectExamplePage(const ShownFavorDialog& shown) {
        EXPECT_EQ(shown.name, L"Example Domain");
        EXPECT_EQ(shown.location, kAddress);
        EXPECT_EQ(shown.folder, m_folder);
    }
    // The favorites stored in the chosen folder, as "name location".
    std::vector<std::wstring> Stored() {
        std::vector<FavorRecord*> rows;
        store.LoadFavors(m_folder, rows);
        std::vector<std::wstring> texts;
        for (const FavorRecord* r : rows) texts.push_back(r->name + L" " + r->location);
        FreeFavorList(rows);
        return texts;
    }
    int m_folder = 0;
};

TEST_F(MagicAddTest, TheButtonTakesThePageOfEachKindOfBrowserAndOkStoresIt) {
    OpenQuickPanel();
    const FakeBrowserSpec browsers[] = {
        Chromium(L"chrome.exe", L"Example Domain - Google Chrome"),
        Chromium(L"msedge.exe", L"Example Domain - Work - Microsoft\u200B Edge"),
        Chromium(L"brave.exe", L"Example Domain - Brave", L"Adress- und Suchleiste"),  // localized
        Firefox(L"Example Domain \u2014 Mozilla Firefox", kShown),  // an Edit control named by its label
    };
    for (const FakeBrowserSpec& spec : browsers) {
        SCOPED_TRACE(spec.title);
        FakeBrowser browser(spec);
        browser.BringToTop();
        ExpectExamplePage(AddWith(By::Button));
    }
    EXPECT_EQ(Stored(), std::vector<std::wstring>(std::size(browsers), std::wstring(L"Example Domain ") + kAddress));
}

TEST_F(MagicAddTest, TheHotkeyTakesTheForegroundBrowsersPage) {
    OpenQuickPanel();
    FakeBrowser browser(Chromium(L"vivaldi.exe", L"Example Domain - Vivaldi"));
    browser.BringToTop();
    ExpectExamplePage(AddWith(By::Hotkey));
    EXPECT_EQ(Stored(), std::vector<std::wstring>{std::wstring(L"Example Domain ") + kAddress});
}

TEST_F(MagicAddTest, TheBrowserHighestInTheStackingOrderIsRead) {
    OpenQuickPanel();
    FakeBrowser firefox(Firefox(L"Other Page - Mozilla Firefox", L"other.example/"));
    FakeBrowser chrome(Chromium(L"chrome.exe", L"Example Domain - Google Chrome"));  // above: created last
    // Raised only once both are settled: under Wine a window just created may still
    // come back to the top.
    EXPECT_EQ(AddWith(By::Button, false).location, kAddress);
    firefox.BringToTop();
    EXPECT_EQ(AddWith(By::Button, false).location, L"https://other.example/");
    chrome.BringToTop();
    EXPECT_EQ(AddWith(By::Button, false).location, kAddress);
}

TEST_F(MagicAddTest, ABrowserThatNeverAnswersLeavesTheDialogEmptyAndItsLateAnswerUnused) {
    OpenQuickPanel();
    FakeBrowserSpec spec = Chromium(L"opera.exe", L"Example Domain - Opera");
    spec.hangs = true;
    FakeBrowser browser(spec);
    browser.BringToTop();
    const ShownFavorDialog shown = AddWith(By::Button, false);
    EXPECT_EQ(shown.name + shown.location, L"");
    EXPECT_EQ(browser.ObjectRequests(), 1) << "the dialog opened while the browser still kept the reader waiting";
    bool again = false;
    DialogAnswer none([&](HWND dlg) { again = true; PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0); });
    browser.Release();
    EXPECT_TRUE(PumpUntil([] { return CAccessibleCapture::RunningWorkers() == 0; }));
    Pump();
    EXPECT_FALSE(again);
}

TEST_F(MagicAddTest, WithoutAnAddressTheDdeRequestComesLastThenTheTitleAlone) {
    OpenQuickPanel();
    FakeBrowser browser(Firefox(L"Example Domain \u2014 Mozilla Firefox", L"cheap flights"));
    browser.BringToTop();
    ShownFavorDialog shown = AddWith(By::Button, false);
    EXPECT_EQ(shown.name + L"|" + shown.location, L"Example Domain|");
    TestDdeServer dde({"\"http://dde.example/\",\"Asked by DDE\""});
    shown = AddWith(By::Button, false);
    EXPECT_EQ(shown.name + L"|" + shown.location, L"Asked by DDE|http://dde.example/");
}

TEST(FindBrowserWindow, TheProcessImageOfAWindowIsItsProgram) {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const std::wstring image = ProcessImageOf(w);
    DestroyWindow(w);
    EXPECT_NE(image.find(L"tm_gui_tests.exe"), std::wstring::npos) << image;
}

}  // namespace
