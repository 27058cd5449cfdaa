// The program-wide commands of the main window: captured pages and Magic Add in the
// Quick Panel, the tray icon, the hotkeys, the visit menus and Preferences.
#include "gui/mainwnd/MainWindowHost.h"
#include "app/AppMessages.h"
#include "ui/CWindowCommands.h"
#include <commctrl.h>

namespace {

void PostCaptured(HWND main, const wchar_t* name, const wchar_t* location) {
    auto* record = new FavorRecord;
    record->name = name;
    record->location = location;
    PostMessageW(main, WM_FAVOR_CAPTURED, reinterpret_cast<WPARAM>(record), 0);
}

}  // namespace

TEST_F(MainWindowTest, ACapturedPageOpensTheAddDialogInTheChosenFolderAndOkStoresIt) {
    const int news = AddFolder(L"News", 0);
    Open(false);  // Quick Panel
    ChooseQuickPanelFolder(Main(), news);
    ShownFavorDialog shown;
    {
        DialogAnswer answer([&](HWND dlg) {
            shown = ReadFavorDialog(dlg);
            PressOk(dlg);
        });
        PostCaptured(Main(), L"Example Page", L"http://example.org/");
        Pump();
    }
    EXPECT_EQ(shown.title, L"Add new favorite");
    EXPECT_EQ(shown.name, L"Example Page");
    EXPECT_EQ(shown.location, L"http://example.org/");
    EXPECT_EQ(shown.folder, news);
    EXPECT_EQ(FavorCount(store, news), 1);
    EXPECT_EQ(window->List().RowCount(), 1);  // the list shows that folder
    EXPECT_FALSE(window->State().captureDlgOpen);
}

TEST_F(MainWindowTest, MagicAddWithoutABrowserOpensAnEmptyDialog) {
    Open(false);
    std::wstring name = L"unset";
    {
        DialogAnswer answer([&](HWND dlg) {
            name = fw::WindowText(GetDlgItem(dlg, IDC_DETAIL_NAME));
            PostMessageW(GetDlgItem(dlg, IDC_DLG_CANCEL), BM_CLICK, 0, 0);
        });
        Command(IDC_MAGIC_ADD);
        Pump();
    }
    EXPECT_EQ(name, L"");
    EXPECT_EQ(FavorCount(store, 0), 0);
}

TEST_F(MainWindowTest, TrayClicksAndTheActivateHotkeyShowAndHide) {
    Open(true);
    ASSERT_TRUE(IsWindowVisible(Main()));
    SendMessageW(Main(), WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(Main()));
    SendMessageW(Main(), WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(Main()));
    const int activate = settings.m_activateHotkeyId;
    if (activate != 0) {  // registered on this desktop
        SendMessageW(Main(), WM_HOTKEY, activate, 0);
        EXPECT_FALSE(IsWindowVisible(Main()));
        SendMessageW(Main(), WM_HOTKEY, activate, 0);
        EXPECT_TRUE(IsWindowVisible(Main()));
    }
    SendMessageW(Main(), WM_HOTKEY, 0x7777, 0);  // not ours: nothing
    EXPECT_TRUE(IsWindowVisible(Main()));
}

TEST_F(MainWindowTest, VisitMenuEntriesOpenAndCount) {
    const int a = AddFavor(L"A", L"http://a.example/", 0);
    AddFavor(L"B", L"http://b.example/", 0);
    FavorRecord visited;
    visited.id = a;
    store.CountVisit(visited);
    Open(false);
    std::vector<FavorRecord*> most;
    ASSERT_TRUE(store.GetMostVisited(most));
    ASSERT_EQ(most.size(), 1u);
    // The menu remembers its entries when it is shown; an id outside it does nothing.
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(IDM_MOST_VISITED_FIRST, 0), 0);
    EXPECT_TRUE(seams.Opened().empty());
    HWND button = Item(IDC_MOST_VISITED);
    PostMessageW(Main(), WM_KEYDOWN, VK_ESCAPE, 0);  // closes the menu the button opens
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(IDC_MOST_VISITED, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    Command(IDM_MOST_VISITED_FIRST);
    ASSERT_EQ(seams.Opened().size(), 1u);
    EXPECT_EQ(seams.Opened()[0], L"http://a.example/");
    most.clear();
    store.GetMostVisited(most);
    ASSERT_EQ(most.size(), 1u);
    EXPECT_EQ(most[0]->hits, 2);
}

TEST_F(MainWindowTest, PreferencesCloseAppliesTheTopMostRule) {
    Open(false);  // the Quick Panel is topmost
    ASSERT_TRUE(GetWindowLongPtrW(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    fw::SetModalHook([](HWND sheet) {
        fw::SetModalHook({});
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    Command(IDM_PREFERENCES);
    EXPECT_FALSE(GetWindowLongPtrW(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}
