// Owner-drawn menus (tray and visit menus) and the notification-area icon.
#include "app/AppMessages.h"
#include "gui/widgets/WidgetTestSupport.h"
#include "res/resource.h"
#include "ui/TrayMenu.h"
#include "ui/VisitMenu.h"
#include "ui/widgets/BCMenu.h"
#include "ui/widgets/CSystemTray.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

struct MenuEntry {
    UINT id;
    std::wstring text;
    bool separator;
};

std::vector<MenuEntry> Entries(HMENU menu) {
    std::vector<MenuEntry> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
        out.push_back({mii.wID, text, (mii.fType & MFT_SEPARATOR) != 0});
    }
    return out;
}

ULONG_PTR ItemData(HMENU menu, int pos) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii);
    return mii.dwItemData;
}

// Ends a menu loop that nobody ends in time, so a failing test cannot hang.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

}  // namespace

TEST(TrayMenu, EntriesCarryTheirTextsInOrder) {
    BCMenu menu;
    ASSERT_TRUE(BuildTrayMenu(menu));
    const std::vector<MenuEntry> want = {
        {IDM_TRAY_EXIT, L"&Exit", false},
        {IDM_TRAY_HELP, L"&Help", false},
        {IDM_TRAY_PREFERENCES, L"&Preferences...", false},
        {0, L"", true},
        {IDM_TRAY_FIND, L"&Find Favor...", false},
        {IDM_TRAY_ADD, L"&Add New Favor...", false},
        {0, L"", true},
        {IDM_TRAY_QUICKPANEL, L"Goto &Quick Panel", false},
        {IDM_TRAY_BROWSER, L"Goto Favorite &Browser", false},
    };
    const std::vector<MenuEntry> got = Entries(menu.Handle());
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].separator, want[i].separator) << i;
        if (want[i].separator) continue;
        EXPECT_EQ(got[i].id, want[i].id) << i;
        EXPECT_EQ(got[i].text, want[i].text) << i;
    }
    EXPECT_EQ(std::wstring(kTrayTooltip).size(), 68u);
}

TEST(BCMenu, MeasuresAndDrawsOnlyItsOwnItems) {
    BCMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendItem(100, L"&Preferences...", IDI_MENU_PREFERENCES);
    menu.AppendItem(101, L"Disabled", 0, false);
    EXPECT_EQ(GetMenuState(menu.Handle(), 101, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));

    MEASUREITEMSTRUCT mis{ODT_MENU, 0, 100, 0, 0, ItemData(menu.Handle(), 0)};
    ASSERT_TRUE(BCMenu::OnMeasureItem(&mis));
    EXPECT_GT(mis.itemWidth, 40u);
    EXPECT_GE(mis.itemHeight, 16u);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 200, 24);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = 100;
    dis.itemState = ODS_SELECTED;
    dis.hDC = dc;
    dis.rcItem = RECT{0, 0, 200, 24};
    dis.itemData = ItemData(menu.Handle(), 0);
    EXPECT_TRUE(BCMenu::OnDrawItem(&dis));
    // The icon sits in the gutter: its pixels differ from the gutter around it.
    const COLORREF corner = GetPixel(dc, 1, 1);
    int iconPixels = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 4; x < 20; ++x) iconPixels += GetPixel(dc, x, y) != corner;
    EXPECT_GT(iconPixels, 30);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);

    // Item data of someone else's owner-drawn menu is left alone.
    int foreign = 0;
    MEASUREITEMSTRUCT other{ODT_MENU, 0, 5, 0, 0, reinterpret_cast<ULONG_PTR>(&foreign)};
    EXPECT_FALSE(BCMenu::OnMeasureItem(&other));
    MEASUREITEMSTRUCT button{ODT_BUTTON, 7, 0, 0, 0, ItemData(menu.Handle(), 0)};
    EXPECT_FALSE(BCMenu::OnMeasureItem(&button));
}

TEST(BCMenu, TrackReturnsTheChosenCommand) {
    WidgetProbe owner;
    ASSERT_TRUE(owner.Create(nullptr));
    ShowWindow(owner.Hwnd(), SW_SHOW);
    BCMenu menu;
    ASSERT_TRUE(BuildTrayMenu(menu));
    // Down twice selects the second entry; Enter chooses it.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(owner.Hwnd(), WM_KEYDOWN, key, 0);
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, &EndStuckMenu);
    const UINT chosen = menu.Track(owner.Hwnd(), POINT{100, 100}, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY);
    KillTimer(nullptr, guard);
    EXPECT_EQ(chosen, static_cast<UINT>(IDM_TRAY_HELP));
    EXPECT_EQ(GetForegroundWindow(), owner.Hwnd());
    EXPECT_GT(owner.measured, 0);  // the owner forwarded the owner-draw messages
}

