// The main window's two modes, its rectangles per mode, its layout at real sizes,
// the splitter and the collapse button, and how it hides, shows and exits.
#include "gui/mainwnd/MainWindowHost.h"
#include "app/AppMessages.h"
#include "ui/MainLayout.h"
#include "ui/widgets/CSplitterBar.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool IsTopMost(HWND h) { return (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

TEST_F(MainWindowTest, ModesSwitchInPlaceAndKeepARectangleEach) {
    Open(true);
    EXPECT_EQ(fw::WindowText(Main()), L"Tidemarker - Favorite Browser");
    EXPECT_NE(GetMenu(Main()), nullptr);
    EXPECT_TRUE(Visible(IDC_FOLDER_TREE));
    EXPECT_FALSE(Visible(IDC_FOLDER_COMBO));
    EXPECT_FALSE(IsTopMost(Main()));
    EXPECT_TRUE(SameRect(WindowRect(), kBrowserRect));

    SetWindowPos(Main(), nullptr, 60, 70, 820, 600, SWP_NOZORDER);
    Pump();
    const RECT movedBrowser = WindowRect();
    EXPECT_TRUE(SameRect(window->State().browserRect, movedBrowser));

    Command(IDC_TO_QUICKPANEL);
    EXPECT_EQ(fw::WindowText(Main()), L"Tidemarker - Quick Panel");
    EXPECT_EQ(GetMenu(Main()), nullptr);
    EXPECT_FALSE(Visible(IDC_FOLDER_TREE));
    EXPECT_TRUE(Visible(IDC_MOST_VISITED));
    EXPECT_TRUE(IsTopMost(Main()));
    EXPECT_TRUE(SameRect(WindowRect(), kQuickPanelRect));
    EXPECT_TRUE(SameRect(window->State().browserRect, movedBrowser));  // undisturbed

    SetWindowPos(Main(), nullptr, 910, 120, 330, 420, SWP_NOZORDER);
    Pump();
    const RECT movedPanel = WindowRect();

    Command(IDC_TO_BROWSER_BOTTOM);
    EXPECT_TRUE(SameRect(WindowRect(), movedBrowser));
    EXPECT_FALSE(IsTopMost(Main()));
    EXPECT_TRUE(SameRect(window->State().quickPanelRect, movedPanel));

    // Exit writes the mode and both rectangles; the next start opens where they were.
    Command(IDM_TO_QUICKPANEL);
    Command(IDM_FILE_CLOSE);
    EXPECT_TRUE(window->State().closing);
    EXPECT_FALSE(settings.ReadBrowserMode());
    RECT saved{};
    settings.ReadWindowRect(true, saved);
    EXPECT_TRUE(SameRect(saved, movedBrowser));
    settings.ReadWindowRect(false, saved);
    EXPECT_TRUE(SameRect(saved, movedPanel));

    window = std::make_unique<CFavorMainDlg>(store, settings);
    ASSERT_TRUE(window->Create(nullptr));
    Pump();
    EXPECT_FALSE(window->State().isBrowser);
    EXPECT_TRUE(SameRect(WindowRect(), movedPanel));
    Command(IDC_TO_BROWSER_TOP);
    EXPECT_TRUE(SameRect(WindowRect(), movedBrowser));
}

TEST_F(MainWindowTest, MinimumSizePerMode) {
    Open(true);
    const int dpi = window->Dpi();
    SetWindowPos(Main(), nullptr, 0, 0, 100, 50, SWP_NOZORDER | SWP_NOMOVE);
    RECT rc = WindowRect();
    EXPECT_EQ(rc.right - rc.left, fw::ScaleToDpi(layout::kBrowserMinWidth, dpi));
    EXPECT_EQ(rc.bottom - rc.top, fw::ScaleToDpi(layout::kBrowserMinHeight, dpi));
    Command(IDC_TO_QUICKPANEL);
    SetWindowPos(Main(), nullptr, 0, 0, 100, 50, SWP_NOZORDER | SWP_NOMOVE);
    rc = WindowRect();
    EXPECT_EQ(rc.right - rc.left, fw::ScaleToDpi(layout::kQuickPanelMinWidth, dpi));
    EXPECT_EQ(rc.bottom - rc.top, fw::ScaleToDpi(layout::kQuickPanelMinHeight, dpi));
}

