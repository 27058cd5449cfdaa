// The favorite and folder dialogs run modally, answered through the modal hook:
// titles, the indented folder lists, trimming, validation messages and results.
#include "framework/ModalHook.h"
#include "framework/Seams.h"
#include "gui/panes/PaneHost.h"
#include "res/resource.h"
#include "ui/dialogs/CFavorDlg.h"
#include "ui/dialogs/CFolderDlg.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

struct HookGuard {
    explicit HookGuard(fw::ModalHook h) { fw::SetModalHook(std::move(h)); }
    ~HookGuard() { fw::SetModalHook({}); }
};

// Message boxes answered by a test function (which may fix a field and press OK again).
struct MessageBoxGuard {
    explicit MessageBoxGuard(std::function<void(HWND, const std::wstring&, const std::wstring&)> f) {
        seams::SetMessageBoxHandler([f](HWND owner, const std::wstring& text, const std::wstring& caption, UINT) {
            f(owner, text, caption);
            return IDOK;
        });
    }
    ~MessageBoxGuard() { seams::SetMessageBoxHandler({}); }
};

struct ComboState {
    std::vector<std::wstring> entries;
    int selected = -1;
};

ComboState ReadCombo(HWND combo) {
    ComboState s;
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t buf[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf));
        s.entries.push_back(buf);
    }
    s.selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    return s;
}

void ClickOk(HWND dlg) { PostMessageW(GetDlgItem(dlg, IDC_DLG_OK), BM_CLICK, 0, 0); }

class EditDialogsTest : public testing::Test {
protected:
    EditDialogsTest() { BuildTestHierarchy(root); }
    FolderRecord root;
};

const std::vector<std::wstring> kAllFolders = {L"Root",         L"   News",         L"      World",
                                               L"         Europe", L"            Paris", L"      Sports",
                                               L"   Tech",      L"      Linux"};

}  // namespace

