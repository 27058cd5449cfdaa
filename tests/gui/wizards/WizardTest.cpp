// The Import and Export wizards as a user meets them: opened from the main window's
// File menu, the kind clicked (or chosen with the arrow keys), Next and Back pressed,
// paths typed; the job runs on its worker thread and the wizard closes itself with the
// congratulation message.
#include "gui/mainwnd/MainWindowHost.h"
#include "app/AppMessages.h"
#include "fakes/TempFolder.h"
#include "framework/CWinApp.h"
#include "store/TextConv.h"
#include "transfer/ShortcutFile.h"
#include "ui/Hotkeys.h"
#include <commctrl.h>
#include <shlobj.h>
#include <sqlite3.h>
#include <fstream>
#include <sstream>

namespace {

constexpr int kBackButton = 0x3023;  // the wizard's own buttons
constexpr int kNextButton = 0x3024;

struct TestApp : fw::CWinApp {
    TestApp() : CWinApp(L"Tidemarker") {}
    bool InitInstance() override { return false; }
};

void PressButton(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
int PageIndex(HWND sheet) {
    return static_cast<int>(SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page(sheet)), 0));
}
bool Checked(HWND sheet, int id) { return IsDlgButtonChecked(Page(sheet), id) == BST_CHECKED; }
std::wstring PageText(HWND sheet, int id) { return fw::WindowText(GetDlgItem(Page(sheet), id)); }

// The sheet's loop as the modal run has it, until `done` holds (false after 10 s).
bool PumpUntil(HWND sheet, const std::function<bool()>& done) {
    for (const DWORD start = GetTickCount(); !done();) {
        if (GetTickCount() - start > 10000) return false;
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        } else if (!PropSheet_IsDialogMessage(sheet, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}
void Settle(HWND sheet) {  // what is queued now, such as the posted button states
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!PropSheet_IsDialogMessage(sheet, &msg)) DispatchMessageW(&msg);
}
void PressNext(HWND sheet) {
    Settle(sheet);
    PressButton(GetDlgItem(sheet, kNextButton));
}

// True when `upper` lies above `lower` in the z-order.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper) return true;
    return false;
}

void Exec(sqlite3* db, const std::string& sql) { ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

// A Firefox folder below `appData` whose first profile's database holds a menu folder
// "Dev" with one bookmark and `unsorted` unsorted bookmarks. Returns the database path.
std::wstring MakeFirefoxProfile(const std::wstring& appData, int unsorted) {
    const std::wstring firefox = appData + L"\\Mozilla\\Firefox\\";
    for (const wchar_t* dir : {L"\\Mozilla", L"\\Mozilla\\Firefox", L"\\Mozilla\\Firefox\\Profiles",
                               L"\\Mozilla\\Firefox\\Profiles\\t.default"})
        CreateDirectoryW((appData + dir).c_str(), nullptr);
    std::ofstream((firefox + L"profiles.ini").c_str()) << "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/t.default\r\n";
    const std::wstring path = firefox + L"Profiles/t.default\\places.sqlite";
    sqlite3* db = nullptr;
    sqlite3_open(ToUtf8(path).c_str(), &db);
    Exec(db, "create table moz_places(id integer primary key, url text);"
             "create table moz_bookmarks(id integer primary key, type integer, fk integer, parent integer, title text);"
             "insert into moz_bookmarks values(10, 2, null, 2, 'Dev'), (11, 1, 1, 10, 'Tool');"
             "insert into moz_places values(1, 'http://tool.example/');"
             "with recursive n(i) as (select 1 union all select i + 1 from n where i < " + std::to_string(unsorted) +
             ") insert into moz_places select 100 + i, 'http://site' || i || '.example/' from n;"
             "insert into moz_bookmarks select id, 1, id, 5, 'Site' from moz_places where id >= 100;");
    sqlite3_close(db);
    return path;
}

// Until another thread waits on a message it sent to this one (false after 10 s).
bool AwaitIncomingSend() {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(1))
        if (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) return true;
    return false;
}

