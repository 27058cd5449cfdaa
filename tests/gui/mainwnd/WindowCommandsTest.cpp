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
    std::vector<FavorRecord> most;
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
    EXPECT_EQ(most[0].hits, 2);
    std::wstring shownCount;  // the list counts the visit as well
    for (int row = 0; row < window->List().RowCount(); ++row) {
        wchar_t cell[16] = L"";
        ListView_GetItemText(Item(IDC_FAVOR_LIST), row, 3, cell, 16);
        if (RowName(row) == L"A") shownCount = cell;
    }
    EXPECT_EQ(shownCount, L"2");
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

// While a modal dialog of the window is up, either click on the tray icon and both
// hotkeys bring that dialog to the front: no menu opens that could start a second dialog
// or exit beneath it, the window is not hidden from under it, no second dialog opens.
TEST_F(MainWindowTest, TrayClicksAndHotkeysBringAnOpenDialogForward) {
    AddFavor(L"Paper", L"http://paper.example/", 0);
    Open(true);
    SelectRows({0});
    ASSERT_NE(settings.m_activateHotkeyId, 0);
    ASSERT_NE(settings.m_addFavorHotkeyId, 0);
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                                 nullptr, nullptr, nullptr);
    MenuWatch menus;
    const struct { UINT message; WPARAM wp; LPARAM lp; } pokes[] = {
        {WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN}, {WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN},
        {WM_HOTKEY, WPARAM(settings.m_activateHotkeyId), 0}, {WM_HOTKEY, WPARAM(settings.m_addFavorHotkeyId), 0},
        {WM_SHOWINSTANCE, 0, 0}};  // a second copy started
    std::vector<int> inFront;  // for each dialog, how many of the pokes left it in front
    const auto poke = [&](HWND popup) {
        int n = 0;
        for (const auto& p : pokes) {
            SetForegroundWindow(other);  // the user was busy elsewhere
            SendMessageW(Main(), p.message, p.wp, p.lp);
            n += GetForegroundWindow() == popup && IsWindowVisible(Main());
        }
        inFront.push_back(n);
    };
    int dialogs = 0;
    fw::SetModalHook([&](HWND dlg) {
        if (++dialogs == 1) poke(dlg);
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    for (int opener : {IDM_FILE_NEW_FAVORITE, IDM_FILE_NEW_FOLDER, IDM_PREFERENCES, IDM_HELP_ABOUT}) {
        dialogs = 0;
        Command(opener);
        EXPECT_EQ(dialogs, 1) << opener;
    }
    // A message box: the delete question, shown for real this time.
    seams::SetMessageBoxHandler([](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
        return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    });
    static std::function<void()> s_inBox;
    s_inBox = [&] {
        HWND box = GetLastActivePopup(Main());
        poke(box);
        PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    };
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        s_inBox();
    });
    dialogs = 0;
    Command(IDC_FAVOR_DELETE);
    fw::SetModalHook({});
    DestroyWindow(other);
    EXPECT_EQ(inFront, std::vector<int>(5, 5));
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(menus.shown.empty());
    EXPECT_EQ(window->List().RowCount(), 1);  // No was pressed
    SendMessageW(Main(), WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);  // no dialog: the menu
    ASSERT_EQ(menus.shown.size(), 1u);
    EXPECT_EQ(menus.shown[0].front(), L"&Exit");
}

// While a new-favorite dialog is up, the mode commands and the add-favorite hotkey only
// bring the window up: no mode change, no second dialog.
TEST_F(MainWindowTest, ModeCommandsAndTheAddHotkeyWaitForAnOpenAddDialog) {
    for (bool browser : {true, false}) {
        SCOPED_TRACE(browser);
        Open(browser);
        const std::wstring title = fw::WindowText(Main());
        int dialogs = 0;
        std::wstring titleWithDialog;
        fw::SetModalHook([&](HWND dlg) {
            ++dialogs;
            for (UINT id : {IDM_TRAY_QUICKPANEL, IDM_TRAY_BROWSER, IDC_TO_QUICKPANEL, IDC_TO_BROWSER_TOP, IDM_TRAY_ADD})
                SendMessageW(Main(), WM_COMMAND, id, 0);
            if (browser && settings.m_addFavorHotkeyId != 0)
                SendMessageW(Main(), WM_HOTKEY, settings.m_addFavorHotkeyId, 0);
            titleWithDialog = fw::WindowText(Main());
            PostMessageW(GetDlgItem(dlg, IDC_DLG_CANCEL), BM_CLICK, 0, 0);
        });
        Command(IDM_TRAY_ADD);  // "&Add New Favor...", in either mode
        fw::SetModalHook({});
        EXPECT_EQ(dialogs, 1);
        EXPECT_EQ(titleWithDialog, title);
        EXPECT_FALSE(window->State().favorDlgOpen);
    }
}

// A page that arrives late (a browser slow to answer) while another dialog is up opens no
// add dialog over that one.
TEST_F(MainWindowTest, APageCapturedWhileADialogIsUpOpensNoSecondDialog) {
    Open(false);
    int dialogs = 0;
    fw::SetModalHook([&](HWND dlg) {
        if (++dialogs == 1) PostCaptured(Main(), L"Late", L"http://late.example/");
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_TRAY_PREFERENCES);
    fw::SetModalHook({});
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(window->State().captureDlgOpen);
}