TEST(VisitMenu, OneEntryPerRecordWithShortenedNames) {
    std::vector<FavorRecord> records;
    for (const wchar_t* name : {L"News", L"Tom & Jerry", L""}) records.emplace_back().name = name;
    records.back().name = std::wstring(60, L'z');
    BCMenu menu;
    ASSERT_TRUE(BuildVisitMenu(menu, records, IDM_MOST_VISITED_FIRST));
    const std::vector<MenuEntry> got = Entries(menu.Handle());
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].id, static_cast<UINT>(IDM_MOST_VISITED_FIRST));
    EXPECT_EQ(got[0].text, L"News");
    EXPECT_EQ(got[1].text, L"Tom && Jerry");
    EXPECT_EQ(got[2].id, static_cast<UINT>(IDM_MOST_VISITED_FIRST + 2));
    EXPECT_EQ(got[2].text, std::wstring(48, L'z') + L"...");

    EXPECT_EQ(VisitMenuRecord(records, IDM_MOST_VISITED_FIRST, IDM_MOST_VISITED_FIRST + 1), &records[1]);
    EXPECT_EQ(VisitMenuRecord(records, IDM_MOST_VISITED_FIRST, IDM_MOST_VISITED_FIRST + 3), nullptr);
    EXPECT_EQ(VisitMenuRecord(records, IDM_MOST_VISITED_FIRST, IDM_MOST_VISITED_FIRST - 1), nullptr);

    records.resize(150, records[0]);  // more than the ids of a range
    BCMenu full;
    ASSERT_TRUE(BuildVisitMenu(full, records, IDM_MOST_VISITED_FIRST));
    ASSERT_EQ(GetMenuItemCount(full.Handle()), 101);
    EXPECT_EQ(GetMenuItemID(full.Handle(), 100), static_cast<UINT>(IDM_MOST_VISITED_LAST));

    BCMenu empty;
    ASSERT_TRUE(BuildVisitMenu(empty, {}, IDM_LATEST_VISITED_FIRST));
    EXPECT_EQ(GetMenuItemCount(empty.Handle()), 0);
}

TEST(SystemTray, AddsModifiesAndRemovesTheIcon) {
    WidgetProbe parent;
    ASSERT_TRUE(parent.Create(nullptr));
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                               IMAGE_ICON, 16, 16, LR_SHARED));
    {
        CSystemTray tray;
        EXPECT_FALSE(tray.SetTooltipText(L"not yet"));
        ASSERT_TRUE(tray.Create(parent.Hwnd(), WM_TRAY_NOTIFY, kTrayInitialTip, icon, 0));
        EXPECT_TRUE(tray.IsAdded());
        EXPECT_FALSE(IsWindowVisible(tray.Hwnd()));
        EXPECT_EQ(tray.TooltipText(), kTrayInitialTip);
        EXPECT_TRUE(tray.SetTooltipText(kTrayTooltip));
        EXPECT_EQ(tray.TooltipText(), kTrayTooltip);  // all 68 characters
        EXPECT_TRUE(tray.SetTooltipText(std::wstring(300, L't')));
        EXPECT_EQ(tray.TooltipText(), std::wstring(127, L't'));

        // Mouse messages on the icon reach the parent as the callback message.
        SendMessageW(tray.Hwnd(), WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN);
        ASSERT_EQ(parent.callbacks.size(), 1u);
        EXPECT_EQ(parent.callbacks[0], static_cast<LPARAM>(WM_LBUTTONDOWN));

        EXPECT_TRUE(tray.RemoveIcon());
        EXPECT_FALSE(tray.IsAdded());
        EXPECT_FALSE(tray.RemoveIcon());
        EXPECT_FALSE(tray.SetTooltipText(L"gone"));
    }
    CSystemTray second;  // a wrapper going out of scope with its icon shown removes it
    {
        CSystemTray scoped;
        ASSERT_TRUE(scoped.Create(parent.Hwnd(), WM_TRAY_NOTIFY, L"scoped", icon, 7));
    }
    ASSERT_TRUE(second.Create(parent.Hwnd(), WM_TRAY_NOTIFY, L"second", icon, 7));
}
