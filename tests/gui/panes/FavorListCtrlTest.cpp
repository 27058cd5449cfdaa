// The favorites list pane on a real list view: row order, row operations, sorting
// by header clicks, column hiding and the selection moves of the search box.
#include "ui/CFavorListCtrl.h"
#include "fakes/FakeSeams.h"
#include "gui/panes/PaneHost.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {

FavorRecord NewFavor(int id, const wchar_t* name, int hits = 0) {
    FavorRecord r;
    r.id = id;
    r.pid = 1;
    r.name = name;
    r.location = std::wstring(L"http://") + name + L"/";
    r.hits = hits;
    return r;
}

class FavorListTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(nullptr));
        HWND h = host.CreateChild(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, kListId);
        ASSERT_TRUE(list.Subclass(h));
        list.InitColumns();
    }
    // Rows 0..: the store delivers ascending ids, the list shows them reversed.
    void Fill(std::initializer_list<std::pair<const wchar_t*, int>> favors) {
        std::vector<FavorRecord> records;
        int id = 0;
        for (const auto& [name, hits] : favors) records.push_back(NewFavor(++id, name, hits));
        list.FillList(records, 1);
        EXPECT_TRUE(records.empty());
    }
    std::wstring Cell(int row, int col) const {
        wchar_t buf[256] = {};
        ListView_GetItemText(list.Hwnd(), row, col, buf, 256);
        return buf;
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> out;
        for (int i = 0; i < list.RowCount(); ++i) out.push_back(Cell(i, 0));
        return out;
    }
    std::vector<int> Selected() const {
        std::vector<int> rows;
        for (int row = -1; (row = ListView_GetNextItem(list.Hwnd(), row, LVNI_SELECTED)) >= 0;) rows.push_back(row);
        return rows;
    }
    void Select(std::initializer_list<int> rows) {
        list.DeselectAll();
        for (int r : rows) ListView_SetItemState(list.Hwnd(), r, LVIS_SELECTED, LVIS_SELECTED);
    }
    LRESULT HeaderNotify(UINT code, int item, HDITEMW* hd = nullptr) {
        NMHEADERW nm{};
        nm.hdr.hwndFrom = list.Header();
        nm.hdr.code = code;
        nm.iItem = item;
        nm.pitem = hd;
        return SendMessageW(list.Hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    }
    void ClickHeader(int column) {  // as the list tells its parent, which reflects it
        NMLISTVIEW nm{};
        nm.hdr.hwndFrom = list.Hwnd();
        nm.hdr.idFrom = kListId;
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iItem = -1;
        nm.iSubItem = column;
        SendMessageW(host.Hwnd(), WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&nm));
    }
    int ArrowOn() const {  // the column whose header shows a sort arrow, -1 for none; checks only one does
        int found = -1;
        for (int i = 0; i < CFavorListCtrl::kColumnCount; ++i) {
            HDITEMW hd{};
            hd.mask = HDI_FORMAT;
            Header_GetItem(list.Header(), i, &hd);
            if (hd.fmt & (HDF_BITMAP | HDF_SORTUP | HDF_SORTDOWN)) {
                EXPECT_EQ(found, -1);
                found = i;
            }
        }
        return found;
    }
    int Width(int column) const { return ListView_GetColumnWidth(list.Hwnd(), column); }

    static constexpr int kListId = 9202;
    PaneHost host;
    CFavorListCtrl list;
};

using NameList = std::vector<std::wstring>;

}  // namespace

TEST_F(FavorListTest, FillShowsTheRecordsReversedWithFiveColumns) {
    Fill({{L"one", 3}, {L"two", 0}, {L"three", 12}});
    EXPECT_EQ(Names(), (NameList{L"three", L"two", L"one"}));
    EXPECT_EQ(Cell(0, 1), L"http://three/");
    EXPECT_EQ(Cell(0, 3), L"12");
    EXPECT_EQ(list.FindRow(1)->name, L"one");
    HDITEMW hd{};
    wchar_t title[64] = {};
    hd.mask = HDI_TEXT;
    hd.pszText = title;
    hd.cchTextMax = 64;
    Header_GetItem(list.Header(), 4, &hd);
    EXPECT_STREQ(title, L"Latest Visit Time");
    const int widths[] = {230, 200, 50, 80, 120};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Width(i), widths[i]);

    Fill({});
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.FindRow(1), nullptr);
}

