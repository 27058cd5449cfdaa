// Backups from the user's side: the day's first start makes the daily copy, and File >
// Restore from Backup brings a copy's favorites back into the panes.
#include "gui/mainwnd/MainWindowHost.h"
#include "app/AppMessages.h"
#include "backup/CBackups.h"
#include <commctrl.h>

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::wstring> FolderNames(const std::wstring& db) {
    CFavorStore copy;
    FolderRecord root;
    std::vector<std::wstring> names;
    if (!copy.Open(db, true) || !copy.LoadFolderTree(root)) return names;
    for (const auto& f : root.subfolders) names.push_back(f->name);
    return names;
}

std::wstring Cell(HWND dlg, int row, int column) {
    wchar_t text[128] = {};
    ListView_GetItemText(GetDlgItem(dlg, IDC_RESTORE_LIST), row, column, text, 128);
    return text;
}

}  // namespace

// Starts on three days: the first start of a day copies the file once the window is up
// (a partial copy left by a killed run goes first), a later start that day copies nothing,
// and a copy that cannot be made is told with its reason while the window works on.
TEST_F(MainWindowTest, TheDaysFirstStartMakesTheDailyCopy) {
    AddFolder(L"News", 0);
    CreateDirectoryW(BackupsPath().c_str(), nullptr);
    const std::wstring leftover = BackupsPath() + L"\\favors-20261102-235959-daily.db.partial";
    const struct { WORD day, hour; std::vector<std::wstring> dailies; } starts[] = {
        {3, 8, {L"favors-20261103-080000-daily.db"}},
        {3, 17, {L"favors-20261103-080000-daily.db"}},
        {4, 9, {L"favors-20261104-090000-daily.db", L"favors-20261103-080000-daily.db"}},
    };
    for (const auto& start : starts) {
        CloseHandle(CreateFileW(leftover.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        seams.PinClock(2026, 11, start.day, start.hour, 0, 0);
        window = NewWindow(true);
        window->KeepDailyBackups();
        ASSERT_TRUE(window->Create(nullptr));
        EXPECT_TRUE(IsWindowVisible(Main()));
        // The copy's worker first removes what a killed copy left.
        for (const DWORD began = GetTickCount(); Exists(leftover) && GetTickCount() - began < 10000; Sleep(5)) Pump();
        EXPECT_FALSE(Exists(leftover));
        window.reset();  // waits for a copy under way
        std::vector<std::wstring> dailies;
        for (const BackupEntry& e : CBackups(DbPath()).List()) dailies.push_back(e.name.fileName);
        EXPECT_EQ(dailies, start.dailies);
    }
    EXPECT_EQ(FolderNames(BackupsPath() + L"\\favors-20261103-080000-daily.db"), std::vector<std::wstring>{L"News"});
    EXPECT_TRUE(seams.Messages().empty());

    RemoveFolderTree(BackupsPath());  // a file where the folder should be: no copy can be made
    CloseHandle(CreateFileW(BackupsPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    window = NewWindow(true);
    window->KeepDailyBackups();
    ASSERT_TRUE(window->Create(nullptr));
    for (const DWORD start = GetTickCount(); seams.Messages().empty() && GetTickCount() - start < 10000; Sleep(5))
        Pump();
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].caption, L"Tidemarker Tip:");
    EXPECT_EQ(seams.Messages()[0].text.rfind(L"A backup copy of your favorites could not be made in \\Data\\Backups (", 0),
              0u);
    EXPECT_GT(seams.Messages()[0].text.size(), 80u);  // with the system's reason
    DeleteFileW(BackupsPath().c_str());
}

// A copy of yesterday holds "News" with a visited favorite; since then News went and
// "Later" came. Restore asks, copies today's favorites first, and the tree, the list and
// the Most Visited list show yesterday's; Undo has nothing left to take back.
TEST_F(MainWindowTest, RestoreFromTheFileMenuBringsBackTheCopysFavorites) {
    seams.PinClock(2026, 11, 2, 9, 30, 0);
    const int news = AddFolder(L"News", 0);
    FavorRecord paper;
    paper.id = AddFavor(L"Paper", L"https://paper.example/", news, L"daily");
    ASSERT_TRUE(store.CountVisit(paper));
    ASSERT_EQ(CBackups(DbPath()).MakeBackup(BackupReason::Daily).kind, BackupOutcome::Kind::Made);
    const int later = AddFolder(L"Later", 0);
    AddFavor(L"Newer", L"https://newer.example/", later);
    ASSERT_TRUE(store.DeleteFolders({news}));
    seams.PinClock(2026, 11, 3, 10, 0, 0);
    Open(true);
    ClickFolder(later);
    SelectRows({0});
    Command(IDM_DELETE_FAVORITES);  // something Undo could take back (Yes to the question)
    const auto undoState = [this] { return GetMenuState(GetMenu(Main()), IDM_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED; };
    EXPECT_FALSE(undoState());
    seams.Clear();

    std::vector<std::wstring> shown, after;
    bool restoreEnabled = false;
    {
        DialogAnswer answer([&](HWND dlg) {
            shown = {fw::WindowText(dlg), Cell(dlg, 0, 0), Cell(dlg, 0, 1), Cell(dlg, 0, 2), Cell(dlg, 0, 3)};
            restoreEnabled = IsWindowEnabled(GetDlgItem(dlg, IDC_RESTORE_DO));
            SendMessageW(GetDlgItem(dlg, IDC_RESTORE_DO), BM_CLICK, 0, 0);
            after = {Cell(dlg, 0, 1), Cell(dlg, 1, 1)};
            SendMessageW(GetDlgItem(dlg, IDC_RESTORE_OPEN_FOLDER), BM_CLICK, 0, 0);
            PostMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
        });
        Command(IDM_FILE_RESTORE);
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Restore from Backup", L"2026-11-02 09:30:00", L"Daily", L"1", L"1"}));
    EXPECT_TRUE(restoreEnabled);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text,
              L"Replace your favorites with those of the backup made 2026-11-02 09:30:00 (1 folder, 1 favorite)?\n"
              L"Your current favorites are backed up first.");
    EXPECT_EQ(seams.Messages()[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(after, (std::vector<std::wstring>{L"Before restore", L"Daily"}));
    EXPECT_EQ(seams.Opened(), std::vector<std::wstring>{BackupsPath()});
    EXPECT_EQ(FolderNames(BackupsPath() + L"\\favors-20261103-100000-restore.db"), std::vector<std::wstring>{L"Later"});

    EXPECT_TRUE(undoState());  // no Undo reaches back past the restore
    EXPECT_EQ(TreeView_GetCount(Item(IDC_FOLDER_TREE)), 2u);  // "Favor Folders" and News
    ASSERT_NE(window->Tree().FindFolder(news), nullptr);
    EXPECT_EQ(window->Tree().FindFolder(later), nullptr);
    ClickFolder(news);
    ASSERT_EQ(window->List().RowCount(), 1);
    EXPECT_EQ(window->List().RecordAt(0)->tags, L"daily");
    EXPECT_EQ(window->List().RecordAt(0)->hits, 1);
    std::vector<FavorRecord> mostVisited;
    ASSERT_TRUE(store.GetMostVisited(mostVisited));
    ASSERT_EQ(mostVisited.size(), 1u);
    EXPECT_EQ(mostVisited[0].name, L"Paper");

    // With the Favorite Browser hidden, the tray menu offers it too.
    Command(IDM_FILE_HIDE);
    MenuWatch menus;
    SendMessageW(Main(), WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    ASSERT_EQ(menus.shown.size(), 1u);
    EXPECT_EQ(menus.shown[0][3], L"Restore from &Backup...");
}
