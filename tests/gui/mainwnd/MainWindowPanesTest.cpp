// What the main window does with its panes: folder and favorite commands reaching
// the store and the panes, the details pane, search, the search box keys, launching
// and the View commands routed to the list.
#include "gui/mainwnd/MainWindowHost.h"
#include <algorithm>

namespace {

std::vector<std::wstring> FolderNames(CFavorStore& store, int parentId) {
    FolderRecord root;
    store.LoadFolderTree(root);
    std::vector<std::wstring> names;
    std::vector<const FolderRecord*> stack{&root};
    while (!stack.empty()) {
        const FolderRecord* f = stack.back();
        stack.pop_back();
        if (f != &root && f->pid == parentId) names.push_back(f->name);
        for (const auto& sub : f->subfolders) stack.push_back(sub.get());
    }
    std::sort(names.begin(), names.end());
    return names;
}

FavorRecord StoredFavor(CFavorStore& store, int folderId, int id) {
    std::vector<FavorRecord> rows;
    store.LoadFavors(folderId, rows);
    FavorRecord found;
    for (FavorRecord& r : rows)
        if (r.id == id) found = r;
    return found;
}

}  // namespace

TEST_F(MainWindowTest, FolderCommandsReachTheStoreAndTheTree) {
    const int news = AddFolder(L"News", 0);
    const int tech = AddFolder(L"Tech", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    Open(true);
    EXPECT_EQ(Text(IDC_STATUS), L" Folder : Root,    Favorites : 0");
    EXPECT_FALSE(Enabled(IDC_FOLDER_EDIT));  // the root is selected
    EXPECT_TRUE(Enabled(IDC_FAVOR_NEW));

    window->Tree().SelectFolder(news);
    EXPECT_EQ(Text(IDC_STATUS), L" Folder : News,    Favorites : 1");
    EXPECT_TRUE(Enabled(IDC_FOLDER_DELETE));
    EXPECT_EQ(Text(IDC_DETAIL_NAME), L"News");

    {  // New folder under the selected one
        DialogAnswer answer([](HWND dlg) {
            SetDlgItemTextW(dlg, IDC_DETAIL_NAME, L"  World  ");
            PressOk(dlg);
        });
        Command(IDM_FILE_NEW_FOLDER);
    }
    EXPECT_EQ(FolderNames(store, news), std::vector<std::wstring>{L"World"});
    EXPECT_EQ(window->Tree().GetSelectedFolder()->name, L"World");
    EXPECT_EQ(Text(IDC_STATUS), L" Folder : World,    Favorites : 0");
    const int world = window->Tree().GetSelectedFolder()->id;

    {  // Edit: move World under Tech
        DialogAnswer answer([](HWND dlg) {
            HWND combo = GetDlgItem(dlg, IDC_PARENT_COMBO);
            const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < n; ++i) {
                wchar_t text[64]{};
                SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                if (std::wstring(text) == L"   Tech") SendMessageW(combo, CB_SETCURSEL, i, 0);
            }
            PressOk(dlg);
        });
        Command(IDC_FOLDER_EDIT);
    }
    EXPECT_EQ(FolderNames(store, tech), std::vector<std::wstring>{L"World"});
    EXPECT_EQ(window->Tree().FindFolder(world)->pid, tech);

    // Delete asks first; No keeps everything.
    window->Tree().SelectFolder(tech);
    seams.QueueAnswer(IDNO);
    Command(IDM_DELETE_FOLDER);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, L"Are you sure to delete folder [Tech] and the favorites under it?");
    EXPECT_EQ(seams.Messages()[0].caption, L"Delete folder confirm");
    EXPECT_EQ(FolderNames(store, 0), (std::vector<std::wstring>{L"News", L"Tech"}));
    seams.QueueAnswer(IDYES);
    Command(IDM_DELETE_FOLDER);
    EXPECT_EQ(FolderNames(store, 0), std::vector<std::wstring>{L"News"});
    EXPECT_EQ(window->Tree().FindFolder(world), nullptr);
    EXPECT_EQ(window->Tree().GetSelectedFolder()->id, 0);  // the parent: Root
}