TEST_F(FavorListTest, StoredChangesFollowTheListedFolder) {
    Fill({{L"one", 3}, {L"two", 0}});  // folder 1
    FavorRecord elsewhere = NewFavor(11, L"elsewhere");
    elsewhere.pid = 2;
    Select({1});
    list.FavorsAdded({NewFavor(10, L"new", 1), elsewhere}, false);
    EXPECT_EQ(Names(), (NameList{L"new", L"two", L"one"}));
    EXPECT_EQ(Selected(), (std::vector<int>{0}));

    FavorRecord changed = *list.FindRow(1);
    changed.name = L"uno";
    changed.tags = L"t";
    list.FavorsChanged({changed}, false);
    EXPECT_EQ(Names(), (NameList{L"new", L"two", L"uno"}));
    EXPECT_EQ(Cell(2, 2), L"t");
    changed.hits = 4;
    changed.lastHit = L"2026-03-04 05:06:07";
    list.VisitCounted(changed);
    EXPECT_EQ(Cell(2, 3), L"4");
    EXPECT_EQ(Cell(2, 4), L"2026-03-04 05:06:07");

    FavorRecord moved = *list.FindRow(2);
    moved.pid = 2;
    list.FavorsChanged({moved}, false);  // it left the folder
    list.FavorsRemoved({77});     // unknown ids change nothing
    list.VisitCounted(FavorRecord{});
    EXPECT_EQ(Names(), (NameList{L"new", L"uno"}));
    moved.pid = 1;
    list.FavorsChanged({moved}, false);  // and came back
    EXPECT_EQ(Names(), (NameList{L"two", L"new", L"uno"}));
    EXPECT_EQ(Selected(), (std::vector<int>{0}));
}

TEST_F(FavorListTest, RemovedRowsGoAndTheRestStay) {
    Fill({{L"a", 0}, {L"b", 0}, {L"c", 0}, {L"d", 0}, {L"e", 0}});  // rows e d c b a
    Select({0, 2, 4});
    EXPECT_EQ(list.SelectedCount(), 3);
    EXPECT_EQ(list.GetSingleSelectedFavor(), nullptr);
    list.FavorsRemoved({5, 3, 1});
    EXPECT_EQ(Names(), (NameList{L"d", L"b"}));
    EXPECT_EQ(list.FindRow(5), nullptr);
    EXPECT_NE(list.FindRow(4), nullptr);
    list.InvertSelection();
    EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
}

TEST_F(FavorListTest, SearchBoxMovesWrapAround) {
    Fill({{L"a", 0}, {L"b", 0}, {L"c", 0}, {L"d", 0}});
    struct Case { std::vector<int> before; bool up; std::vector<int> after; } cases[] = {
        {{2}, true, {1}},  {{2}, false, {3}},
        {{0}, true, {3}},  {{3}, false, {0}},   // wrap round
        {{}, true, {3}},   {{}, false, {0}},    // nothing selected
        {{0, 2}, true, {0, 1}},                  // row 0 is passed over, the next one moves
        {{1, 3}, false, {2, 3}},
    };
    for (const Case& c : cases) {
        list.DeselectAll();
        for (int r : c.before) ListView_SetItemState(list.Hwnd(), r, LVIS_SELECTED, LVIS_SELECTED);
        if (c.up) list.SelectPrevious();
        else list.SelectNext();
        EXPECT_EQ(Selected(), c.after) << (c.up ? "up" : "down") << " from " << (c.before.empty() ? -1 : c.before[0]);
    }
    list.DeselectAll();
    list.SelectFirst();
    EXPECT_EQ(list.GetSingleSelectedFavor()->name, L"d");
}

TEST_F(FavorListTest, HeaderClicksSortAndShowTheArrow) {
    Fill({{L"b", 10}, {L"a", 2}, {L"C", 1}});
    EXPECT_EQ(ArrowOn(), -1);
    ClickHeader(3);
    EXPECT_EQ(Names(), (NameList{L"C", L"a", L"b"}));  // 1, 2, 10
    EXPECT_EQ(ArrowOn(), 3);
    ClickHeader(3);
    EXPECT_EQ(Names(), (NameList{L"b", L"a", L"C"}));
    EXPECT_FALSE(list.Ascending());
    ClickHeader(0);
    EXPECT_EQ(Names(), (NameList{L"C", L"a", L"b"}));  // capital first
    EXPECT_EQ(ArrowOn(), 0);
    EXPECT_TRUE(list.Ascending());

    list.SetAscending(false);  // Z-A order: nothing moves until the next sort
    EXPECT_EQ(Names(), (NameList{L"C", L"a", L"b"}));
    list.SortByCommand(1);
    EXPECT_EQ(Names(), (NameList{L"b", L"a", L"C"}));
    EXPECT_EQ(list.SortColumn(), 1);
    EXPECT_EQ(ArrowOn(), 1);

    Fill({{L"x", 0}});  // a refill forgets the sort
    EXPECT_EQ(list.SortColumn(), -1);
    EXPECT_TRUE(list.Ascending());
    EXPECT_EQ(ArrowOn(), -1);
}

