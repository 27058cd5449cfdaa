// The main window over a store that cannot write: a file opened read-only at start, and
// a write lock another program takes half-way through the session.
#include "gui/mainwnd/MainWindowHost.h"
#include "app/AppMessages.h"
#include "fakes/StoreRows.h"
#include "store/TextConv.h"

namespace {

void DoubleClickList(HWND main) {
    NMHDR dbl{GetDlgItem(main, IDC_FAVOR_LIST), IDC_FAVOR_LIST, static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(main, WM_NOTIFY, IDC_FAVOR_LIST, reinterpret_cast<LPARAM>(&dbl));
}

}  // namespace

TEST_F(MainWindowTest, AReadOnlyStoreIsBrowsedWithEveryChangeTurnedOff) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    FavorRecord copy;  // last visited long ago
    copy.name = L"Copy";
    copy.location = L"http://paper.example/";
    copy.lastHit = L"2020-01-02 03:04:05";
    ASSERT_TRUE(store.AddImportedFavor(copy));
    ASSERT_TRUE(store.Open(DbPath(), true));
    ASSERT_FALSE(store.CheckWritable());  // as start-up does
    const std::string before = StoreRows(DbPath());
    Open(true);
    ClickFolder(news);
    SelectRows({0});
    for (int id : {IDC_FOLDER_NEW, IDC_FOLDER_EDIT, IDC_FOLDER_DELETE, IDC_FAVOR_NEW, IDC_FAVOR_EDIT,
                   IDC_FAVOR_DELETE, IDC_IMPORT, IDC_SAVE_DETAILS})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_EXPORT));
    for (UINT id : {IDM_FILE_NEW_FAVORITE, IDM_FILE_NEW_FOLDER, IDM_FILE_IMPORT, IDM_EDIT_FOLDER, IDM_DELETE_FOLDER,
                    IDM_EDIT_FAVORITE, IDM_DELETE_FAVORITES, IDM_EDIT_UNDO, IDM_EDIT_REDO})
        EXPECT_EQ(GetMenuState(GetMenu(Main()), id, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED)) << id;

    int dialogs = 0;
    fw::SetModalHook([&](HWND dlg) {
        ++dialogs;
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_NE(settings.m_addFavorHotkeyId, 0);
    SendMessageW(Main(), WM_HOTKEY, settings.m_addFavorHotkeyId, 0);  // the reason instead of a dialog
    EXPECT_EQ(dialogs, 0);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, L"Your favorites data file \\Data\\favors.db is read-only. You can browse "
                                        L"and open your favorites, but changes cannot be saved.");

    MenuWatch menus;
    RightClick(Item(IDC_FOLDER_TREE), FolderPoint(news));
    SelectRows({0});
    RightClick(Item(IDC_FAVOR_LIST), RowPoint(0));
    SendMessageW(Main(), WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    ASSERT_EQ(menus.shown.size(), 3u);
    EXPECT_EQ(menus.shown[0], (std::vector<std::wstring>{L"Add &folder (grey)", L"&Edit\tAlt+Enter (grey)", L"&Delete\tDel (grey)",
                                                         L"&Add favorite (grey)"}));
    EXPECT_EQ(menus.shown[1], (std::vector<std::wstring>{L"&Launch Selected Favorite\tEnter", L"&Select All\tCtrl+A",
                                                         L"In&vert Selection", L"&Edit\tAlt+Enter (grey)", L"&Delete\tDel (grey)"}));
    EXPECT_EQ(menus.shown[2][4], L"&Add New Favor... (grey)");

    DoubleClickList(Main());  // opens, without counting
    EXPECT_EQ(seams.Opened(), std::vector<std::wstring>{L"http://paper.example/"});
    EXPECT_EQ(window->List().RecordAt(0)->hits, 0);
    Command(IDC_TO_QUICKPANEL);
    EXPECT_FALSE(Enabled(IDC_MAGIC_ADD));
    Command(IDC_TO_BROWSER_TOP);
    BOOL canDelete = TRUE;
    std::wstring lastVisits;
    {
        DialogAnswer duplicates([&](HWND dlg) {  // found and shown, but not deleted
            SendDlgItemMessageW(dlg, IDC_DUP_SELECT_EXTRA, BM_CLICK, 0, 0);
            canDelete = IsWindowEnabled(GetDlgItem(dlg, IDC_CLEAN_DELETE));
            SendDlgItemMessageW(dlg, IDC_CLEAN_OPEN, BM_CLICK, 0, 0);  // the old copy: opened, not counted
            for (int r = 0; r < 2; ++r) {
                wchar_t text[64] = L"";
                ListView_GetItemText(GetDlgItem(dlg, IDC_CLEAN_LIST), r, 3, text, 64);
                lastVisits += text + std::wstring(L"|");
            }
            PostMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
        });
        Command(IDM_FIND_DUPLICATES);
    }
    EXPECT_FALSE(canDelete);
    EXPECT_NE(lastVisits.find(L"2020-01-02 03:04:05"), std::wstring::npos) << lastVisits;  // as the file holds it
    EXPECT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(StoreRows(DbPath()), before);
}

// Each refused change is said once, after a short wait, and the panes keep the file's state.
TEST_F(MainWindowTest, ChangesAnotherProgramLocksOutAreToldAndThePanesKeepTheFile) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    Open(true);
    ClickFolder(news);
    CppSQLite3Connection other;
    other.Open(ToUtf8(DbPath()).c_str());
    other.Execute("begin immediate;");
    const std::string before = StoreRows(DbPath());
    {
        DialogAnswer answer([](HWND dlg) {
            SetDlgItemTextW(dlg, IDC_DETAIL_NAME, L"World");
            PressOk(dlg);
        });
        Command(IDM_FILE_NEW_FOLDER);
    }
    EXPECT_TRUE(window->Tree().FindFolder(news)->subfolders.empty());
    SetDlgItemTextW(Main(), IDC_DETAIL_NAME, L"Headlines");
    Command(IDC_SAVE_DETAILS);
    EXPECT_EQ(window->Tree().FindFolder(news)->name, L"News");
    EXPECT_EQ(Text(IDC_DETAIL_NAME), L"News");
    Command(IDC_FOLDER_DELETE);  // Yes
    ASSERT_NE(window->Tree().FindFolder(news), nullptr);
    SelectRows({0});
    Command(IDC_FAVOR_DELETE);  // Yes
    EXPECT_EQ(window->List().RowCount(), 1);
    DoubleClickList(Main());
    EXPECT_EQ(seams.Opened().size(), 1u);
    EXPECT_EQ(window->List().RecordAt(0)->hits, 0);
    EXPECT_EQ(Text(IDC_DETAIL_HITS), L"0");

    std::vector<std::wstring> tips;
    for (const ShownMessage& m : seams.Messages())
        if (m.caption == L"Tidemarker Tip:") tips.push_back(m.text);
    EXPECT_EQ(tips, std::vector<std::wstring>(5, L"The change could not be saved to your favorites data file "
                                                 L"\\Data\\favors.db.\nSQLite reports: SQLITE_BUSY[5]: database is locked"));
    other.Execute("rollback;");
    EXPECT_EQ(StoreRows(DbPath()), before);
}