TEST_F(MainWindowTest, ControlsFollowTheLayoutAtEachWidth) {
    Open(true);
    const int dpi = window->Dpi();
    const RECT win = WindowRect();
    const SIZE client0 = ClientSize();
    const int frameW = (win.right - win.left) - client0.cx;
    for (int cx96 : {800, 740, 715, 700, 640, 585}) {
        const int cx = fw::ScaleToDpi(cx96, dpi);
        SCOPED_TRACE(cx);
        SetWindowPos(Main(), nullptr, 0, 0, cx + frameW, win.bottom - win.top, SWP_NOZORDER | SWP_NOMOVE);
        const SIZE c = ClientSize();
        ASSERT_EQ(c.cx, cx);
        const layout::BrowserLayout l = layout::ComputeBrowserLayout(c.cx, c.cy, dpi, true);
        EXPECT_EQ(ClientBox(IDC_SEARCH_EDIT), l.search);
        EXPECT_EQ(ClientBox(IDC_SEARCH_BUTTON), l.searchButton);
        EXPECT_EQ(ClientBox(IDC_FAVOR_LIST), l.list);
        EXPECT_EQ(ClientBox(IDC_FOLDER_TREE), l.tree);
        EXPECT_EQ(ClientBox(IDC_STATUS), l.status);
        EXPECT_EQ(Visible(IDC_SEPARATOR3), l.showSeparator3);
        EXPECT_EQ(Visible(IDC_EXPORT), l.showExport);
        EXPECT_EQ(Visible(IDC_IMPORT), l.showImport);
        EXPECT_EQ(Visible(IDC_SEPARATOR2), l.showSeparator2);
        const layout::DetailsLayout d = layout::ComputeDetailsLayout(c.cx, c.cy, dpi, layout::TreeWidth(dpi));
        EXPECT_EQ(ClientBox(IDC_DETAIL_NAME), d.fields[0]);
        EXPECT_EQ(ClientBox(IDC_SAVE_DETAILS), d.save);
    }
    Command(IDC_TO_QUICKPANEL);
    const SIZE q = ClientSize();
    const layout::QuickPanelLayout ql = layout::ComputeQuickPanelLayout(q.cx, q.cy, dpi);
    EXPECT_EQ(ClientBox(IDC_FAVOR_LIST), ql.list);
    EXPECT_EQ(ClientBox(IDC_SEARCH_EDIT), ql.search);
    EXPECT_EQ(ClientBox(IDC_TO_BROWSER_BOTTOM), ql.browserBottom);
    EXPECT_EQ(Text(IDC_TO_BROWSER_TOP), ql.browserTopIconOnly ? L"" : L"Favor Browser");
}

