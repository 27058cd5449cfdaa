// The main window's keys, pressed for real while the window runs in its own loop.
#include "gui/mainwnd/MainWindowHost.h"

namespace {

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

int FocusId() { return GetDlgCtrlID(GetFocus()); }

}  // namespace

TEST_F(MainWindowTest, KeysInTheListAndTheSearchBox) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    AddFavor(L"Radio", L"http://radio.example/", news);
    std::wstring copied, copiedTwo, searchAfterDel;
    std::vector<std::wstring> storedAfterDel;
    DWORD selStart = 1, selEnd = 0;
    int focusAfterFind = 0;
    RunModal(true, {
        [&] { PressMouse(Item(IDC_FOLDER_TREE), FolderPoint(news)); },
        [&] { PressMouse(Item(IDC_FAVOR_LIST), RowPoint(RowNamed(L"Paper"))); },
        [&] { PressKeys({VK_CONTROL, 'C'}); },
        [&] {
            copied = ClipboardText();
            PressKeys({VK_CONTROL, 'A'});
        },
        [&] { PressKeys({VK_CONTROL, 'C'}); },
        [&] {
            copiedTwo = ClipboardText();
            PressKey(VK_HOME);  // the first row alone
        },
        [&] { PressKey(VK_RETURN); },  // opens it, as a double-click does
        [&] { PressKey(VK_DELETE); },  // asks, and the fake answers Yes
        [&] {
            storedAfterDel = StoredNames(store, news);
            SetWindowTextW(Item(IDC_SEARCH_EDIT), L"paper");  // typed: the list shows what it finds
        },
        [&] { PressMouse(Item(IDC_FAVOR_LIST), RowPoint(0)); },
        [&] { PressKeys({VK_CONTROL, 'F'}); },
        [&] {
            focusAfterFind = FocusId();
            SendMessageW(Item(IDC_SEARCH_EDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                         reinterpret_cast<LPARAM>(&selEnd));
            PressKey(VK_HOME);
        },
        [&] { PressKey(VK_DELETE); },  // the search box's own Del
        [&] {
            searchAfterDel = Text(IDC_SEARCH_EDIT);
            PressKey(VK_F1);
        },
    });
    EXPECT_EQ(copied, L"http://paper.example/");
    EXPECT_EQ(copiedTwo, L"http://radio.example/\r\nhttp://paper.example/");  // one a line, in row order
    EXPECT_EQ(seams.Opened(), (std::vector<std::wstring>{L"http://radio.example/"}));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].caption, L"Delete favor confirm");
    EXPECT_EQ(storedAfterDel, (std::vector<std::wstring>{L"Paper"}));
    EXPECT_EQ(focusAfterFind, IDC_SEARCH_EDIT);
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 5u);
    EXPECT_EQ(searchAfterDel, L"aper");
    EXPECT_EQ(StoredNames(store, news), (std::vector<std::wstring>{L"Paper"}));
    ASSERT_EQ(seams.HelpShown().size(), 1u);
    EXPECT_NE(seams.HelpShown()[0].find(L"Tidemarker.chm::/browse.html"), std::wstring::npos);
}

