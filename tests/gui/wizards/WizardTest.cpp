// The Import and Export wizards driven as a user would: choose the kind, set the
// path, Next; the job runs on its worker thread and the wizard closes itself with
// the congratulation message.
#include "transfer/CExportWizardSheet.h"
#include "transfer/CImportWizardSheet.h"
#include "transfer/PathPickers.h"
#include "framework/ModalHook.h"
#include "fakes/FakeSeams.h"
#include "fakes/TempFolder.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/CFavorListCtrl.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <fstream>
#include <sstream>

namespace {

// A hidden top-level window holding a real folder tree, filled from the store.
class TreeHost {
public:
    TreeHost() {
        m_frame = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
        HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                                    0, 0, 300, 300, m_frame, reinterpret_cast<HMENU>(IDC_FOLDER_TREE), nullptr, nullptr);
        m_tree.Subclass(tree);
        Reload();
    }
    ~TreeHost() { DestroyWindow(m_frame); }
    void Reload() {
        FolderRecord root;
        FavorStore().LoadFolderTree(root);
        m_tree.FillTree(root);
    }
    CFolderTreeCtrl& Tree() { return m_tree; }
    HWND Frame() const { return m_frame; }

private:
    HWND m_frame;
    CFolderTreeCtrl m_tree;
};

struct HookGuard {
    explicit HookGuard(fw::ModalHook h) { fw::SetModalHook(std::move(h)); }
    ~HookGuard() { fw::SetModalHook({}); PathPickers::SetOverride({}); }
};

void PressNext(HWND sheet) { SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0); }
HWND CurrentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FavorStore().Open(m_dir.Path() + L"\\favors.db")); }
    TempFolder m_dir;
    FakeSeams m_seams;
};

}  // namespace

TEST_F(WizardTest, FolderImportStoresTheTreeMirrorsItAndSelectsTheNewTopFolder) {
    const std::wstring source = m_dir.Path() + L"\\Favorites";
    CreateDirectoryW(source.c_str(), nullptr);
    CreateDirectoryW((source + L"\\News").c_str(), nullptr);
    WritePrivateProfileStringW(L"InternetShortcut", L"URL", L"http://a.example/", (source + L"\\A.url").c_str());
    WritePrivateProfileStringW(L"InternetShortcut", L"URL", L"http://b.example/", (source + L"\\News\\B.url").c_str());
    TreeHost host;
    int pageAfterKind = -1;
    {
        CImportWizardSheet sheet(&host.Tree(), host.Frame());
        HookGuard hook([&](HWND s) {
            PressNext(s);  // kind page: the folder is preselected
            pageAfterKind = sheet.ActiveIndex();
            SetDlgItemTextW(CurrentPage(s), IDC_WIZ_FOLDER_PATH, source.c_str());
            PressNext(s);
            PostMessageW(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);  // refused: the import runs
        });
        EXPECT_EQ(sheet.DoModal(nullptr), 0);
    }
    EXPECT_EQ(pageAfterKind, 1);
    const auto shown = m_seams.Messages();
    ASSERT_GE(shown.size(), 1u);
    EXPECT_EQ(shown.back().text, L"Congratulations. Import finished.");
    EXPECT_EQ(shown.back().caption, L"Congratulations");
    if (shown.size() == 2) EXPECT_EQ(shown[0].text, L"Import processing, please wait patiently until completed.");

    FolderRecord root;
    ASSERT_TRUE(FavorStore().LoadFolderTree(root));
    ASSERT_EQ(root.subfolders.size(), 1u);
    EXPECT_EQ(root.subfolders[0]->name, L"Favorites From IE");
    ASSERT_EQ(root.subfolders[0]->subfolders.size(), 1u);
    EXPECT_EQ(root.subfolders[0]->subfolders[0]->name, L"News");
    const int topId = root.subfolders[0]->id;
    FreeFolderChildren(root);
    // The tree pane got the folders and selects the new top folder.
    ASSERT_NE(host.Tree().FindFolder(topId), nullptr);
    ASSERT_NE(host.Tree().GetSelectedFolder(), nullptr);
    EXPECT_EQ(host.Tree().GetSelectedFolder()->id, topId);
}