// While another program writes the file, the Clean Up tools cannot read it: they say so
// rather than report that no favorites share a location or that no link failed.
TEST_F(MainWindowTest, CleanUpToolsThatCannotReadTheStoreSaySo) {
    AddFavor(L"Paper", L"http://paper.example/", 0);
    AddFavor(L"Copy", L"http://paper.example/", 0);
    Open(true);
    CppSQLite3Connection other;
    other.Open(ToUtf8(DbPath()).c_str());
    other.Execute("begin exclusive;");
    int dialogs = 0;
    std::wstring status;
    fw::SetModalHook([&](HWND dlg) {
        ++dialogs;
        SendDlgItemMessageW(dlg, IDC_LINKS_START, BM_CLICK, 0, 0);
        status = fw::WindowText(GetDlgItem(dlg, IDC_CLEAN_STATUS));
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_FIND_DUPLICATES);  // no dialog: the message
    Command(IDM_CHECK_LINKS);
    other.Execute("rollback;");
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(status, L"Checked 0 / 0, skipped 0 (not http or https): the favorites could not be read.");
    const std::wstring told = L"The favorites could not be read from your favorites data file \\Data\\favors.db.\n"
                              L"SQLite reports: SQLITE_BUSY[5]: database is locked";
    ASSERT_EQ(seams.Messages().size(), 2u);
    EXPECT_EQ(seams.Messages()[0].text, told);
    EXPECT_EQ(seams.Messages()[1].text, told);
}

// While another program holds the file locked, what cannot be read is said, never shown as
// empty; and a folder whose favorites the user never saw is not deleted before that is
// told again.
TEST_F(MainWindowTest, WhatTheStoreCannotReadIsToldAndItsFolderIsNotDeletedUnseen) {
    const int news = AddFolder(L"News", 0);
    const int paper = AddFavor(L"Paper", L"http://paper.example/", news);
    FavorRecord visited;
    visited.id = paper;
    ASSERT_TRUE(store.CountVisit(visited));
    Open(true);
    CppSQLite3Connection other;
    other.Open(ToUtf8(DbPath()).c_str());
    other.Execute("begin exclusive;");
    const std::wstring status = L" The favorites could not be read. SQLite reports: SQLITE_BUSY[5]: database is locked";
    ClickFolder(news);
    EXPECT_EQ(Text(IDC_STATUS), status);
    SetWindowTextW(Item(IDC_SEARCH_EDIT), L"paper");
    EXPECT_EQ(Text(IDC_STATUS), status);
    Command(IDC_MOST_VISITED);  // no empty menu: the reason
    other.Execute("rollback;");
    seams.QueueAnswer(IDOK);
    seams.QueueAnswer(IDNO);
    Command(IDC_FOLDER_DELETE);
    std::vector<std::wstring> told;
    for (const ShownMessage& m : seams.Messages()) told.push_back(m.caption + L"|" + m.text);
    EXPECT_EQ(told, (std::vector<std::wstring>{
                        L"Tidemarker Tip:|The favorites could not be read from your favorites data file "
                        L"\\Data\\favors.db.\nSQLite reports: SQLITE_BUSY[5]: database is locked",
                        L"Tidemarker Tip:|The favorites of the folder [News] could not be read from your favorites "
                        L"data file \\Data\\favors.db, so the list did not show them; deleting the folder deletes "
                        L"them too.\nSQLite reports: SQLITE_BUSY[5]: database is locked",
                        L"Delete folder confirm|Are you sure to delete folder [News] and the favorites under it?"}));
    EXPECT_EQ(StoredNames(store, news), std::vector<std::wstring>{L"Paper"});

    // A folder tree the store cannot read at start (the file damaged meanwhile) is no empty tree either.
    window.reset();
    seams.Clear();
    other.Execute("alter table tbl_folder rename to tbl_other;");
    Open(true);
    other.Execute("alter table tbl_other rename to tbl_folder;");
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, L"The favorites could not be read from your favorites data file "
                                        L"\\Data\\favors.db.\nSQLite reports: SQLITE_ERROR[1]: no such table: tbl_folder");
}
