// The main window at the display's scale, and after a move to a monitor of another
// scale: no control overlaps another, every text fits its control in the control's own
// font, and the panes' icons have the scale's size. A second run of these tests uses a
// Wine prefix at 144 pixels per inch (TM_EXPECT_DPI tells them so).
#include "gui/mainwnd/MainWindowHost.h"
#include "framework/WindowDpi.h"
#include "ui/widgets/CFlatButton.h"
#include <commctrl.h>
#include <cstdlib>
#include <cwchar>

namespace {

// Width of a control's text drawn in the control's own font, an access key's "&" not drawn.
int TextWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rc{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return rc.right - rc.left;
}

}  // namespace

class DisplayScaleTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        AddFavor(L"Paper", L"http://paper.example/", 0, L"news");
    }

    // Everything the user sees in the window's current mode and size.
    void ExpectNothingOverlapsAndTextsFit() {
        std::vector<std::pair<HWND, RECT>> shown;
        for (HWND h = GetWindow(Main(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (IsWindowVisible(h)) shown.push_back({h, ClientRect(h)});
        for (size_t i = 0; i < shown.size(); ++i) {
            const auto& [hwnd, rc] = shown[i];
            RECT both{};
            for (size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(IntersectRect(&both, &rc, &shown[j].second))
                    << GetDlgCtrlID(hwnd) << " overlaps " << GetDlgCtrlID(shown[j].first);
            wchar_t kind[16] = L"";
            GetClassNameW(hwnd, kind, 16);
            const std::wstring text = fw::WindowText(hwnd);
            const bool flat = (GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
            if (text.empty() || (wcscmp(kind, L"Button") != 0 && wcscmp(kind, L"Static") != 0)) continue;
            const int room = flat ? CFlatButton::TextRoom(rc.right - rc.left, window->Dpi(), true) : rc.right - rc.left;
            EXPECT_LE(TextWidth(hwnd, text), room) << GetDlgCtrlID(hwnd);
        }
    }
    RECT ClientRect(HWND control) const {
        RECT rc{};
        GetWindowRect(control, &rc);
        MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    void ExpectPaneIconsAt(int size) {
        int cx = 0, cy = 0;
        EXPECT_TRUE(ImageList_GetIconSize(ListView_GetImageList(Item(IDC_FAVOR_LIST), LVSIL_SMALL), &cx, &cy));
        EXPECT_EQ(cx, size);
        EXPECT_EQ(TreeView_GetImageList(Item(IDC_FOLDER_TREE), TVSIL_NORMAL),
                  ListView_GetImageList(Item(IDC_FAVOR_LIST), LVSIL_SMALL));
    }
    void SetClientWidth(int cx) {
        const RECT win = WindowRect();
        const int frame = (win.right - win.left) - ClientSize().cx;
        SetWindowPos(Main(), nullptr, 0, 0, cx + frame, win.bottom - win.top, SWP_NOZORDER | SWP_NOMOVE);
        Pump();
    }
    // Both modes at the widths where their controls change.
    void ExpectEveryModeFits() {
        const int dpi = window->Dpi();
        for (int cx : {800, 720, 709, 649, 589}) {
            SCOPED_TRACE(testing::Message() << "browser " << cx << " at " << dpi);
            SetClientWidth(fw::ScaleToDpi(cx, dpi));
            ExpectNothingOverlapsAndTextsFit();
        }
        Command(IDC_TO_QUICKPANEL);
        for (int cx : {500, 401, 400, 300}) {  // 300: the smallest window there is
            SCOPED_TRACE(testing::Message() << "quick panel " << cx << " at " << dpi);
            SetClientWidth(fw::ScaleToDpi(cx, dpi));
            ExpectNothingOverlapsAndTextsFit();
        }
        Command(IDC_TO_BROWSER_BOTTOM);
    }
};

TEST_F(DisplayScaleTest, TextsFitAndNothingOverlapsInEitherMode) {
    Open(true);
    const int dpi = window->Dpi();
    const char* expected = std::getenv("TM_EXPECT_DPI");  // the scale of the prefix the run was given
    ASSERT_EQ(dpi, expected ? std::atoi(expected) : dpi);
    SelectRows({0});  // the details pane shows all its fields
    ASSERT_TRUE(Visible(IDC_LABEL_LASTHIT));
    ExpectPaneIconsAt(fw::SmallIconSizeForDpi(dpi));
    ExpectEveryModeFits();
}

TEST_F(DisplayScaleTest, AMoveToAMonitorOfAnotherScaleRedoesFontsIconsAndLayout) {
    Open(true);
    SelectRows({0});
    const int from = window->Dpi(), to = from == 144 ? 96 : 144;
    LOGFONTW before{}, after{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(IDC_FAVOR_LIST), WM_GETFONT, 0, 0)), sizeof before, &before);
    const int nameColumn = ListView_GetColumnWidth(Item(IDC_FAVOR_LIST), 0);

    RECT suggested{30, 20, 30 + fw::ScaleToDpi(800, to), 20 + fw::ScaleToDpi(600, to)};
    EXPECT_EQ(SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested)), 0);
    Pump();
    EXPECT_EQ(window->Dpi(), to);
    EXPECT_TRUE(EqualRect(&window->State().browserRect, &suggested));  // where the window is now
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(IDC_FAVOR_LIST), WM_GETFONT, 0, 0)), sizeof after, &after);
    EXPECT_NEAR(after.lfHeight, MulDiv(before.lfHeight, to, from), 1);  // the same size in points
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FAVOR_LIST), 0), MulDiv(nameColumn, to, from));
    ExpectPaneIconsAt(fw::SmallIconSizeForDpi(to));
    EXPECT_EQ(ClientBox(IDC_FAVOR_LIST), layout::ComputeBrowserLayout(ClientSize().cx, ClientSize().cy, to, true).list);
    EXPECT_EQ(ClientBox(IDC_FOLDER_EDIT), layout::ToolbarAt(to)[1].box);
    ExpectEveryModeFits();
}