TEST_F(MainWindowTest, CollapseButtonAndSplitterMoveTheListArea) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    Open(true);
    window->Tree().SelectFolder(news);
    const layout::Box expanded = ClientBox(IDC_FAVOR_LIST);

    Command(IDC_DETAILS_TOGGLE);
    EXPECT_FALSE(window->State().detailsExpanded);
    EXPECT_EQ(ClientBox(IDC_FAVOR_LIST).h, expanded.h + 114);
    EXPECT_FALSE(Visible(IDC_DETAIL_NAME));
    // Expanding shows what the pane holds: a favorite, all five fields; a folder, the name.
    SelectRows({0});
    Command(IDC_DETAILS_TOGGLE);
    EXPECT_TRUE(Visible(IDC_DETAIL_LASTHIT));
    EXPECT_TRUE(Visible(IDC_SAVE_DETAILS));
    Command(IDC_DETAILS_TOGGLE);
    SelectRows({});
    window->Tree().SelectFolder(0);
    window->Tree().SelectFolder(news);
    Command(IDC_DETAILS_TOGGLE);
    EXPECT_TRUE(Visible(IDC_DETAIL_NAME));
    EXPECT_FALSE(Visible(IDC_DETAIL_LOCATION));

    NMSPLITTER nm{{Item(IDC_SPLITTER), IDC_SPLITTER, SPN_DRAGGED}, 40};
    SendMessageW(Main(), WM_NOTIFY, IDC_SPLITTER, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(ClientBox(IDC_FOLDER_TREE).w, 220);
    EXPECT_EQ(ClientBox(IDC_FAVOR_LIST).x, 228);
    EXPECT_EQ(ClientBox(IDC_DETAIL_NAME).x, 231 + layout::kLabelWidth);
    // The next resize lays the tree out at its usual width again.
    const RECT rc = WindowRect();
    SetWindowPos(Main(), nullptr, 0, 0, rc.right - rc.left + 10, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(ClientBox(IDC_FOLDER_TREE).w, layout::kTreeWidth);
    EXPECT_EQ(ClientBox(IDC_FAVOR_LIST).x, 188);
}

TEST_F(MainWindowTest, CloseAndCancelHideShowInstanceShowsEnterNeverCloses) {
    Open(true);
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Main()));
    EXPECT_EQ(SendMessageW(Main(), WM_SHOWINSTANCE, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(Main()));
    EXPECT_NE(GetPropW(Main(), L"Tidemarker"), nullptr);  // a second copy finds it

    SetFocus(Item(IDC_FOLDER_TREE));
    Command(IDOK);
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_TRUE(IsWindowVisible(Main()));

    // The cancel command (Esc) hides the window too, and writes nothing.
    Command(IDCANCEL);
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_FALSE(IsWindowVisible(Main()));
    EXPECT_FALSE(window->State().closing);
    RECT saved{};
    settings.ReadWindowRect(true, saved);
    EXPECT_TRUE(SameRect(saved, kBrowserRect));  // as Open wrote it
}

TEST_F(MainWindowTest, FoldersChangedMakesTheQuickPanelListStale) {
    const int news = AddFolder(L"News", 0);
    const int world = AddFolder(L"World", news);
    Open(true);
    window->Tree().SelectFolder(world);
    Command(IDC_TO_QUICKPANEL);
    EXPECT_FALSE(window->State().folderComboStale);
    HWND combo = Item(IDC_FOLDER_COMBO);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);  // the tree's folder
    wchar_t text[64]{};
    SendMessageW(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"      World");

    EXPECT_EQ(SendMessageW(Main(), WM_FOLDERS_CHANGED, 0, 0), 0);
    EXPECT_TRUE(window->State().folderComboStale);

    // Choosing a folder in the list selects it in the hidden tree and lists it.
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    Command(IDC_FOLDER_COMBO, CBN_SELCHANGE);
    EXPECT_EQ(window->Tree().GetSelectedFolder()->id, news);
    Command(IDC_TO_BROWSER_TOP);
    EXPECT_EQ(window->Tree().GetSelectedFolder()->id, news);
    EXPECT_EQ(Text(IDC_STATUS), L" Folder : News,    Favorites : 0");
}

// A real Esc, wherever the focus is, hides the window like the close box: the program
// lives on in the tray.
TEST_F(MainWindowTest, EscHidesTheWindowWhereverTheFocusIs) {
    std::vector<std::function<void()>> steps;
    std::vector<int> hiddenAfter;
    for (int id : {IDC_SEARCH_EDIT, IDC_FAVOR_LIST, IDC_FOLDER_TREE}) {
        steps.push_back([this, id] {
            SendMessageW(Main(), WM_SHOWINSTANCE, 0, 0);
            ASSERT_EQ(GetForegroundWindow(), Main());
            SetFocus(Item(id));
            PressKey(VK_ESCAPE);
        });
        steps.push_back([&, id] {
            if (!IsWindowVisible(Main())) hiddenAfter.push_back(id);
        });
    }
    RunModal(true, steps);
    EXPECT_EQ(hiddenAfter, (std::vector<int>{IDC_SEARCH_EDIT, IDC_FAVOR_LIST, IDC_FOLDER_TREE}));
    EXPECT_TRUE(window->State().closing);  // it ran until the exit command
}