std::wstring SelectedTreeText(HWND tree) {
    wchar_t text[100] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = 100;
    TreeView_GetItem(tree, &item);
    return text;
}

// Counts the progress steps posted to the pages of this thread.
struct StepCounter {
    StepCounter() { s_hook = SetWindowsHookExW(WH_GETMESSAGE, &Proc, nullptr, GetCurrentThreadId()); s_count = 0; }
    ~StepCounter() { UnhookWindowsHookEx(s_hook); }
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        const auto* msg = reinterpret_cast<const MSG*>(lp);
        if (code == HC_ACTION && wp == PM_REMOVE && msg->message == WM_TRANSFER_STEP) ++s_count;
        return CallNextHookEx(s_hook, code, wp, lp);
    }
    static inline HHOOK s_hook = nullptr;
    static inline int s_count = 0;
};

using Texts = std::vector<std::wstring>;

class WizardTest : public MainWindowTest {
protected:
    void TearDown() override {
        CloseMain();
        MainWindowTest::TearDown();
    }
    void CloseMain() { window.reset(); }
    void OpenMain(bool browser = true) {
        CloseMain();
        Open(browser);
        m_app.SetMainWnd(window.get());
    }
    // The wizard of a File menu command, driven by `drive` once it shows.
    void RunWizard(UINT command, std::function<void(HWND sheet)> drive) {
        DialogAnswer answer(std::move(drive));
        Command(command);
    }
    // After Next: until the page has told the user and shows `status` with Next enabled.
    bool ReadyAgain(HWND sheet, const wchar_t* status) {
        return PumpUntil(sheet, [&] {
            return !seams.Messages().empty() && PageText(sheet, IDC_WIZ_STATUS) == status &&
                   IsWindowEnabled(GetDlgItem(sheet, kNextButton));
        });
    }
    std::wstring StorePath() const { return IniPath().substr(0, IniPath().rfind(L'\\')) + L"\\favors.db"; }
    std::vector<std::wstring> Shown() const {
        std::vector<std::wstring> texts;
        for (const ShownMessage& m : seams.Messages()) texts.push_back(m.text);
        return texts;
    }

    TestApp m_app;
    TempFolder m_dir;
};

}  // namespace

TEST_F(WizardTest, TheKindIsChosenByClickOrArrowKeyAndTheSheetIsModalOverTheMainWindow) {
    // The arrow key from the first kind: Up wraps round to the last of the group.
    const struct { UINT command; bool browser; const wchar_t* kindTitle; const wchar_t* secondTitle; WORD key;
                   int keyedKind, keyedPage; } cases[] = {
        {IDM_FILE_IMPORT, true, L"Import Wizard", L"From Firefox bookmark file", VK_UP, IDC_WIZ_KIND_HTML, 4},
        {IDM_FILE_EXPORT, false, L"Export Wizard", L"Export to a Firefox Bookmark HTML file", VK_DOWN,
         IDC_WIZ_KIND_FIREFOX, 2},  // in the Quick Panel, which is topmost
    };
    for (const auto& c : cases) {
        OpenMain(c.browser);
        std::vector<std::wstring> titles;
        bool owned = false, mainDisabled = false, above = false, keyed = false, foreground = false;
        RunWizard(c.command, [&](HWND sheet) {
            owned = GetWindow(sheet, GW_OWNER) == Main();
            mainDisabled = !IsWindowEnabled(Main());
            above = Above(sheet, Main());
            PressButton(GetDlgItem(Page(sheet), IDC_WIZ_KIND_FIREFOX));
            EXPECT_FALSE(Checked(sheet, IDC_WIZ_KIND_FOLDER));
            PressNext(sheet);
            titles.push_back(fw::WindowText(sheet));
            titles.push_back(std::to_wstring(PageIndex(sheet)));
            Settle(sheet);
            PressButton(GetDlgItem(sheet, kBackButton));  // from the third page
            titles.push_back(fw::WindowText(sheet));
            // Real arrow keys in the radio group, where this desktop lets the sheet have the foreground.
            PressButton(GetDlgItem(Page(sheet), IDC_WIZ_KIND_FOLDER));
            foreground = SetForegroundWindow(sheet) && GetForegroundWindow() == sheet;
            if (foreground) {
                PressKey(c.key);
                PumpUntil(sheet, [&] { return Checked(sheet, c.keyedKind); });
                keyed = !Checked(sheet, IDC_WIZ_KIND_FOLDER);
                PressNext(sheet);
                keyed = keyed && PageIndex(sheet) == c.keyedPage;
            }
            PressButton(GetDlgItem(sheet, IDCANCEL));
        });
        EXPECT_TRUE(owned);
        EXPECT_TRUE(mainDisabled);  // no second wizard from the menu, no folder deleted meanwhile
        EXPECT_TRUE(above);
        EXPECT_EQ(titles, (Texts{c.secondTitle, L"2", c.kindTitle}));
        EXPECT_TRUE(keyed || !foreground);
        EXPECT_TRUE(IsWindowEnabled(Main()));
    }
}

