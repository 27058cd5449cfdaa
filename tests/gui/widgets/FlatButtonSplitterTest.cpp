// The flat buttons, their tooltips, the splitter's drag notification and the
// icon resources.
#include "gui/widgets/WidgetTestSupport.h"
#include "res/resource.h"
#include "ui/widgets/CFlatButton.h"
#include "ui/widgets/CSplitterBar.h"
#include <gtest/gtest.h>
#include <string>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Draws the button into a bitmap the way the dialog's WM_DRAWITEM would and counts
// the pixels that are not plain button face.
int InkedPixels(HWND dialog, HWND button, UINT state) {
    const int w = 60, h = 24;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_BUTTON;
    di.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = state;
    di.hwndItem = button;
    di.hDC = dc;
    di.rcItem = RECT{0, 0, w, h};
    SendMessageW(dialog, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int inked = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(dc, x, y) != face) ++inked;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return inked;
}

}  // namespace

TEST(Icons, EveryIconAndSortArrowLoads) {
    const int icons[] = {IDR_MAINFRAME, IDI_FOLDER, IDI_FAVOR, IDI_BTN_NEW, IDI_BTN_EDIT, IDI_BTN_DELETE,
                         IDI_BTN_SAVE, IDI_BTN_IMPORT, IDI_BTN_EXPORT, IDI_BTN_QUICKPANEL, IDI_BTN_SEARCH,
                         IDI_BTN_MAGICADD, IDI_BTN_MOSTVISITED, IDI_BTN_LATESTVISITED, IDI_BTN_BROWSER,
                         IDI_MENU_EXIT, IDI_MENU_HELP, IDI_MENU_PREFERENCES, IDI_MENU_FIND, IDI_MENU_ADD,
                         IDI_MENU_QUICKPANEL, IDI_MENU_BROWSER};
    for (int id : icons) {
        for (int size : {16, 32}) {
            HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
            EXPECT_NE(icon, nullptr) << "icon " << id << " at " << size;
            ICONINFO info{};
            if (icon && GetIconInfo(static_cast<HICON>(icon), &info)) {
                BITMAP bm{};
                GetObjectW(info.hbmColor, sizeof(bm), &bm);
                EXPECT_EQ(bm.bmWidth, size) << "icon " << id;
                DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
            }
            if (icon) DestroyIcon(static_cast<HICON>(icon));
        }
    }
    for (int id : {IDB_SORT_ASC, IDB_SORT_DESC}) {
        HANDLE bmp = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                LR_LOADMAP3DCOLORS);
        EXPECT_NE(bmp, nullptr) << "bitmap " << id;
        if (bmp) DeleteObject(bmp);
    }
}

TEST(FlatButton, OwnerDrawnWithIconHotTrackingAndClicks) {
    WidgetProbe dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    HWND button = GetDlgItem(dlg.Hwnd(), IDC_TEST_BUTTON);
    CFlatButton flat;
    ASSERT_TRUE(flat.Attach(dlg.Hwnd(), IDC_TEST_BUTTON, IDI_BTN_NEW));
    EXPECT_FALSE(flat.Attach(dlg.Hwnd(), IDC_TEST_BUTTON, IDI_BTN_NEW));  // once only
    EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(flat.HasIcon());

    // Icon only (empty text) and icon with text both draw; the icon adds ink.
    SetWindowTextW(button, L"");
    const int iconOnly = InkedPixels(dlg.Hwnd(), button, 0);
    EXPECT_GT(iconOnly, 40);
    SetWindowTextW(button, L"New");
    EXPECT_GT(InkedPixels(dlg.Hwnd(), button, 0), iconOnly);
    flat.SetIcon(0);
    EXPECT_FALSE(flat.HasIcon());
    SetWindowTextW(button, L"");
    EXPECT_EQ(InkedPixels(dlg.Hwnd(), button, 0), 0);

    SendMessageW(button, WM_MOUSEMOVE, 0, At(3, 3));
    EXPECT_TRUE(flat.IsHot());
    EXPECT_GT(InkedPixels(dlg.Hwnd(), button, 0), 0);  // the hot frame
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(flat.IsHot());

    SendMessageW(button, BM_CLICK, 0, 0);
    ASSERT_FALSE(dlg.commands.empty());
    EXPECT_EQ(dlg.commands.back(), static_cast<UINT>(IDC_TEST_BUTTON));
}

