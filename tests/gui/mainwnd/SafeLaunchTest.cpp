// Opening imported favorites that are not web addresses, as the user does it: a double
// click on the row. A program, a share or a file is only opened after a Yes; a script
// address never; a web address at once, as ever. Only what was opened counts a visit.
#include "gui/mainwnd/MainWindowHost.h"

namespace {

std::vector<FavorRecord> Stored(CFavorStore& store, int folderId) {
    std::vector<FavorRecord> rows;
    store.LoadFavors(folderId, rows);
    return rows;
}

}  // namespace

TEST_F(MainWindowTest, ADoubleClickOpensAProgramOnlyAfterAYesAndAScriptNever) {
    const wchar_t* const kSetup = L"C:\\Users\\x\\Downloads\\setup.exe";
    const int news = AddFolder(L"Imported", 0);
    AddFavor(L"Bank", kSetup, news);
    Open(true);
    ClickFolder(news);
    HWND list = Item(IDC_FAVOR_LIST);
    const auto doubleClick = [&] {
        Click(list, RowPoint(0));
        PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(RowPoint(0).x, RowPoint(0).y));
        SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(RowPoint(0).x, RowPoint(0).y));
        Pump();
    };

    seams.QueueAnswer(IDNO);
    doubleClick();
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].caption, L"Tidemarker Tip:");
    EXPECT_NE(seams.Messages()[0].text.find(kSetup), std::wstring::npos);  // the location in full
    EXPECT_EQ(seams.Messages()[0].flags & MB_TYPEMASK, UINT(MB_YESNO));
    EXPECT_TRUE(seams.Opened().empty());
    EXPECT_EQ(window->List().RecordAt(0)->hits, 0);
    EXPECT_EQ(Stored(store, news)[0].hits, 0);

    seams.QueueAnswer(IDYES);
    doubleClick();
    EXPECT_EQ(seams.Opened(), std::vector<std::wstring>{kSetup});
    EXPECT_EQ(Stored(store, news)[0].hits, 1);

    // A script address is never handed to the shell: the user is told why.
    FavorRecord script = Stored(store, news)[0];
    script.location = L"javascript:alert(document.cookie)";
    ASSERT_TRUE(store.UpdateFavor(script));
    ClickFolder(0);
    ClickFolder(news);
    seams.Clear();
    doubleClick();
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].flags & MB_TYPEMASK, UINT(MB_OK));
    EXPECT_NE(seams.Messages()[0].text.find(L"javascript:alert(document.cookie)"), std::wstring::npos);
    EXPECT_TRUE(seams.Opened().empty());
    EXPECT_EQ(Stored(store, news)[0].hits, 1);
}