// The Clean Up lists at the display's scale: every column title and every cell of
// short favorites shows whole, the full date of the last visit included.
TEST_F(DisplayScaleTest, CleanUpListsShowTheirTitlesAndDatesWhole) {
    AddFavor(L"Paper again", L"HTTP://paper.example:80/", 0);
    Open(true);
    for (UINT command : {IDM_FIND_DUPLICATES, IDM_CHECK_LINKS}) {
        std::vector<std::wstring> cut;
        DialogAnswer answer([&](HWND dlg) {
            HWND list = GetDlgItem(dlg, IDC_CLEAN_LIST);
            const int margins = fw::ScaleToDpi(12, fw::WindowDpi(dlg));
            RECT room{};  // the columns fit beside a vertical scroll bar, without a horizontal one
            GetClientRect(list, &room);
            room.right -= fw::SystemMetricForDpi(SM_CXVSCROLL, fw::WindowDpi(dlg));
            for (int c = 0; c < Header_GetItemCount(ListView_GetHeader(list)); ++c) {
                room.right -= ListView_GetColumnWidth(list, c);
                for (int r = -1; r < ListView_GetItemCount(list); ++r) {  // -1: the title
                    wchar_t text[128] = L"";
                    LVCOLUMNW col{LVCF_TEXT, 0, 0, text, 128};
                    if (r < 0) ListView_GetColumn(list, c, &col);
                    else ListView_GetItemText(list, r, c, text, 128);
                    if (ListView_GetStringWidth(list, text) + margins > ListView_GetColumnWidth(list, c))
                        cut.push_back(text);
                }
            }
            if (room.right < 0) cut.push_back(L"the list");
            PostMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
        });
        Command(command);
        EXPECT_EQ(cut, std::vector<std::wstring>{}) << command;
    }
}

TEST_F(DisplayScaleTest, ACleanUpListMovedToAMonitorOfAnotherScaleScalesItsColumns) {
    Open(true);
    int before = 0, after = 0, from = 0;
    const int to = window->Dpi() == 144 ? 96 : 144;
    DialogAnswer answer([&](HWND dlg) {
        HWND list = GetDlgItem(dlg, IDC_CLEAN_LIST);
        before = ListView_GetColumnWidth(list, 4);
        from = fw::WindowDpi(dlg);
        RECT suggested{};
        GetWindowRect(dlg, &suggested);
        SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
        after = ListView_GetColumnWidth(list, 4);
        PostMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
    });
    Command(IDM_CHECK_LINKS);
    EXPECT_EQ(after, MulDiv(before, to, from));
}
