// The Clean Up tools from the main window: the question before a location is added
// again, Find Duplicates and Check Links (against a server on 127.0.0.1 only).
#include "fakes/TestHttpServer.h"  // winsock2.h before windows.h
#include "gui/mainwnd/MainWindowHost.h"
#include "backup/CBackups.h"
#include "browser/CLinkChecker.h"
#include <commctrl.h>

namespace {

void Press(HWND dlg, int id) { SendMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

std::wstring Cell(HWND dlg, int row, int column) {
    wchar_t text[512] = {};
    ListView_GetItemText(GetDlgItem(dlg, IDC_CLEAN_LIST), row, column, text, 512);
    return text;
}

int RowCount(HWND dlg) { return ListView_GetItemCount(GetDlgItem(dlg, IDC_CLEAN_LIST)); }

// A click on the row's name, as the user picks it.
void SelectRow(HWND dlg, int row) {
    HWND list = GetDlgItem(dlg, IDC_CLEAN_LIST);
    RECT rc{};
    ListView_GetItemRect(list, row, &rc, LVIR_LABEL);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageW(list, WM_LBUTTONUP, 0, at);  // queued first: the list waits for it in its button-down
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
}

int RowWithName(HWND dlg, const wchar_t* name) {
    for (int r = 0; r < RowCount(dlg); ++r)
        if (Cell(dlg, r, 0) == name) return r;
    return -1;
}

// Runs `step` every 50 ms inside the dialog's own loop until it returns true (then the
// dialog is closed) or 20 seconds have passed.
void PollDialog(HWND dlg, std::function<bool(HWND)> step) {
    static std::function<bool(HWND)> s_step;
    static ULONGLONG s_deadline;
    s_step = std::move(step);
    s_deadline = GetTickCount64() + 20000;
    SetTimer(dlg, 1, 50, [](HWND h, UINT, UINT_PTR, DWORD) {
        if (!s_step(h) && GetTickCount64() < s_deadline) return;
        KillTimer(h, 1);
        PostMessageW(GetDlgItem(h, IDCANCEL), BM_CLICK, 0, 0);
    });
}

std::vector<FavorRecord> Favors(CFavorStore& store, int folderId) {
    std::vector<FavorRecord> rows;
    store.LoadFavors(folderId, rows);
    return rows;
}

std::wstring LocationOf(CFavorStore& store, int folderId, int id) {
    std::wstring location;
    for (FavorRecord& f : Favors(store, folderId)) {
        if (f.id == id) location = f.location;
    }
    return location;
}

// Link checks of these tests give up quickly and never look for a proxy.
struct QuickLinkChecks {
    QuickLinkChecks(DWORD timeoutMs) : saved(CLinkChecker::Defaults()) {
        CLinkChecker::Defaults().timeoutMs = timeoutMs;
        CLinkChecker::Defaults().systemProxy = false;
    }
    ~QuickLinkChecks() { CLinkChecker::Defaults() = saved; }
    LinkCheckOptions saved;
};

}  // namespace

TEST_F(MainWindowTest, NewFavoriteAsksBeforeAddingAStoredLocationAgain) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Example", L"http://example.com/", news);
    Open(true);
    seams.QueueAnswer(IDNO);  // then Yes
    {
        DialogAnswer answer([](HWND dlg) {
            SetDlgItemTextW(dlg, IDC_DETAIL_NAME, L"Again");
            SetDlgItemTextW(dlg, IDC_DETAIL_LOCATION, L"HTTP://Example.com:80");
            PressOk(dlg);  // No: the dialog stays
            PressOk(dlg);  // Yes: stored
        });
        Command(IDM_FILE_NEW_FAVORITE);
        Pump();
    }
    const std::vector<ShownMessage> shown = seams.Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, L"Tidemarker Tip:");
    EXPECT_EQ(shown[0].text, L"This location is already stored as \"Example\" in Root\\News. Add it again?");
    EXPECT_EQ(shown[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    std::vector<FavorRecord> stored = Favors(store, 0);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].location, L"HTTP://Example.com:80");
}