TEST_F(FavorListTest, HiddenColumnsKeepWidthAndPlaceAndRefuseResizing) {
    list.SetColumnVisible(0, false);  // Name never hides
    EXPECT_TRUE(list.IsColumnVisible(0));
    ListView_SetColumnWidth(list.Hwnd(), 1, 150);
    list.SetColumnVisible(1, false);
    EXPECT_FALSE(list.IsColumnVisible(1));
    EXPECT_EQ(Width(1), 0);
    EXPECT_EQ(list.DisplayOrder(), (std::vector<int>{1, 0, 2, 3, 4}));
    ListView_SetColumnWidth(list.Hwnd(), 1, 90);  // ignored while hidden
    EXPECT_EQ(Width(1), 0);
    EXPECT_EQ(HeaderNotify(HDN_BEGINTRACKW, 1), TRUE);
    EXPECT_EQ(HeaderNotify(HDN_BEGINTRACKW, 2), FALSE);

    // A visible column dragged in front of the hidden one lands right after it.
    HDITEMW drop{};
    drop.mask = HDI_ORDER;
    drop.iOrder = 0;
    EXPECT_EQ(HeaderNotify(HDN_ENDDRAG, 3, &drop), TRUE);
    EXPECT_EQ(list.DisplayOrder(), (std::vector<int>{1, 3, 0, 2, 4}));

    list.SetColumnVisible(1, true);
    EXPECT_EQ(Width(1), 150);
    EXPECT_EQ(list.DisplayOrder(), (std::vector<int>{0, 3, 1, 2, 4}));  // Name first visible again
    list.SetColumnVisible(3, false);
    list.SetColumnVisible(3, true);
    EXPECT_EQ(list.DisplayOrder(), (std::vector<int>{0, 3, 1, 2, 4}));
    EXPECT_EQ(Width(3), 80);
}

TEST_F(FavorListTest, NameBecomesTheFirstVisibleColumnAgain) {
    HDITEMW drop{};
    drop.mask = HDI_ORDER;
    drop.iOrder = 0;
    EXPECT_EQ(HeaderNotify(HDN_ENDDRAG, 2, &drop), FALSE);  // nothing hidden: the header does it itself
    ListView_SetColumnOrderArray(list.Hwnd(), 5, (std::vector<int>{2, 0, 1, 3, 4}).data());
    list.SetColumnVisible(4, false);
    EXPECT_EQ(list.DisplayOrder(), (std::vector<int>{4, 0, 2, 1, 3}));
    list.SetColumnVisible(4, true);
    EXPECT_EQ(list.DisplayOrder(), (std::vector<int>{0, 2, 1, 3, 4}));
}

TEST_F(FavorListTest, MenusShowColumnsAndSortState) {
    list.SetColumnVisible(2, false);
    fw::OwnedMenu header = list.BuildHeaderMenu();
    ASSERT_TRUE(header);
    EXPECT_EQ(GetMenuItemCount(header.get()), 5);
    EXPECT_EQ(GetMenuItemID(header.get(), 2), static_cast<UINT>(IDM_COLUMN_TAGS));
    EXPECT_EQ(GetMenuState(header.get(), IDM_COLUMN_TAGS, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(header.get(), IDM_COLUMN_LASTHIT, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(header.get(), IDM_COLUMN_NAME, MF_BYCOMMAND) & MF_GRAYED, 0u);

    fw::OwnedMenu view(CreatePopupMenu());
    for (UINT id : {IDM_COLUMN_NAME, IDM_COLUMN_LOCATION, IDM_COLUMN_TAGS, IDM_COLUMN_HITS, IDM_COLUMN_LASTHIT,
                    IDM_SORT_NAME, IDM_SORT_LOCATION, IDM_SORT_TAGS, IDM_SORT_HITS, IDM_SORT_LASTHIT, IDM_ORDER_ASC,
                    IDM_ORDER_DESC})
        AppendMenuW(view.get(), MF_STRING, id, L"x");
    auto checked = [&](UINT id) { return (GetMenuState(view.get(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    list.UpdateViewMenuChecks(view.get());
    EXPECT_TRUE(checked(IDM_COLUMN_LOCATION));
    EXPECT_FALSE(checked(IDM_COLUMN_TAGS));
    EXPECT_FALSE(checked(IDM_SORT_NAME));
    EXPECT_TRUE(checked(IDM_ORDER_ASC));
    EXPECT_NE(GetMenuState(view.get(), IDM_COLUMN_NAME, MF_BYCOMMAND) & MF_GRAYED, 0u);

    list.SetAscending(false);
    list.SortByCommand(3);
    list.UpdateViewMenuChecks(view.get());
    EXPECT_TRUE(checked(IDM_SORT_HITS));
    EXPECT_FALSE(checked(IDM_SORT_NAME));
    EXPECT_TRUE(checked(IDM_ORDER_DESC));
    EXPECT_FALSE(checked(IDM_ORDER_ASC));
}
