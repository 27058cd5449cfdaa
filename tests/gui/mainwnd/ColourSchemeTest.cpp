// The main window follows Windows' app colour setting: dark when it is set before the
// start, light again when Windows announces the change, and as it always was in light.
#include "gui/mainwnd/MainWindowHost.h"
#include "fakes/SavedRegistryValue.h"
#include "framework/ColourScheme.h"

namespace {

constexpr wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void SetAppsLight(DWORD light) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light), sizeof(light));
    RegCloseKey(key);
}

struct Look {
    COLORREF listBack, listText, menuBarPixel;
    bool menuBarBrush;
};

// What the user sees of the list and the menu bar (its first entry's corner, on screen).
Look LookOf(HWND main) {
    HWND list = GetDlgItem(main, IDC_FAVOR_LIST);
    Look look{ListView_GetBkColor(list), ListView_GetTextColor(list), CLR_INVALID, false};
    MENUINFO mi{sizeof(mi)};
    mi.fMask = MIM_BACKGROUND;
    look.menuBarBrush = GetMenuInfo(GetMenu(main), &mi) && mi.hbrBack;
    MENUBARINFO bar{sizeof(bar)};
    RECT window{};
    if (GetMenuBarInfo(main, OBJID_MENU, 1, &bar) && GetWindowRect(main, &window)) {
        RedrawWindow(main, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetWindowDC(main);
        look.menuBarPixel = GetPixel(dc, bar.rcBar.left - window.left + 1, bar.rcBar.top - window.top + 1);
        ReleaseDC(main, dc);
    }
    return look;
}

}  // namespace

TEST_F(MainWindowTest, DarkAppsSettingDarkensTheListAndTheMenusUntilWindowsSwitchesBack) {
    SavedRegistryValue saved(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme");
    AddFavor(L"Paper", L"http://paper.example/", 0);
    SetAppsLight(1);
    Open(true);
    const Look light = LookOf(Main());
    EXPECT_FALSE(light.menuBarBrush);  // the system's menu bar, as always
    window.reset();

    SetAppsLight(0);
    Open(true);
    const Look dark = LookOf(Main());
    EXPECT_EQ(dark.listBack, fw::kDarkWindow);
    EXPECT_EQ(dark.listText, fw::kDarkText);
    EXPECT_TRUE(dark.menuBarBrush);
    EXPECT_EQ(dark.menuBarPixel, fw::SchemePalette().menu);
    EXPECT_NE(dark.menuBarPixel, light.menuBarPixel);
    // The pop-up menus drawn dark still carry their texts for whoever reads them.
    MenuWatch menus;
    SelectRows({0});
    RightClick(Item(IDC_FAVOR_LIST), RowPoint(0));
    ASSERT_EQ(menus.shown.size(), 1u);
    EXPECT_EQ(menus.shown[0][0], L"&Launch Selected Favorite\tEnter");

    SetAppsLight(1);
    SendMessageW(Main(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    Pump();
    const Look back = LookOf(Main());
    EXPECT_EQ(back.listBack, light.listBack);
    EXPECT_EQ(back.listText, light.listText);
    EXPECT_FALSE(back.menuBarBrush);
    EXPECT_EQ(back.menuBarPixel, light.menuBarPixel);
}