TEST_F(WizardTest, FirefoxImportFromTheFileMenuFillsTheBarAndRefusesASecondStartAndCancel) {
    constexpr int kUnsorted = 1000, kRecords = kUnsorted + 2;
    seams.SetShellFolder(CSIDL_APPDATA, m_dir.Path());
    const std::wstring places = MakeFirefoxProfile(m_dir.Path(), kUnsorted);
    OpenMain();
    std::wstring prefilled;
    Texts shown;
    LRESULT barAtEnd = -1, rangeAtEnd = -1;
    seams::SetMessageBoxHandler([&](HWND owner, const std::wstring& text, const std::wstring&, UINT) {
        shown.push_back(text);
        barAtEnd = SendDlgItemMessageW(owner, IDC_WIZ_FILE_PROGRESS, PBM_GETPOS, 0, 0);
        rangeAtEnd = SendDlgItemMessageW(owner, IDC_WIZ_FILE_PROGRESS, PBM_GETRANGE, FALSE, 0);
        return IDOK;
    });
    StepCounter steps;
    RunWizard(IDM_FILE_IMPORT, [&](HWND sheet) {
        PressButton(GetDlgItem(Page(sheet), IDC_WIZ_KIND_FIREFOX));
        PressNext(sheet);
        prefilled = PageText(sheet, IDC_WIZ_FILE_PATH);
        PressNext(sheet);
        // The job now waits on its first message to this thread, and Next is still enabled.
        ASSERT_TRUE(AwaitIncomingSend());
        PressButton(GetDlgItem(sheet, kNextButton));
        PressButton(GetDlgItem(sheet, IDCANCEL));
    });
    EXPECT_EQ(prefilled, places);
    EXPECT_EQ(shown, (Texts{L"Import processing, please wait patiently until completed.",
                            L"Congratulations. Import finished."}));
    EXPECT_EQ(barAtEnd, kRecords);
    EXPECT_EQ(rangeAtEnd, kRecords);
    EXPECT_LE(steps.s_count, 101);  // posted in batches, not one per record
    FolderRecord root;
    int count = 0;
    ASSERT_TRUE(store.LoadAll(root, count));
    ASSERT_EQ(root.subfolders.size(), 1u);
    EXPECT_EQ(root.subfolders[0]->name, L"Favorites From Firefox");
    EXPECT_EQ(root.subfolders[0]->favors.size(), size_t{kUnsorted});
    EXPECT_EQ(SelectedTreeText(Item(IDC_FOLDER_TREE)), L"Favorites From Firefox");
}

