// Order of the favorites list and the display order of its columns while some hide.
#include "ui/ColumnLayout.h"
#include "ui/FavorSort.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

FavorRecord Favor(int id, const wchar_t* name, int hits, const wchar_t* lastHit = L"") {
    FavorRecord r;
    r.id = id;
    r.name = name;
    r.location = std::wstring(L"http://") + name;
    r.hits = hits;
    r.lastHit = lastHit;
    return r;
}

std::vector<int> SortedIds(std::vector<FavorRecord> rows, int column, bool ascending) {
    std::sort(rows.begin(), rows.end(),
              [&](const FavorRecord& a, const FavorRecord& b) { return CompareFavors(a, b, column, ascending) < 0; });
    std::vector<int> ids;
    for (const FavorRecord& r : rows) ids.push_back(r.id);
    return ids;
}

}  // namespace

TEST(FavorSort, ColumnsAndDirections) {
    const std::vector<FavorRecord> rows = {
        Favor(1, L"apple", 10, L"2024-01-02 00:00:00"), Favor(2, L"Zebra", 2, L""),
        Favor(3, L"Apple", 2, L"2023-12-31 23:59:59"),  Favor(4, L"\u00c4rger", 100, L"2024-01-02 00:00:01"),
    };
    struct Case { int column; bool ascending; std::vector<int> ids; } cases[] = {
        {kColName, true, {3, 2, 1, 4}},      // capitals before small letters, code-unit order
        {kColName, false, {4, 1, 2, 3}},
        {kColLocation, true, {3, 2, 1, 4}},
        {kColHits, true, {2, 3, 1, 4}},      // 2 before 10 before 100; equal counts by id
        {kColHits, false, {4, 1, 3, 2}},     // descending is the exact reverse
        {kColLastHit, true, {2, 3, 1, 4}},   // empty first
    };
    for (const Case& c : cases) EXPECT_EQ(SortedIds(rows, c.column, c.ascending), c.ids) << c.column << c.ascending;
}

TEST(FavorSort, EqualKeysFallBackToTheId) {
    const FavorRecord a = Favor(5, L"same", 1), b = Favor(9, L"same", 1);
    EXPECT_LT(CompareFavors(a, b, kColName, true), 0);
    EXPECT_GT(CompareFavors(a, b, kColName, false), 0);
    EXPECT_EQ(CompareFavors(a, a, kColTags, true), 0);
}

TEST(ColumnLayout, HidingAndShowingRestoresThePlace) {
    std::vector<bool> visible(5, true);
    ColumnOrder order = {0, 1, 2, 3, 4};
    // Hide Location (position 1), then Tags (position 2 behind the hidden one).
    visible[1] = false;
    order = NameFirstVisible(OrderAfterHide(order, 1), visible);
    EXPECT_EQ(order, (ColumnOrder{1, 0, 2, 3, 4}));
    const int tagsPosition = PositionOf(order, 2);
    visible[2] = false;
    order = NameFirstVisible(OrderAfterHide(order, 2), visible);
    EXPECT_EQ(order, (ColumnOrder{2, 1, 0, 3, 4}));
    // Location back first: it may not go in front of hidden Tags; Name stays first visible.
    visible[1] = true;
    order = NameFirstVisible(OrderAfterShow(order, visible, 1, 1), visible);
    EXPECT_EQ(order, (ColumnOrder{2, 0, 1, 3, 4}));
    visible[2] = true;
    order = NameFirstVisible(OrderAfterShow(order, visible, 2, tagsPosition), visible);
    EXPECT_EQ(order, (ColumnOrder{0, 1, 2, 3, 4}));
}

TEST(ColumnLayout, NameMovesLeftOfVisibleColumnsOnly) {
    const std::vector<bool> visible = {true, false, true, true, true};
    EXPECT_EQ(NameFirstVisible({1, 3, 2, 0, 4}, visible), (ColumnOrder{1, 0, 3, 2, 4}));
    EXPECT_EQ(NameFirstVisible({1, 0, 3, 2, 4}, visible), (ColumnOrder{1, 0, 3, 2, 4}));
}

TEST(ColumnLayout, DropsInFrontOfHiddenColumnsLandAfterThem) {
    const std::vector<bool> visible = {true, false, false, true, true};
    EXPECT_EQ(DropPosition(visible, 3, 0), 2);
    EXPECT_EQ(DropPosition(visible, 3, 1), 2);
    EXPECT_EQ(DropPosition(visible, 3, 4), 4);
    EXPECT_EQ(DropPosition(visible, 1, 0), 0);  // a hidden column is not adjusted
    EXPECT_EQ(MoveColumn({1, 2, 0, 3, 4}, 4, 2), (ColumnOrder{1, 2, 4, 0, 3}));
    EXPECT_EQ(MoveColumn({0, 1}, 1, 9), (ColumnOrder{0, 1}));
}