TEST_F(MainWindowTest, FindDuplicatesKeepsTheMostVisitedOfEachGroupAndDeletesTheRest) {
    seams.PinClock(2026, 11, 3, 12, 0, 0);  // the unvisited ones share their last visit, whatever the machine's pace
    const int news = AddFolder(L"News", 0);
    const int tech = AddFolder(L"Tech", 0);
    const int a1 = AddFavor(L"a1", L"http://a.example/", news);
    const int a2 = AddFavor(L"a2", L"HTTP://a.example:80/", tech);
    AddFavor(L"a3", L"http://a.example", 0);
    const int b1 = AddFavor(L"b1", L"http://b.example/x", news);
    const int b2 = AddFavor(L"b2", L"http://b.example/x", news);
    AddFavor(L"lone", L"http://c.example/", news);
    FavorRecord visited;
    visited.id = b2;
    store.CountVisit(visited);
    Open(true);
    window->Tree().SelectFolder(news);
    std::vector<std::wstring> firstRows;
    std::wstring status, after;
    int selectedTree = -1, selectedRow = -1, left = -1;
    {
        DialogAnswer answer([&](HWND dlg) {
            status = fw::WindowText(GetDlgItem(dlg, IDC_CLEAN_STATUS));
            for (int r = 0; r < RowCount(dlg); ++r) firstRows.push_back(Cell(dlg, r, 0) + L"|" + Cell(dlg, r, 1));
            SelectRow(dlg, RowWithName(dlg, L"a2"));
            Press(dlg, IDC_CLEAN_SHOW);
            selectedTree = window->Tree().GetSelectedFolder()->id;
            const FavorRecord* one = window->List().GetSingleSelectedFavor();
            selectedRow = one ? one->id : -1;
            window->Tree().SelectFolder(news);  // back to the folder, as the user would go
            Press(dlg, IDC_DUP_SELECT_EXTRA);
            Press(dlg, IDC_CLEAN_DELETE);
            after = fw::WindowText(GetDlgItem(dlg, IDC_CLEAN_STATUS));
            left = RowCount(dlg);
            PostMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
        });
        Command(IDM_FIND_DUPLICATES);
        Pump();
    }
    EXPECT_EQ(status, L"5 favorites share 2 locations.");
    EXPECT_EQ(firstRows, (std::vector<std::wstring>{L"a1|Root\\News", L"a2|Root\\Tech", L"a3|Root", L"b1|Root\\News",
                                                    L"b2|Root\\News"}));
    EXPECT_EQ(selectedTree, tech);
    EXPECT_EQ(selectedRow, a2);
    EXPECT_EQ(after, L"No two favorites share a location.");
    EXPECT_EQ(left, 0);
    // Kept: a1 (the oldest of three unvisited), b2 (visited) and the lone one.
    std::vector<std::wstring> names;
    for (int folder : {0, news, tech})
        for (FavorRecord& f : Favors(store, folder)) names.push_back(f.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a1", L"b2", L"lone"}));
    EXPECT_EQ(window->List().RowCount(), 3);  // News shows a1, b2, lone
    EXPECT_EQ(window->List().FindRow(b1), nullptr);
    EXPECT_NE(window->List().FindRow(a1), nullptr);
    // The backup copy made just before the delete holds News as it was.
    const std::vector<BackupEntry> copies = CBackups(DbPath()).List();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].name.reason, BackupReason::Cleanup);
    CFavorStore before;
    ASSERT_TRUE(before.Open(copies[0].path, true));
    EXPECT_EQ(FavorCount(before, news), 4);
}