TEST_F(MainWindowTest, DetailsPaneSavesFoldersAndFavoritesWithItsThreeMessages) {
    const int news = AddFolder(L"News", 0);
    const int paper = AddFavor(L"Paper", L"http://paper.example/", news, L"daily");
    Open(true);
    window->Tree().SelectFolder(news);
    EXPECT_EQ(window->State().detailsKind, DetailsKind::Folder);
    EXPECT_TRUE(Visible(IDC_DETAIL_NAME));
    EXPECT_FALSE(Visible(IDC_DETAIL_LOCATION));

    SetDlgItemTextW(Main(), IDC_DETAIL_NAME, L"");
    Command(IDC_SAVE_DETAILS);
    SetDlgItemTextW(Main(), IDC_DETAIL_NAME, L"Headlines");
    Command(IDC_SAVE_DETAILS);
    EXPECT_EQ(FolderNames(store, 0), std::vector<std::wstring>{L"Headlines"});
    EXPECT_EQ(window->Tree().FindFolder(news)->name, L"Headlines");

    SelectRows({0});
    EXPECT_EQ(window->State().detailsKind, DetailsKind::Favor);
    EXPECT_EQ(Text(IDC_DETAIL_LOCATION), L"http://paper.example/");
    EXPECT_EQ(Text(IDC_DETAIL_HITS), L"0");
    EXPECT_TRUE(Visible(IDC_DETAIL_LASTHIT));
    EXPECT_TRUE(Enabled(IDC_FAVOR_EDIT));

    SetDlgItemTextW(Main(), IDC_DETAIL_NAME, L"");
    Command(IDC_SAVE_DETAILS);
    SetDlgItemTextW(Main(), IDC_DETAIL_NAME, L" Morning paper ");
    SetDlgItemTextW(Main(), IDC_DETAIL_LOCATION, L"");
    Command(IDC_SAVE_DETAILS);
    SetDlgItemTextW(Main(), IDC_DETAIL_LOCATION, L"http://morning.example/");
    SetDlgItemTextW(Main(), IDC_DETAIL_TAGS, L"");
    Command(IDC_SAVE_DETAILS);

    const auto shown = seams.Messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, L"Folder name can not be empty.");
    EXPECT_EQ(shown[1].text, L"Favorite name can not be empty.");
    EXPECT_EQ(shown[2].text, L"Location can not be empty.");
    for (const ShownMessage& m : shown) EXPECT_EQ(m.caption, L"Tidemarker Tip:");
    const FavorRecord saved = StoredFavor(store, news, paper);
    EXPECT_EQ(saved.name, L" Morning paper ");  // the pane stores what was typed
    EXPECT_EQ(saved.location, L"http://morning.example/");
    EXPECT_EQ(saved.tags, L"");
    EXPECT_EQ(RowName(0), L" Morning paper ");
}

TEST_F(MainWindowTest, NewEditAndDeleteFavorites) {
    const int news = AddFolder(L"News", 0);
    const int tech = AddFolder(L"Tech", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    AddFavor(L"Radio", L"http://radio.example/", news);
    Open(true);
    window->Tree().SelectFolder(news);
    {
        DialogAnswer answer([](HWND dlg) {
            SetDlgItemTextW(dlg, IDC_DETAIL_NAME, L"Wire");
            SetDlgItemTextW(dlg, IDC_DETAIL_LOCATION, L"http://wire.example/");
            PressOk(dlg);
        });
        Command(IDC_FAVOR_NEW);
    }
    EXPECT_FALSE(window->State().favorDlgOpen);
    ASSERT_EQ(window->List().RowCount(), 3);
    EXPECT_EQ(RowName(0), L"Wire");
    EXPECT_EQ(window->List().SelectedCount(), 1);

    {  // Edit moves it to Tech: the row leaves the list shown
        DialogAnswer answer([](HWND dlg) {
            SendDlgItemMessageW(dlg, IDC_FOLDER_COMBO, CB_SETCURSEL, 2, 0);  // Root, News, Tech
            PressOk(dlg);
        });
        Command(IDM_EDIT_FAVORITE);
    }
    EXPECT_EQ(window->List().RowCount(), 2);
    EXPECT_EQ(StoredNames(store, tech), std::vector<std::wstring>{L"Wire"});

    SelectRows({0, 1});
    EXPECT_FALSE(Enabled(IDC_FAVOR_EDIT));
    EXPECT_TRUE(Enabled(IDC_FAVOR_DELETE));
    seams.QueueAnswer(IDNO);
    Command(IDC_FAVOR_DELETE);
    EXPECT_EQ(window->List().RowCount(), 2);
    SelectRows({1});
    Command(IDM_LIST_DELETE);
    const auto shown = seams.Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, L"Are you sure to delete all selected favorites?");
    EXPECT_EQ(shown[1].text, L"Are you sure to delete selected favorite?");
    EXPECT_EQ(shown[1].caption, L"Delete favor confirm");
    EXPECT_EQ(window->List().RowCount(), 1);
    EXPECT_EQ(FavorCount(store, news), 1);
}