TEST_F(WizardTest, ExportOfTheChosenFolderFromTheFileMenuWritesIt) {
    const int news = AddFolder(L"News", 0);
    AddFolder(L"Other", 0);
    AddFavor(L"A", L"http://a.example/", news);
    const std::wstring html = m_dir.Path() + L"\\out.html";
    const struct { int kind; int path; std::wstring target; std::wstring written; } cases[] = {
        {IDC_WIZ_KIND_FOLDER, IDC_WIZ_FOLDER_PATH, m_dir.Path(), m_dir.Path() + L"\\A.url"},
        {IDC_WIZ_KIND_FIREFOX, IDC_WIZ_FILE_PATH, html, html},
    };
    for (const auto& c : cases) {
        OpenMain();
        std::wstring chosen;
        LRESULT chosenData = -1;
        RunWizard(IDM_FILE_EXPORT, [&](HWND sheet) {
            PressButton(GetDlgItem(Page(sheet), c.kind));
            PressNext(sheet);
            HWND combo = GetDlgItem(Page(sheet), IDC_FOLDER_COMBO);
            SendMessageW(combo, CB_SETCURSEL, 1, 0);  // as the drop-down does when "   News" is picked
            SendMessageW(Page(sheet), WM_COMMAND, MAKEWPARAM(IDC_FOLDER_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
            chosen = fw::WindowText(combo);
            chosenData = SendMessageW(combo, CB_GETITEMDATA, 1, 0);
            SetDlgItemTextW(Page(sheet), c.path, c.target.c_str());
            PressNext(sheet);
        });
        EXPECT_EQ(chosen, L"   News");
        EXPECT_EQ(chosenData, news);  // the folder's id: the job never reads a record of the tree pane
        EXPECT_EQ(Shown().back(), L"Congratulations. Export finished.");
        std::ifstream in(c.written.c_str(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        EXPECT_NE(bytes.str().find("http://a.example/"), std::string::npos);
        seams.Clear();
    }
}

TEST_F(WizardTest, AnImportTheStoreRejectsIsReportedAndChangesNothing) {
    AddFolder(L"Mine", 0);
    // The store's rollback journal cannot be created where a folder of its name stands:
    // reads work, every write fails.
    ASSERT_TRUE(CreateDirectoryW((StorePath() + L"-journal").c_str(), nullptr));
    const std::wstring source = m_dir.Path() + L"\\Favorites";
    CreateDirectoryW(source.c_str(), nullptr);
    WritePrivateProfileStringW(L"InternetShortcut", L"URL", L"http://a.example/", (source + L"\\A.url").c_str());
    OpenMain();
    bool ready = false;
    RunWizard(IDM_FILE_IMPORT, [&](HWND sheet) {
        PressNext(sheet);  // the favorites folder is the kind chosen at first
        SetDlgItemTextW(Page(sheet), IDC_WIZ_FOLDER_PATH, source.c_str());
        PressNext(sheet);
        ready = ReadyAgain(sheet, L"Import status: Ready.");
        PressButton(GetDlgItem(sheet, IDCANCEL));
    });
    EXPECT_TRUE(ready);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text,
              L"Import fail, the favorites could not be stored in the favorites database. Nothing was changed.");
    EXPECT_EQ(seams.Messages()[0].caption, L"Notice");
    FolderRecord root;
    ASSERT_TRUE(store.LoadFolderTree(root));
    ASSERT_EQ(root.subfolders.size(), 1u);
    EXPECT_EQ(root.subfolders[0]->name, L"Mine");
    EXPECT_EQ(TreeView_GetCount(Item(IDC_FOLDER_TREE)), 2u);  // "Favor Folders" and Mine
    RemoveDirectoryW((StorePath() + L"-journal").c_str());
}

TEST_F(WizardTest, AMissingPathOrAFailingJobLeavesThePageReady) {
    const std::wstring missing = m_dir.Path() + L"\\missing\\places.sqlite";
    const struct { UINT command; const wchar_t* path; const wchar_t* message; const wchar_t* status; } cases[] = {
        {IDM_FILE_IMPORT, L"", L"You should select the bookmark HTML file fist!", L"Import status: Ready."},
        {IDM_FILE_IMPORT, missing.c_str(), L"Import fail, please select a valid file!", L"Import status: Ready."},
        {IDM_FILE_EXPORT, L"", L"You should select the html saving folder fist!", L"Export status: Ready"},
        {IDM_FILE_EXPORT, missing.c_str(), L"Export fail, please select a valid destination!", L"Export status: Ready."},
    };
    OpenMain();
    for (const auto& c : cases) {
        bool ready = false;
        RunWizard(c.command, [&](HWND sheet) {
            PressButton(GetDlgItem(Page(sheet), IDC_WIZ_KIND_FIREFOX));
            PressNext(sheet);
            SetDlgItemTextW(Page(sheet), IDC_WIZ_FILE_PATH, c.path);
            PressNext(sheet);
            ready = ReadyAgain(sheet, c.status);
            PressButton(GetDlgItem(sheet, IDCANCEL));
        });
        EXPECT_TRUE(ready) << c.message;
        EXPECT_EQ(Shown(), Texts{c.message});
        seams.Clear();
    }
    FolderRecord root;
    store.LoadFolderTree(root);
    EXPECT_TRUE(root.subfolders.empty());
}

TEST_F(WizardTest, ChromiumProfileAndBookmarkHtmlImportsFromTheFileMenu) {
    seams.SetShellFolder(CSIDL_LOCAL_APPDATA, m_dir.Path());
    const std::wstring userData = m_dir.Path() + L"\\Google\\Chrome\\User Data";
    for (const wchar_t* dir : {L"\\Google", L"\\Google\\Chrome", L"\\Google\\Chrome\\User Data",
                               L"\\Google\\Chrome\\User Data\\Default", L"\\Google\\Chrome\\User Data\\Profile 1"})
        CreateDirectoryW((m_dir.Path() + dir).c_str(), nullptr);
    std::ofstream((userData + L"\\Local State").c_str()) << R"({"profile": {"info_cache": {"Default": {}, "Profile 1": {}}}})";
    for (const char* profile : {"Default", "Profile 1"})
        std::ofstream((userData + L"\\" + FromUtf8(profile) + L"\\Bookmarks").c_str())
            << R"({"roots": {"bookmark_bar": {"name": "Bookmarks bar", "type": "folder", "children": [)"
            << R"({"name": ")" << profile << R"(", "type": "url", "url": "http://p.example/"}]}}})";
    const std::wstring html = m_dir.Path() + L"\\bookmarks.html";
    std::ofstream(html.c_str()) << "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>Mine</H3>\n<DL><p>\n"
                                   "<DT><A HREF=\"http://h.example/\">H &amp; H</A>\n</DL><p>\n</DL><p>\n";
    const struct { int kind; int page; const wchar_t* top; const wchar_t* first; const wchar_t* inside; } cases[] = {
        {IDC_WIZ_KIND_CHROMIUM, 3, L"Favorites From Chrome", L"Bookmarks bar", L"Profile 1"},
        {IDC_WIZ_KIND_HTML, 4, L"Favorites From HTML", L"Mine", L"H & H"},
    };
    OpenMain();
    for (const auto& c : cases) {
        int page = -1;
        std::wstring prefilled, chosen;
        RunWizard(IDM_FILE_IMPORT, [&](HWND sheet) {
            PressButton(GetDlgItem(Page(sheet), c.kind));
            PressNext(sheet);
            page = PageIndex(sheet);
            prefilled = PageText(sheet, IDC_WIZ_FILE_PATH);
            if (c.kind == IDC_WIZ_KIND_CHROMIUM) {  // the second profile, picked as the drop-down does
                HWND combo = GetDlgItem(Page(sheet), IDC_WIZ_PROFILE_COMBO);
                SendMessageW(combo, CB_SETCURSEL, 1, 0);
                SendMessageW(Page(sheet), WM_COMMAND, MAKEWPARAM(IDC_WIZ_PROFILE_COMBO, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(combo));
                chosen = fw::WindowText(combo);
            } else {
                SetDlgItemTextW(Page(sheet), IDC_WIZ_FILE_PATH, html.c_str());
            }
            PressNext(sheet);
        });
        EXPECT_EQ(page, c.page);
        if (c.kind == IDC_WIZ_KIND_CHROMIUM) {
            EXPECT_EQ(prefilled, userData + L"\\Default\\Bookmarks");
            EXPECT_EQ(chosen, L"Google Chrome \u2014 Profile 1");
        }
        EXPECT_EQ(Shown(), Texts{L"Congratulations. Import finished."});
        seams.Clear();
        FolderRecord root;
        int count = 0;
        ASSERT_TRUE(store.LoadAll(root, count));
        const FolderRecord* top = root.subfolders.back().get();
        EXPECT_EQ(top->name, c.top);
        ASSERT_EQ(top->subfolders.size(), 1u);
        EXPECT_EQ(top->subfolders[0]->name, c.first);
        ASSERT_EQ(top->subfolders[0]->favors.size(), 1u);
        EXPECT_EQ(top->subfolders[0]->favors[0].name, c.inside);
    }
}

TEST_F(WizardTest, AnExportThatCannotReadTheStoreSaysWhyAndLeavesTheFileAsItWas) {
    AddFavor(L"A", L"http://a.example/", 0);
    const std::wstring html = m_dir.Path() + L"\\bookmarks.html";
    std::ofstream(html.c_str(), std::ios::binary) << "the user's own file";
    OpenMain();
    CppSQLite3Connection other;  // another program has damaged the file meanwhile
    other.Open(ToUtf8(StorePath()).c_str());
    other.Execute("alter table tbl_favor rename to tbl_other;");
    bool ready = false;
    RunWizard(IDM_FILE_EXPORT, [&](HWND sheet) {
        PressButton(GetDlgItem(Page(sheet), IDC_WIZ_KIND_FIREFOX));
        PressNext(sheet);
        SetDlgItemTextW(Page(sheet), IDC_WIZ_FILE_PATH, html.c_str());
        PressNext(sheet);
        ready = ReadyAgain(sheet, L"Export status: Ready.");
        PressButton(GetDlgItem(sheet, IDCANCEL));
    });
    other.Execute("alter table tbl_other rename to tbl_favor;");
    EXPECT_TRUE(ready);
    EXPECT_EQ(Shown(), Texts{L"Export fail, the favorites could not be read from the favorites database. Nothing was "
                             L"written.\nSQLite reports: SQLITE_ERROR[1]: "});  // a statement that cannot compile has no detail
    std::ifstream in(html.c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), "the user's own file");
}

TEST_F(WizardTest, AFolderExportKeepsFavoritesThatShareANameAndAsksBeforeReplacingShortcuts) {
    AddFavor(L"Home", L"http://one.example/", 0);
    AddFavor(L"Home", L"http://two.example/", 0);
    AddFavor(L"a/b", L"http://slash.example/", 0);
    AddFavor(L"a_b", L"http://underscore.example/", 0);
    const std::wstring dest = m_dir.Path() + L"\\Favorites";
    CreateDirectoryW(dest.c_str(), nullptr);
    OpenMain();
    const auto exportRoot = [&] {
        bool done = false;
        RunWizard(IDM_FILE_EXPORT, [&](HWND sheet) {
            PressNext(sheet);  // a favorites folder is the kind chosen at first
            SetDlgItemTextW(Page(sheet), IDC_WIZ_FOLDER_PATH, dest.c_str());
            PressNext(sheet);
            done = PumpUntil(sheet, [&] { return !seams.Messages().empty(); });
            if (IsWindow(sheet)) PressButton(GetDlgItem(sheet, IDCANCEL));
        });
        return done;
    };
    ASSERT_TRUE(exportRoot());
    EXPECT_EQ(Shown(), Texts{L"Congratulations. Export finished."});
    const std::wstring files[][2] = {{L"Home", L"http://one.example/"}, {L"Home (2)", L"http://two.example/"},
                                     {L"a_b", L"http://slash.example/"}, {L"a_b (2)", L"http://underscore.example/"}};
    for (const auto& f : files) EXPECT_EQ(ReadShortcutUrl(dest + L"\\" + f[0] + L".url"), f[1]) << f[0];
    // Again into the same folder: the user is asked first, and No writes nothing.
    WritePrivateProfileStringW(L"InternetShortcut", L"URL", L"http://mine.example/", (dest + L"\\Home.url").c_str());
    seams.Clear();
    seams.QueueAnswer(IDNO);
    ASSERT_TRUE(exportRoot());
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text,
              dest + L" already holds 4 shortcut files that this export would replace.\n\nReplace them?");
    EXPECT_EQ(seams.Messages()[0].flags & MB_TYPEMASK, UINT(MB_YESNO));
    EXPECT_EQ(ReadShortcutUrl(dest + L"\\Home.url"), L"http://mine.example/");
}

// Running out of memory cannot be brought about safely here: the save's one reading of
// the clock fails as an allocation would.
TEST_F(WizardTest, AnImportThatRunsOutOfMemoryEndsWithItsReasonAndStoresNothing) {
    const std::wstring html = m_dir.Path() + L"\\bookmarks.html";
    std::ofstream(html.c_str()) << "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><A HREF=\"http://h.example/\">H</A>\n";
    OpenMain();
    const seams::ClockHandler clock = seams::SetClockHandler([]() -> SYSTEMTIME { throw std::bad_alloc(); });
    bool ready = false, back = false;
    RunWizard(IDM_FILE_IMPORT, [&](HWND sheet) {
        PressButton(GetDlgItem(Page(sheet), IDC_WIZ_KIND_HTML));
        PressNext(sheet);
        SetDlgItemTextW(Page(sheet), IDC_WIZ_FILE_PATH, html.c_str());
        PressNext(sheet);
        ready = ReadyAgain(sheet, L"Import status: Ready.");
        back = IsWindowEnabled(GetDlgItem(sheet, kBackButton)) != FALSE;
        PressButton(GetDlgItem(sheet, IDCANCEL));
    });
    seams::SetClockHandler(clock);
    EXPECT_TRUE(ready);
    EXPECT_TRUE(back);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].caption, L"Notice");
    EXPECT_EQ(seams.Messages()[0].text.rfind(L"Import fail, please select a valid file!\n\nNot enough memory", 0), 0u)
        << seams.Messages()[0].text;
    FolderRecord root;
    ASSERT_TRUE(store.LoadFolderTree(root));
    EXPECT_TRUE(root.subfolders.empty());
}