TEST(FlatButton, TooltipsCarryTheirTexts) {
    WidgetProbe dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    CButtonTips tips;
    ASSERT_TRUE(tips.Create(dlg.Hwnd()));
    tips.Add(IDC_TEST_BUTTON, L"Add a new folder.");
    tips.Add(IDOK, L"Save the changes.");
    tips.Add(4242, L"no such control");
    EXPECT_EQ(SendMessageW(tips.Hwnd(), TTM_GETTOOLCOUNT, 0, 0), 2);
    wchar_t text[80] = L"";
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = dlg.Hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dlg.Hwnd(), IDC_TEST_BUTTON));
    ti.lpszText = text;
    SendMessageW(tips.Hwnd(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, L"Add a new folder.");
}

TEST(SplitterBar, ReportsTheClampedDistanceAfterTheDrag) {
    struct Case {
        int moveTo;        // cursor x in the bar's client coordinates (grabbed at x = 2)
        int expectDelta;   // 0: no notification
    };
    // Bar at x 100..105, range 50..300: it may go 50 left and 195 right.
    const Case cases[] = {{42, 40}, {-18, -20}, {2000, 195}, {-2000, -50}, {2, 0}};
    for (const Case& c : cases) {
        WidgetProbe dlg;
        ASSERT_TRUE(dlg.Create(nullptr));
        ShowWindow(dlg.Hwnd(), SW_SHOWNA);
        CSplitterBar bar;
        ASSERT_TRUE(bar.Create(dlg.Hwnd(), RECT{100, 10, 105, 200}, 1046));
        bar.SetRange(50, 300);
        SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 50));
        EXPECT_TRUE(bar.IsDragging());
        EXPECT_EQ(GetCapture(), bar.Hwnd());
        SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(c.moveTo / 2, 60));
        SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(c.moveTo, 60));
        SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, At(c.moveTo, 60));
        EXPECT_FALSE(bar.IsDragging());
        EXPECT_NE(GetCapture(), bar.Hwnd());
        if (c.expectDelta == 0) {
            EXPECT_TRUE(dlg.notifies.empty()) << c.moveTo;
            continue;
        }
        ASSERT_EQ(dlg.notifies.size(), 1u) << c.moveTo;
        EXPECT_EQ(dlg.notifies[0].id, 1046u);
        EXPECT_EQ(dlg.notifies[0].code, SPN_DRAGGED);
        EXPECT_EQ(dlg.notifies[0].delta, c.expectDelta) << c.moveTo;
    }
}

TEST(SplitterBar, LosingTheMouseCancelsTheDrag) {
    WidgetProbe dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    ShowWindow(dlg.Hwnd(), SW_SHOWNA);
    CSplitterBar bar;
    ASSERT_TRUE(bar.Create(dlg.Hwnd(), RECT{100, 10, 105, 200}, 1046));
    SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 50));
    SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(30, 50));
    SetCapture(dlg.Hwnd());  // someone else takes the mouse
    EXPECT_FALSE(bar.IsDragging());
    ReleaseCapture();
    SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, At(30, 50));
    EXPECT_TRUE(dlg.notifies.empty());
    // Without a range, the parent's client area bounds the drag.
    RECT client{};
    GetClientRect(dlg.Hwnd(), &client);
    SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 50));
    SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, At(5000, 50));
    ASSERT_EQ(dlg.notifies.size(), 1u);
    EXPECT_EQ(dlg.notifies[0].delta, client.right - 105);
}
