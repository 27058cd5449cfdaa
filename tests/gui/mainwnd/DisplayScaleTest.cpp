// The main window at the display's scale, and after a move to a monitor of another
// scale: no control overlaps another, every text fits its control in the control's own
// font, and the panes' icons have the scale's size. A second run of these tests uses a
// Wine prefix at 144 pixels per inch (TM_EXPECT_DPI tells them so).
#include "gui/mainwnd/MainWindowHost.h"
#include "ui/widgets/CFlatButton.h"
#include <cstdlib>
#include <cwchar>

namespace {

struct Child {
    HWND hwnd;
    RECT rc;  // in the main window's client area
};

std::vector<Child> VisibleChildren(HWND main) {
    std::vector<Child> out;
    for (HWND h = GetWindow(main, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsWindowVisible(h)) continue;
        RECT rc{};
        GetWindowRect(h, &rc);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rc), 2);
        out.push_back({h, rc});
    }
    return out;
}

std::wstring ClassOf(HWND h) {
    wchar_t name[64] = L"";
    GetClassNameW(h, name, 64);
    return name;
}

// Width of a control's text drawn in the control's own font.
int TextWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

int ExpectedDpi() {
    const char* text = std::getenv("TM_EXPECT_DPI");
    return text ? std::atoi(text) : 0;
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
        const int dpi = window->Dpi();
        const std::vector<Child> shown = VisibleChildren(Main());
        for (size_t i = 0; i < shown.size(); ++i) {
            const Child& c = shown[i];
            for (size_t j = i + 1; j < shown.size(); ++j) {
                RECT both{};
                EXPECT_FALSE(IntersectRect(&both, &c.rc, &shown[j].rc))
                    << GetDlgCtrlID(c.hwnd) << " overlaps " << GetDlgCtrlID(shown[j].hwnd);
            }
            const std::wstring text = fw::WindowText(c.hwnd), kind = ClassOf(c.hwnd);
            const int width = c.rc.right - c.rc.left;
            const bool flat = (GetWindowLongPtrW(c.hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
            if (text.empty() || (kind != L"Button" && kind != L"Static")) continue;
            const int room = kind == L"Button" && flat ? CFlatButton::TextRoom(width, dpi, true) : width;
            EXPECT_LE(TextWidth(c.hwnd, text), room) << "\"" << std::string(text.begin(), text.end()) << "\"";
        }
    }
    void ExpectPaneIconsAt(int size) {
        int cx = 0, cy = 0;
        EXPECT_TRUE(ImageList_GetIconSize(TreeView_GetImageList(Item(IDC_FOLDER_TREE), TVSIL_NORMAL), &cx, &cy));
        EXPECT_EQ(cx, size);
        EXPECT_EQ(cy, size);
        EXPECT_EQ(ListView_GetImageList(Item(IDC_FAVOR_LIST), LVSIL_SMALL),
                  TreeView_GetImageList(Item(IDC_FOLDER_TREE), TVSIL_NORMAL));
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
    if (ExpectedDpi()) ASSERT_EQ(dpi, ExpectedDpi()) << "the prefix's display scale";
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
    const RECT now = WindowRect();
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_TRUE(EqualRect(&window->State().browserRect, &suggested));  // remembered as it is now
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(IDC_FAVOR_LIST), WM_GETFONT, 0, 0)), sizeof after, &after);
    EXPECT_NEAR(after.lfHeight, MulDiv(before.lfHeight, to, from), 1);  // the same size in points
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FAVOR_LIST), 0), MulDiv(nameColumn, to, from));
    ExpectPaneIconsAt(fw::SmallIconSizeForDpi(to));
    const SIZE c = ClientSize();
    const layout::BrowserLayout l = layout::ComputeBrowserLayout(c.cx, c.cy, to, true);
    EXPECT_EQ(ClientBox(IDC_FAVOR_LIST), l.list);
    EXPECT_EQ(ClientBox(IDC_SEARCH_EDIT), l.search);
    EXPECT_EQ(ClientBox(IDC_FOLDER_EDIT), layout::ToolbarAt(to)[1].box);
    ExpectEveryModeFits();
}