TEST_F(MainWindowTest, TabOrderAndTheFolderKeys) {
    const int news = AddFolder(L"News", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    std::vector<int> tabbed, backTabbed, afterUp;
    std::wstring editTitle, firstRowAfterReload;
    int folderAfterReload = -1;
    const auto tab = [&] {
        tabbed.push_back(FocusId());
        PressKey(VK_TAB);
    };
    RunModal(true, {
        [&] { PressMouse(Item(IDC_FOLDER_TREE), FolderPoint(news)); },
        [&] { PressMouse(Item(IDC_FAVOR_LIST), RowPoint(0)); },
        tab, tab, tab, tab, tab, tab, tab, tab, tab, tab,
        [&] {
            tabbed.push_back(FocusId());
            PressKeys({VK_SHIFT, VK_TAB});
        },
        [&] {
            backTabbed.push_back(FocusId());
            PressKeys({VK_SHIFT, VK_TAB});
        },
        [&] {
            backTabbed.push_back(FocusId());
            PressKey(VK_BACK);  // in the list: up to the root
        },
        [&] {
            afterUp.push_back(window->Tree().GetSelectedFolder()->id);
            PressMouse(Item(IDC_FOLDER_TREE), FolderPoint(news));
        },
        [&] { PressKeys({VK_MENU, VK_UP}); },  // in the tree: the same
        [&] {
            afterUp.push_back(window->Tree().GetSelectedFolder()->id);
            PressKey(VK_DOWN);  // News again
        },
        [&] {
            fw::SetModalHook([&](HWND dlg) {
                editTitle = fw::WindowText(dlg);
                PostMessageW(GetDlgItem(dlg, IDC_DLG_CANCEL), BM_CLICK, 0, 0);
            });
            PressKeys({VK_MENU, VK_RETURN});
        },
        [&] {
            AddFavor(L"Wire", L"http://wire.example/", news);  // another program writes the file
            PressKey(VK_F5);
        },
        [&] {
            folderAfterReload = window->Tree().GetSelectedFolder()->id;
            firstRowAfterReload = RowName(0);
        },
    });
    // From the list through the details fields and Save to the search box, the tree and back.
    EXPECT_EQ(tabbed, (std::vector<int>{IDC_FAVOR_LIST, IDC_DETAIL_NAME, IDC_DETAIL_LOCATION, IDC_DETAIL_TAGS,
                                        IDC_DETAIL_HITS, IDC_DETAIL_LASTHIT, IDC_SAVE_DETAILS, IDC_SEARCH_EDIT,
                                        IDC_FOLDER_TREE, IDC_FAVOR_LIST, IDC_DETAIL_NAME}));
    EXPECT_EQ(backTabbed, (std::vector<int>{IDC_FAVOR_LIST, IDC_FOLDER_TREE}));
    EXPECT_EQ(afterUp, (std::vector<int>{0, 0}));
    EXPECT_EQ(editTitle, L"Edit folder");
    EXPECT_EQ(folderAfterReload, news);
    EXPECT_EQ(firstRowAfterReload, L"Wire");
}

TEST_F(MainWindowTest, QuickPanelKeys) {
    AddFavor(L"Paper", L"http://paper.example/", 0);
    int focusAfterFind = 0;
    RunModal(false, {
        [&] { PressMouse(Item(IDC_FAVOR_LIST), RowPoint(0)); },
        [&] { PressKey(VK_RETURN); },
        [&] { PressKeys({VK_CONTROL, 'F'}); },
        [&] { focusAfterFind = FocusId(); },
    });
    EXPECT_EQ(seams.Opened(), (std::vector<std::wstring>{L"http://paper.example/"}));
    EXPECT_EQ(focusAfterFind, IDC_SEARCH_EDIT);
}

namespace {

void PutTextOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

}  // namespace

// F2 renames in place as the edit dialogs would, Ctrl+X and Ctrl+V move, and Ctrl+V adds a
// location copied as text or refuses text that is none.
TEST_F(MainWindowTest, F2RenamesAndTheClipboardMovesAndAddsFavorites) {
    const int news = AddFolder(L"News", 0);
    const int tech = AddFolder(L"Tech", 0);
    AddFavor(L"Paper", L"http://paper.example/", news);
    std::vector<std::wstring> folderNames, newsAfterRenames, techAfterMove;
    std::wstring undoAfterRename;
    const auto type = [](const char* keys) {  // letters as capitals: typed without Shift, they come lower case
        for (const char* k = keys; *k; ++k) PressKey(static_cast<WORD>(*k == ' ' ? VK_SPACE : *k));
    };
    RunModal(true, {
        [&] { PressMouse(Item(IDC_FOLDER_TREE), FolderPoint(news)); },
        [&] { PressKey(VK_F2); },
        [&] { type(" WIRE "); },  // typed over the selected name
        [&] { PressKey(VK_RETURN); },
        [&] { PressKey(VK_F2); },
        [&] { type("GONE"); },
        [&] { PressKey(VK_ESCAPE); },  // the edit is cancelled; the window stays
        [&] {
            folderNames = {window->Tree().FindFolder(news)->name, IsWindowVisible(Main()) ? L"shown" : L"hidden"};
            wchar_t undo[128] = L"";
            GetMenuStringW(GetMenu(Main()), IDM_EDIT_UNDO, undo, 128, MF_BYCOMMAND);
            undoAfterRename = undo;
            PressMouse(Item(IDC_FAVOR_LIST), RowPoint(0));
        },
        [&] { PressKey(VK_F2); },
        [&] { type("DAILY"); },
        [&] { PressKey(VK_RETURN); },
        [&] { PressKey(VK_F2); },
        [&] { type("  "); },           // blanks alone
        [&] { PressKey(VK_RETURN); },  // refused with the dialogs' tip
        [&] {
            newsAfterRenames = StoredNames(store, news);
            PressKeys({VK_CONTROL, 'X'});
        },
        [&] { PressMouse(Item(IDC_FOLDER_TREE), FolderPoint(tech)); },
        [&] { PressKeys({VK_CONTROL, 'V'}); },
        [&] {
            techAfterMove = StoredNames(store, tech);
            PutTextOnClipboard(L" https://pasted.example/ \r\n");  // as from a browser's address bar
            PressKeys({VK_CONTROL, 'V'});
        },
        [&] {
            PutTextOnClipboard(L"just some words");
            PressKeys({VK_CONTROL, 'V'});
        },
        [] {},  // the keys have come
    });
    EXPECT_EQ(folderNames, (std::vector<std::wstring>{L"wire", L"shown"}));
    EXPECT_EQ(undoAfterRename, L"&Undo Rename Folder\tCtrl+Z");
    EXPECT_EQ(newsAfterRenames, std::vector<std::wstring>{L"daily"});
    EXPECT_EQ(techAfterMove, std::vector<std::wstring>{L"daily"});
    EXPECT_EQ(StoredNames(store, news), std::vector<std::wstring>{});
    EXPECT_EQ(StoredNames(store, tech), (std::vector<std::wstring>{L"daily", L"https://pasted.example/"}));
    const auto shown = seams.Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, L"Favorite name can not be empty.");
    EXPECT_EQ(shown[1].caption, L"Tidemarker Tip:");
}