// A refill with as many rows as before shows the new rows from the top, and a search
// the details of its first row.
TEST_F(MainWindowTest, RefillWithAsManyRowsShowsTheNewRowsFromTheTop) {
    const int news = AddFolder(L"News", 0), sports = AddFolder(L"Sports", 0);
    for (int i = 0; i < 40; ++i) {
        AddFavor((L"News " + std::to_wstring(i)).c_str(), L"http://news.example/", news);
        AddFavor((L"Sports " + std::to_wstring(i)).c_str(), L"http://sports.example/", sports);
    }
    Open(true);
    HWND list = Item(IDC_FAVOR_LIST);
    window->Tree().SelectFolder(news);
    for (int page = 0; page < 3; ++page) SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_GT(ListView_GetTopIndex(list), 0);
    window->Tree().SelectFolder(sports);
    EXPECT_EQ(ListView_GetTopIndex(list), 0);
    EXPECT_EQ(window->List().RecordAt(0)->name, L"Sports 39");
    for (const wchar_t* name : {L"News 7", L"Sports 7"}) {
        SetWindowTextW(Item(IDC_SEARCH_EDIT), name);
        EXPECT_EQ(Text(IDC_DETAIL_NAME), name);
        EXPECT_TRUE(Visible(IDC_DETAIL_LOCATION));
        EXPECT_EQ(window->List().SelectedCount(), 1);
    }
    // Eleven rows each ("1", "10" to "19"): a row that shows other texts is repainted.
    SetWindowTextW(Item(IDC_SEARCH_EDIT), L"News 1");
    UpdateWindow(list);
    SetWindowTextW(Item(IDC_SEARCH_EDIT), L"Sports 1");
    RECT row{LVIR_BOUNDS}, dirty{}, both{};
    ListView_GetItemRect(list, 5, &row, LVIR_BOUNDS);
    EXPECT_TRUE(GetUpdateRect(list, &dirty, FALSE) && IntersectRect(&both, &row, &dirty));
}

TEST_F(MainWindowTest, SearchOnEveryKeystrokeThenKeysAndEnterLaunch) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Paper one", L"http://one.example/", news);
    AddFavor(L"Paper two", L"http://two.example/", news);
    AddFavor(L"Radio", L"http://radio.example/", news);
    Open(true);
    HWND search = Item(IDC_SEARCH_EDIT);
    SetWindowTextW(search, L"pap");  // EN_CHANGE
    EXPECT_TRUE(window->State().searchMode);
    EXPECT_EQ(Text(IDC_STATUS), L" Search mode, results : 2");
    EXPECT_EQ(window->List().RowCount(), 2);
    EXPECT_EQ(window->List().SelectedCount(), 1);
    EXPECT_EQ(GetFocus(), search);
    SetWindowTextW(search, L"");
    EXPECT_EQ(Text(IDC_STATUS), L" Search mode, results : 0");
    EXPECT_EQ(window->List().RowCount(), 0);
    SetWindowTextW(search, L"paper");

    // Up from the first row wraps to the last; Down from the last wraps to the first.
    MSG up{search, WM_KEYDOWN, VK_UP, 0};
    fw::PreTranslateChain(up, Main());
    EXPECT_EQ(window->List().GetSelectedFavors().front(), window->List().RecordAt(1));
    MSG down{search, WM_KEYDOWN, VK_DOWN, 0};
    fw::PreTranslateChain(down, Main());
    EXPECT_EQ(window->List().GetSelectedFavors().front(), window->List().RecordAt(0));
    EXPECT_EQ(GetFocus(), search);

    const std::wstring location = window->List().RecordAt(0)->location;
    SetFocus(search);
    Command(IDOK);  // Enter
    ASSERT_EQ(seams.Opened().size(), 1u);
    EXPECT_EQ(seams.Opened()[0], location);
    EXPECT_FALSE(IsWindowVisible(Main()));
    EXPECT_EQ(window->List().RecordAt(0)->hits, 1);
    EXPECT_EQ(StoredFavor(store, news, window->List().RecordAt(0)->id).hits, 1);

    // Enter with two rows selected does nothing.
    ShowWindow(Main(), SW_SHOW);
    SelectRows({0, 1});
    SetFocus(search);
    Command(IDOK);
    EXPECT_EQ(seams.Opened().size(), 1u);
    EXPECT_TRUE(IsWindowVisible(Main()));

    // A search that adds nothing to the folder shown: a new favorite is stored, not listed.
    {
        DialogAnswer answer([](HWND dlg) {
            SetDlgItemTextW(dlg, IDC_DETAIL_NAME, L"Paper three");
            SetDlgItemTextW(dlg, IDC_DETAIL_LOCATION, L"http://three.example/");
            PressOk(dlg);
        });
        Command(IDM_FILE_NEW_FAVORITE);
    }
    EXPECT_EQ(window->List().RowCount(), 2);
    EXPECT_EQ(FavorCount(store, 0), 1);  // the tree's folder: Root
    // Leaving search mode: selecting a folder.
    window->Tree().SelectFolder(news);
    EXPECT_FALSE(window->State().searchMode);
    EXPECT_EQ(window->List().RowCount(), 3);
}