TEST_F(WizardTest, EmptyPathAndInvalidSourceAreRefusedAndThePageStaysReady) {
    TreeHost host;
    std::wstring statusAfterFailure;
    {
        CImportWizardSheet sheet(&host.Tree(), host.Frame());
        HookGuard hook([&](HWND s) {
            CheckRadioButton(CurrentPage(s), IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX, IDC_WIZ_KIND_FIREFOX);
            PressNext(s);
            HWND page = CurrentPage(s);
            SetDlgItemTextW(page, IDC_WIZ_FILE_PATH, L"");
            PressNext(s);  // empty path: message, nothing starts
            SetDlgItemTextW(page, IDC_WIZ_FILE_PATH, (m_dir.Path() + L"\\nothing\\places.sqlite").c_str());
            PressNext(s);
            sheet.FirefoxPage().WaitForJob();
            wchar_t text[200] = {};
            GetDlgItemTextW(page, IDC_WIZ_STATUS, text, 200);
            statusAfterFailure = text;
            sheet.EndSheet(IDCANCEL);
        });
        sheet.DoModal(nullptr);
    }
    const auto shown = m_seams.Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, L"You should select the bookmark HTML file fist!");
    EXPECT_EQ(shown[0].caption, L"Notice");
    EXPECT_EQ(shown[1].text, L"Import fail, please select a valid file!");
    EXPECT_EQ(statusAfterFailure, L"Import status: Ready.");
    FolderRecord root;
    FavorStore().LoadFolderTree(root);
    EXPECT_TRUE(root.subfolders.empty());
}

TEST_F(WizardTest, HtmlExportOfTheChosenFolderWritesTheFile) {
    FolderRecord news;
    news.name = L"News";
    FavorStore().AddFolder(news);
    FavorRecord a;
    a.pid = news.id;
    a.name = L"A";
    a.location = L"http://a.example/";
    FavorStore().AddFavor(a);
    TreeHost host;
    const std::wstring file = m_dir.Path() + L"\\out.html";
    std::wstring comboSecond;
    {
        CExportWizardSheet sheet(&host.Tree(), host.Frame());
        HookGuard hook([&](HWND s) {
            CheckRadioButton(CurrentPage(s), IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX, IDC_WIZ_KIND_FIREFOX);
            PressNext(s);
            HWND page = CurrentPage(s);
            HWND combo = GetDlgItem(page, IDC_FOLDER_COMBO);
            wchar_t text[100] = {};
            SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
            comboSecond = text;
            SendMessageW(combo, CB_SETCURSEL, 1, 0);
            PathPickers::SetOverride([&](const char*) { return std::optional<std::wstring>(file); });
            SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_WIZ_FILE_BROWSE, BN_CLICKED), 0);
            PressNext(s);
        });
        EXPECT_EQ(sheet.DoModal(nullptr), 0);
    }
    EXPECT_EQ(comboSecond, L"   News");
    EXPECT_EQ(m_seams.Messages().back().text, L"Congratulations. Export finished.");
    const std::string html = ReadAll(file);
    EXPECT_NE(html.find("<DT><A HREF=\"http://a.example/\">A</A>\r\n"), std::string::npos);
    EXPECT_EQ(html.find("<H3>News"), std::string::npos);  // the chosen folder's own name is not written
}

TEST_F(WizardTest, AnExportThatCannotWriteIsNotReportedAsFinished) {
    TreeHost host;
    std::wstring status;
    {
        CExportWizardSheet sheet(&host.Tree(), host.Frame());
        HookGuard hook([&](HWND s) {
            CheckRadioButton(CurrentPage(s), IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX, IDC_WIZ_KIND_FIREFOX);
            PressNext(s);
            HWND page = CurrentPage(s);
            SetDlgItemTextW(page, IDC_WIZ_FILE_PATH, (m_dir.Path() + L"\\missing\\out.html").c_str());
            PressNext(s);
            sheet.HtmlPage().WaitForJob();
            wchar_t text[200] = {};
            GetDlgItemTextW(page, IDC_WIZ_STATUS, text, 200);
            status = text;
            sheet.EndSheet(IDCANCEL);
        });
        sheet.DoModal(nullptr);
    }
    ASSERT_EQ(m_seams.Messages().size(), 1u);
    EXPECT_EQ(m_seams.Messages()[0].text, L"Export fail, please select a valid destination!");
    EXPECT_EQ(status, L"Export status: Ready.");
}