TEST_F(MainWindowTest, CheckLinksListsWhatIsNotOkAndReplacesAMovedLocation) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    QuickLinkChecks quick(700);
    const int news = AddFolder(L"News", 0);
    const int deep = AddFolder(L"Deep", news);
    AddFavor(L"fine", server.Url("/ok").c_str(), news);
    const int moved = AddFavor(L"moved", server.Url("/moved").c_str(), news);
    const int gone = AddFavor(L"gone", server.Url("/gone").c_str(), news);
    AddFavor(L"mail", L"mailto:me@example.com", news);
    AddFavor(L"quiet", server.Url("/silent").c_str(), deep);
    AddFavor(L"broken", server.Url("/error").c_str(), deep);
    Open(true);
    window->Tree().SelectFolder(news);
    std::vector<std::wstring> rows;
    std::wstring folder, status, replaced;
    {
        DialogAnswer answer([&](HWND dlg) {
            folder = fw::WindowText(GetDlgItem(dlg, IDC_LINKS_FOLDER));
            Press(dlg, IDC_LINKS_SUBFOLDERS);
            Press(dlg, IDC_LINKS_START);
            PollDialog(dlg, [&](HWND h) {
                status = fw::WindowText(GetDlgItem(h, IDC_CLEAN_STATUS));
                if (status.find(L"not OK") == std::wstring::npos) return false;
                for (int r = 0; r < RowCount(h); ++r) rows.push_back(Cell(h, r, 0) + L"|" + Cell(h, r, 2) + L"|" + Cell(h, r, 4));
                SelectRow(h, RowWithName(h, L"moved"));
                Press(h, IDC_LINKS_REPLACE);
                replaced = fw::WindowText(GetDlgItem(h, IDC_CLEAN_STATUS));
                return true;
            });
        });
        Command(IDM_CHECK_LINKS);
        Pump();
    }
    EXPECT_EQ(folder, L"Root\\News");
    EXPECT_EQ(status, L"Checked 5 / 5, skipped 1 (not http or https): 4 not OK.");
    EXPECT_EQ(replaced, L"Checked 5 / 5, skipped 1 (not http or https): 3 not OK.");  // the moved one answers now
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"broken|Server error (500)|", L"gone|Not found (404)|",
                                               L"moved|Moved|" + server.Url("/ok"), L"quiet|No answer|"}));
    EXPECT_EQ(LocationOf(store, news, moved), server.Url("/ok"));
    EXPECT_EQ(LocationOf(store, news, gone), server.Url("/gone"));  // nothing else changed
    EXPECT_EQ(window->List().FindRow(moved)->location, server.Url("/ok"));
}

TEST_F(MainWindowTest, CancelStopsALinkCheckHalfWayAndChangesNothing) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    QuickLinkChecks quick(5000);
    const int gone = AddFavor(L"gone", server.Url("/gone").c_str(), 0);
    for (const wchar_t* name : {L"q1", L"q2", L"q3"}) AddFavor(name, server.Url("/silent").c_str(), 0);
    Open(true);
    std::wstring cancelled, later;
    int rowsAtCancel = -1, rowsLater = -1;
    {
        DialogAnswer answer([&](HWND dlg) {
            Press(dlg, IDC_LINKS_START);
            PollDialog(dlg, [&](HWND h) {
                if (fw::WindowText(GetDlgItem(h, IDC_CLEAN_STATUS)).find(L"Checked 1 / 4") == std::wstring::npos)
                    return false;
                if (rowsAtCancel < 0) {
                    Press(h, IDC_LINKS_STOP);
                    cancelled = fw::WindowText(GetDlgItem(h, IDC_CLEAN_STATUS));
                    rowsAtCancel = RowCount(h);
                    return false;  // one more round: nothing may arrive after the cancel
                }
                later = fw::WindowText(GetDlgItem(h, IDC_CLEAN_STATUS));
                rowsLater = RowCount(h);
                return IsWindowEnabled(GetDlgItem(h, IDC_LINKS_START)) != FALSE;
            });
        });
        Command(IDM_CHECK_LINKS);
        Pump();
    }
    EXPECT_EQ(cancelled, L"Checked 1 / 4, skipped 0 (not http or https): cancelled, nothing was changed.");
    EXPECT_EQ(later, cancelled);
    EXPECT_EQ(rowsAtCancel, 1);
    EXPECT_EQ(rowsLater, 1);
    EXPECT_EQ(LocationOf(store, 0, gone), server.Url("/gone"));
    std::vector<FavorRecord> left = Favors(store, 0);
    EXPECT_EQ(left.size(), 4u);
}