TEST_F(MainWindowTest, LaunchingEverySelectedRowCountsEachVisit) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"A", L"http://a.example/", news);
    AddFavor(L"B", L"http://b.example/", news);
    AddFavor(L"C", L"not a location at all", news);
    Open(true);
    window->Tree().SelectFolder(news);
    seams.SetShellResult(2);  // the shell fails: still a visit
    SelectRows({0, 2});
    NMHDR dbl{Item(IDC_FAVOR_LIST), IDC_FAVOR_LIST, static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(Main(), WM_NOTIFY, IDC_FAVOR_LIST, reinterpret_cast<LPARAM>(&dbl));
    Command(IDM_LIST_LAUNCH);
    const auto opened = seams.Opened();
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], window->List().RecordAt(0)->location);
    EXPECT_EQ(opened[1], window->List().RecordAt(2)->location);
    EXPECT_EQ(window->List().RecordAt(0)->hits, 2);
    EXPECT_EQ(window->List().RecordAt(1)->hits, 0);
    EXPECT_FALSE(window->List().RecordAt(2)->lastHit.empty());
    EXPECT_EQ(StoredFavor(store, news, window->List().RecordAt(2)->id).hits, 2);
    EXPECT_TRUE(IsWindowVisible(Main()));
}

TEST_F(MainWindowTest, ViewCommandsSortAndHideColumns) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"beta", L"http://b.example/", news);
    AddFavor(L"Alpha", L"http://a.example/", news);
    AddFavor(L"Gamma", L"http://c.example/", news);
    Open(true);
    window->Tree().SelectFolder(news);
    HMENU menu = GetMenu(Main());

    Command(IDM_SORT_NAME);
    EXPECT_EQ(RowName(0), L"Alpha");
    EXPECT_EQ(RowName(2), L"beta");  // code-unit order: capitals first
    EXPECT_EQ(GetMenuState(menu, IDM_SORT_NAME, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    Command(IDM_ORDER_DESC);
    EXPECT_EQ(RowName(0), L"Alpha");  // the direction waits for the next sort
    EXPECT_EQ(GetMenuState(menu, IDM_ORDER_DESC, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    Command(IDM_SORT_NAME);
    EXPECT_EQ(RowName(0), L"beta");

    Command(IDM_COLUMN_LOCATION);
    EXPECT_FALSE(window->List().IsColumnVisible(1));
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FAVOR_LIST), 1), 0);
    EXPECT_EQ(GetMenuState(menu, IDM_COLUMN_LOCATION, MF_BYCOMMAND) & MF_CHECKED, 0u);
    Command(IDM_COLUMN_LOCATION);
    EXPECT_TRUE(window->List().IsColumnVisible(1));
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FAVOR_LIST), 1), 200);

    Command(IDM_SELECT_ALL);
    EXPECT_EQ(window->List().SelectedCount(), 3);
    SelectRows({1});
    Command(IDM_LIST_INVERT);
    EXPECT_EQ(window->List().SelectedCount(), 2);
}