// The import copies the favorites as they were before it stores anything.
TEST_F(WizardTest, AnImportFirstMakesABackupCopyOfTheFavoritesBeforeIt) {
    AddFolder(L"Mine", 0);
    const std::wstring html = m_dir.Path() + L"\\bookmarks.html";
    std::ofstream(html.c_str()) << "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                                   "<DT><A HREF=\"http://h.example/\">H</A>\n</DL><p>\n";
    seams.PinClock(2026, 11, 3, 11, 12, 13);
    OpenMain();
    RunWizard(IDM_FILE_IMPORT, [&](HWND sheet) {
        PressButton(GetDlgItem(Page(sheet), IDC_WIZ_KIND_HTML));
        PressNext(sheet);
        SetDlgItemTextW(Page(sheet), IDC_WIZ_FILE_PATH, html.c_str());
        PressNext(sheet);
    });
    EXPECT_EQ(Shown(), Texts{L"Congratulations. Import finished."});
    const std::wstring copy = BackupsPath() + L"\\favors-20261103-111213-import.db";
    CFavorStore before;
    ASSERT_TRUE(before.Open(copy, true));
    FolderRecord root;
    ASSERT_TRUE(before.LoadFolderTree(root));
    ASSERT_EQ(root.subfolders.size(), 1u);
    EXPECT_EQ(root.subfolders[0]->name, L"Mine");
    FolderRecord now;
    ASSERT_TRUE(store.LoadFolderTree(now));
    EXPECT_EQ(now.subfolders.size(), 2u);  // and the import went on
}
