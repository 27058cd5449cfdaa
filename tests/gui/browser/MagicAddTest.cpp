// Magic Add and the add-favorite hotkey read the page of a browser of today, through
// the real accessibility calls, from browser stand-ins on threads of their own.
#include "browser/CAccessibleCapture.h"
#include "browser/FindBrowserWindow.h"
#include "gui/browser/FakeBrowser.h"
#include "gui/browser/TestDdeServer.h"
#include "gui/mainwnd/MainWindowHost.h"
#include <vector>

namespace {

constexpr wchar_t kShown[] = L"example.com/path?q=1";  // as Chromium shows it, without the scheme
constexpr wchar_t kAddress[] = L"https://example.com/path?q=1";

FakeBrowserSpec Chromium(const wchar_t* image, std::wstring title, std::wstring field = L"Address and search bar") {
    return {L"Chrome_WidgetWin_1", image, std::move(title), std::move(field), kShown, true};
}
FakeBrowserSpec Firefox(std::wstring title, std::wstring text) {  // an Edit control named by its label
    return {L"MozillaWindowClass", L"firefox.exe", std::move(title), L"Search with Google or enter address", text};
}

enum class By { Button, Hotkey };

class MagicAddTest : public MainWindowTest {
protected:
    void OpenQuickPanel() {
        m_folder = AddFolder(L"Reading", 0);
        Open(false);
        ChooseQuickPanelFolder(Main(), m_folder);
    }
    // Does what the user does and closes the add dialog that opens with OK or Cancel.
    ShownFavorDialog AddWith(By action, bool ok = false) {
        ShownFavorDialog shown;
        bool seen = false;
        DialogAnswer answer([&](HWND dlg) {
            shown = ReadFavorDialog(dlg);
            seen = true;
            const bool store = ok && !shown.name.empty();  // an empty dialog would refuse OK
            PostMessageW(GetDlgItem(dlg, store ? IDC_DLG_OK : IDC_DLG_CANCEL), BM_CLICK, 0, 0);
        });
        if (action == By::Button) SendMessageW(Item(IDC_MAGIC_ADD), BM_CLICK, 0, 0);
        else PressAddFavoriteHotkey();
        EXPECT_TRUE(PumpUntil([&] { return seen && !window->State().captureDlgOpen; })) << "no add dialog";
        return shown;
    }
    void PressAddFavoriteHotkey() {
        int key = 0, mods = 0, unused = 0;
        settings.ReadHotkeys(unused, unused, key, mods);
        ASSERT_NE(settings.m_addFavorHotkeyId, 0) << "the add-favorite hotkey is registered";
        auto input = [](int vk, DWORD up) {
            INPUT in{};  // the union's first member is a mouse input: name the keyboard's
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = static_cast<WORD>(vk);
            in.ki.dwFlags = up;
            return in;
        };
        std::vector<INPUT> keys;
        for (DWORD up : {0, KEYEVENTF_KEYUP})
            for (int vk : {mods & MOD_CONTROL ? VK_CONTROL : 0, mods & MOD_SHIFT ? VK_SHIFT : 0, mods & MOD_ALT ? VK_MENU : 0, key})
                if (vk) keys.push_back(input(vk, up));
        ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    }
    int m_folder = 0;
};

TEST_F(MagicAddTest, ButtonAndHotkeyTakeThePageOfEachKindOfBrowserAndOkStoresIt) {
    OpenQuickPanel();
    const std::pair<By, FakeBrowserSpec> cases[] = {
        {By::Button, Chromium(L"chrome.exe", L"Example Domain - Google Chrome")},
        {By::Button, Chromium(L"msedge.exe", L"Example Domain - Work - Microsoft\u200B Edge")},
        {By::Button, Chromium(L"brave.exe", L"Example Domain - Brave", L"Adress- und Suchleiste")},  // localized
        {By::Button, Firefox(L"Example Domain \u2014 Mozilla Firefox", kShown)},
        {By::Hotkey, Chromium(L"vivaldi.exe", L"Example Domain - Vivaldi")},
    };
    for (const auto& [action, spec] : cases) {
        SCOPED_TRACE(spec.title);
        FakeBrowser browser(spec);
        const ShownFavorDialog shown = AddWith(action, true);
        EXPECT_EQ(shown.name + L" " + shown.location, std::wstring(L"Example Domain ") + kAddress);
        EXPECT_EQ(shown.folder, m_folder);
    }
    std::vector<FavorRecord> stored;
    store.LoadFavors(m_folder, stored);
    ASSERT_EQ(stored.size(), std::size(cases));
    for (const FavorRecord& r : stored) EXPECT_EQ(r.name + L" " + r.location, std::wstring(L"Example Domain ") + kAddress);
}

TEST_F(MagicAddTest, TheBrowserHighestInTheStackingOrderIsRead) {
    OpenQuickPanel();
    FakeBrowser firefox(Firefox(L"Other Page - Mozilla Firefox", L"other.example/"));
    FakeBrowser chrome(Chromium(L"chrome.exe", L"Example Domain - Google Chrome"));  // above: created last
    // Raised only once both are settled: under Wine a window just shown may come back on top.
    EXPECT_EQ(AddWith(By::Button).location, kAddress);
    firefox.BringToTop();
    EXPECT_EQ(AddWith(By::Button).location, L"https://other.example/");
    chrome.BringToTop();
    EXPECT_EQ(AddWith(By::Button).location, kAddress);
}

TEST_F(MagicAddTest, ABrowserThatNeverAnswersGetsAnEmptyDialogAndItsLateAnswerIsDropped) {
    OpenQuickPanel();
    FakeBrowserSpec spec = Chromium(L"opera.exe", L"Example Domain - Opera");
    spec.hangs = true;
    FakeBrowser browser(spec);
    const ShownFavorDialog shown = AddWith(By::Button);
    EXPECT_EQ(shown.name + shown.location, L"");
    EXPECT_EQ(browser.ObjectRequests(), 1) << "the dialog opened while the browser kept the reader waiting";
    EXPECT_EQ(AddWith(By::Button).name, L"");
    EXPECT_EQ(browser.ObjectRequests(), 1) << "no second reader waits for the same browser";
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
    ShownFavorDialog shown = AddWith(By::Button);
    EXPECT_EQ(shown.name + L"|" + shown.location, L"Example Domain|");
    TestDdeServer dde({"\"http://dde.example/\",\"Asked by DDE\""});
    shown = AddWith(By::Button);
    EXPECT_EQ(shown.name + L"|" + shown.location, L"Asked by DDE|http://dde.example/");
}

TEST(FindBrowserWindow, TheProcessImageOfAWindowIsItsProgram) {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(ProcessImageOf(w).find(L"tm_gui_tests.exe"), std::wstring::npos);
    DestroyWindow(w);
}

}  // namespace