// A folder change refills the list without a row notification; the row chosen next
// still gets the whole pane.
TEST_F(MainWindowTest, DetailsPaneFollowsARowChosenAfterAFolderChange) {
    const int news = AddFolder(L"News", 0);
    const int tech = AddFolder(L"Tech", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    AddFavor(L"Kernel", L"http://kernel.example/", tech, L"os");
    Open(true);
    ClickFolder(news);
    SelectRows({0});
    ClickFolder(tech);
    EXPECT_FALSE(Visible(IDC_DETAIL_LOCATION));  // the folder's name row only
    EXPECT_FALSE(Enabled(IDC_FAVOR_EDIT));
    SelectRows({0});
    EXPECT_EQ(Text(IDC_DETAIL_TAGS), L"os");
    for (int id : {IDC_DETAIL_LOCATION, IDC_DETAIL_TAGS, IDC_DETAIL_HITS, IDC_DETAIL_LASTHIT, IDC_SAVE_DETAILS})
        EXPECT_TRUE(Visible(id)) << id;
    EXPECT_TRUE(Enabled(IDC_FAVOR_EDIT));
}

// Letters typed in the list go to the next row whose name begins with them, without
// case, and the details pane shows that favorite.
TEST_F(MainWindowTest, TypingInTheListFindsRowsByName) {
    const int news = AddFolder(L"News", 0);
    for (const wchar_t* name : {L"Apple", L"banana", L"Blueberry", L"Cherry"})
        AddFavor(name, (std::wstring(L"http://") + name + L".example/").c_str(), news);
    Open(true);
    ClickFolder(news);
    HWND list = Item(IDC_FAVOR_LIST);
    SetFocus(list);
    const auto type = [&](const wchar_t* letters) {
        for (const wchar_t* c = letters; *c; ++c) PostMessageW(list, WM_CHAR, *c, 1);
        Pump();
        return Text(IDC_DETAIL_NAME);
    };
    std::vector<std::wstring> shown;
    shown.push_back(type(L"b"));  // rows: Cherry, Blueberry, banana, Apple
    shown.push_back(type(L"a"));  // soon after: "ba"
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Blueberry", L"banana"}));
}

TEST_F(MainWindowTest, TreeAndListMenusGreyWhatDoesNotApply) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    AddFavor(L"Radio", L"http://radio.example/", news);
    Open(true);
    HWND tree = Item(IDC_FOLDER_TREE), list = Item(IDC_FAVOR_LIST);
    MenuWatch menus;
    RightClick(tree, FolderPoint(0));
    RightClick(tree, FolderPoint(news));  // selects it: its two rows are listed
    EXPECT_EQ(window->Tree().GetSelectedFolder()->id, news);
    RECT below{};
    GetClientRect(list, &below);
    RightClick(list, {below.right / 2, below.bottom - 4});
    SelectRows({0});
    RightClick(list, RowPoint(0));
    SelectRows({0, 1});
    RightClick(list, RowPoint(1));

    const std::wstring all = L"&Select All\tCtrl+A", invert = L"In&vert Selection";
    const std::vector<std::vector<std::wstring>> want = {
        {L"Add &folder", L"&Edit\tAlt+Enter (grey)", L"&Delete\tDel (grey)", L"&Add favorite"},  // Root
        {L"Add &folder", L"&Edit\tAlt+Enter", L"&Delete\tDel", L"&Add favorite"},
        {L"&Add New Favorite", all, invert},
        {L"&Launch Selected Favorite\tEnter", all, invert, L"&Edit\tAlt+Enter", L"&Delete\tDel"},
        {L"&Launch All Selected Favorites\tEnter", all, invert, L"&Edit\tAlt+Enter (grey)", L"&Delete\tDel"},
    };
    EXPECT_EQ(menus.shown, want);
}

// The dialog's folder list chooses another folder than the one shown: stored there, not listed.
TEST_F(MainWindowTest, ANewFavoriteForAnotherFolderIsStoredButNotListed) {
    const int news = AddFolder(L"News", 0);
    const int tech = AddFolder(L"Tech", 0);
    Open(true);
    ClickFolder(news);
    {
        DialogAnswer answer([](HWND dlg) {
            SetDlgItemTextW(dlg, IDC_DETAIL_NAME, L"Kernel");
            SetDlgItemTextW(dlg, IDC_DETAIL_LOCATION, L"http://kernel.example/");
            PostMessageW(GetDlgItem(dlg, IDC_FOLDER_COMBO), WM_KEYDOWN, VK_DOWN, 0);  // News -> Tech
            PressOk(dlg);
        });
        Command(IDC_FAVOR_NEW);
    }
    EXPECT_EQ(window->List().RowCount(), 0);
    EXPECT_EQ(StoredNames(store, tech), std::vector<std::wstring>{L"Kernel"});
}