TEST_F(EditDialogsTest, AddFavoriteListsFoldersAndTakesTrimmedTexts) {
    CFavorDlg dlg;
    dlg.record.pid = 3;
    dlg.root = &root;
    std::wstring title;
    ComboState combo;
    HWND focus = nullptr;
    HookGuard hook([&](HWND d) {
        title = fw::WindowText(d);
        combo = ReadCombo(GetDlgItem(d, IDC_FOLDER_COMBO));
        focus = GetFocus() == GetDlgItem(d, IDC_DETAIL_NAME) ? GetFocus() : nullptr;
        SetDlgItemTextW(d, IDC_DETAIL_NAME, L"  Docs \t");
        SetDlgItemTextW(d, IDC_DETAIL_LOCATION, L" http://docs/ ");
        SetDlgItemTextW(d, IDC_DETAIL_TAGS, L" ref ");
        SendDlgItemMessageW(d, IDC_FOLDER_COMBO, CB_SETCURSEL, 6, 0);  // "   Tech"
        ClickOk(d);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(title, L"Add new favorite");
    EXPECT_EQ(combo.entries, kAllFolders);  // a third-level folder has 9 blanks
    EXPECT_EQ(combo.selected, 3);
    EXPECT_NE(focus, nullptr);
    EXPECT_TRUE(dlg.accepted);
    EXPECT_EQ(dlg.record.name, L"Docs");
    EXPECT_EQ(dlg.record.location, L"http://docs/");
    EXPECT_EQ(dlg.record.tags, L" ref ");
    EXPECT_EQ(dlg.record.pid, 5);
}

TEST_F(EditDialogsTest, EditFavoriteShowsTheRecordAndCancelKeepsIt) {
    CFavorDlg dlg;
    dlg.editMode = true;
    dlg.root = &root;
    dlg.record.name = L"Old";
    dlg.record.location = L"http://old/";
    dlg.record.tags = L"t";
    dlg.record.pid = 0;
    std::wstring title, name, tags;
    ComboState combo;
    HookGuard hook([&](HWND d) {
        title = fw::WindowText(d);
        name = fw::WindowText(GetDlgItem(d, IDC_DETAIL_NAME));
        tags = fw::WindowText(GetDlgItem(d, IDC_DETAIL_TAGS));
        combo = ReadCombo(GetDlgItem(d, IDC_FOLDER_COMBO));
        SetDlgItemTextW(d, IDC_DETAIL_NAME, L"New");
        PostMessageW(GetDlgItem(d, IDC_DLG_CANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(title, L"Edit favorite");
    EXPECT_EQ(name, L"Old");
    EXPECT_EQ(tags, L"t");
    EXPECT_EQ(combo.selected, 0);  // Root
    EXPECT_FALSE(dlg.accepted);
    EXPECT_EQ(dlg.record.name, L"Old");
}

TEST_F(EditDialogsTest, FavoriteValidationKeepsTheDialogOpen) {
    CFavorDlg dlg;
    dlg.root = &root;
    dlg.record.pid = 42;  // no folder of the tree: Root is shown and used
    std::vector<std::wstring> shown;
    HWND dialog = nullptr;
    MessageBoxGuard boxes([&](HWND owner, const std::wstring& text, const std::wstring& caption) {
        shown.push_back(caption + L"|" + text);
        EXPECT_EQ(owner, dialog);
        if (shown.size() == 1) SetDlgItemTextW(owner, IDC_DETAIL_NAME, L"Name");
        else SetDlgItemTextW(owner, IDC_DETAIL_LOCATION, L"file:///x");
        ClickOk(owner);
    });
    int selected = -2;
    HookGuard hook([&](HWND d) {
        dialog = d;
        selected = ReadCombo(GetDlgItem(d, IDC_FOLDER_COMBO)).selected;
        SetDlgItemTextW(d, IDC_DETAIL_NAME, L"  \t ");
        SetDlgItemTextW(d, IDC_DETAIL_LOCATION, L"   ");
        ClickOk(d);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Tidemarker Tip:|Favorite name can not be empty.",
                                                 L"Tidemarker Tip:|Location(URL) can not be empty."}));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(dlg.record.pid, 0);
    EXPECT_EQ(dlg.record.location, L"file:///x");
}

TEST_F(EditDialogsTest, EditFolderLeavesOutItsOwnSubtree) {
    CFolderDlg dlg;
    dlg.editMode = true;
    dlg.root = &root;
    dlg.record.id = 2;
    dlg.record.pid = 1;
    dlg.record.name = L"World";
    std::wstring title;
    ComboState combo;
    std::vector<std::wstring> shown;
    MessageBoxGuard boxes([&](HWND owner, const std::wstring& text, const std::wstring& caption) {
        shown.push_back(caption + L"|" + text);
        SetDlgItemTextW(owner, IDC_DETAIL_NAME, L" Globe ");
        SendDlgItemMessageW(owner, IDC_PARENT_COMBO, CB_SETCURSEL, 3, 0);  // "   Tech"
        ClickOk(owner);
    });
    HookGuard hook([&](HWND d) {
        title = fw::WindowText(d);
        combo = ReadCombo(GetDlgItem(d, IDC_PARENT_COMBO));
        SetDlgItemTextW(d, IDC_DETAIL_NAME, L"\r\n");
        ClickOk(d);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(title, L"Edit folder");
    EXPECT_EQ(combo.entries, (std::vector<std::wstring>{L"Root", L"   News", L"      Sports", L"   Tech", L"      Linux"}));
    EXPECT_EQ(combo.selected, 1);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Tidemarker Tip:|Folder name can not be empty."}));
    EXPECT_EQ(dlg.record.name, L"Globe");
    EXPECT_EQ(dlg.record.pid, 5);
    EXPECT_EQ(dlg.record.id, 2);
}

TEST_F(EditDialogsTest, AddFolderOffersEveryFolderAndPreselectsTheParent) {
    CFolderDlg dlg;
    dlg.root = &root;
    dlg.record.pid = 0;
    std::wstring title;
    ComboState combo;
    HookGuard hook([&](HWND d) {
        title = fw::WindowText(d);
        combo = ReadCombo(GetDlgItem(d, IDC_PARENT_COMBO));
        SetDlgItemTextW(d, IDC_DETAIL_NAME, L"  Work ");
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_DLG_OK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(title, L"Add new folder");
    EXPECT_EQ(combo.entries, kAllFolders);
    EXPECT_EQ(combo.selected, 0);
    EXPECT_EQ(dlg.record.name, L"Work");
    EXPECT_EQ(dlg.record.pid, 0);
}
