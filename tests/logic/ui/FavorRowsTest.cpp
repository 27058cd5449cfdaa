// The favorites list's rows as records: ownership across a refill, one row per id,
// the repaint range and type-ahead.
#include "ui/FavorRows.h"
#include <gtest/gtest.h>

namespace {

FavorRecord Favor(int id, const wchar_t* name) {
    FavorRecord r;
    r.id = id;
    r.name = name;
    return r;
}

std::wstring Names(const FavorRows& rows) {
    std::wstring out;
    for (int i = 0; i < rows.Count(); ++i) out += rows.At(i)->name + (rows.RowOf(rows.At(i)) == i ? L" " : L"? ");
    return out;
}

}  // namespace

TEST(FavorRows, RefillAddAndTake) {
    FavorRows rows;
    std::vector<FavorRecord> given = {Favor(1, L"a"), Favor(2, L"b"), Favor(1, L"again")};
    rows.Replace(given);
    EXPECT_TRUE(given.empty());
    EXPECT_EQ(Names(rows), L"again b ");  // reversed, the repeated id kept once

    std::vector<FavorRecord> next = {Favor(2, L"b"), Favor(3, L"c")};
    const FavorRows::Previous shown = rows.Replace(next);
    ASSERT_EQ(shown.order.size(), 2u);
    EXPECT_EQ(shown.order[1]->name, L"b");  // still alive for the repaint
    EXPECT_EQ(FavorRows::ChangedRange(shown.order, rows.Order()), std::make_pair(0, 0));  // "b" stays
    EXPECT_EQ(FavorRows::ChangedRange(rows.Order(), rows.Order()), std::make_pair(-1, -1));

    FavorRecord edited = *rows.Find(2);
    edited.name = L"B";
    rows.AddOnTop(edited);
    EXPECT_EQ(Names(rows), L"B c ");
    EXPECT_EQ(rows.Take(3)->favor.name, L"c");
    EXPECT_EQ(rows.Take(3), nullptr);
    EXPECT_EQ(rows.Take(std::set<FavorRecord*>{rows.Find(2)}).size(), 1u);
    EXPECT_EQ(rows.Count(), 0);
}

TEST(FavorRows, TypeAheadFromTheStartRow) {
    FavorRows rows;
    std::vector<FavorRecord> given = {Favor(1, L"Beta"), Favor(2, L"alpha"), Favor(3, L"Alp")};
    rows.Replace(given);  // rows: Alp, alpha, Beta
    EXPECT_EQ(rows.FindName(L"ALP", 0, true, false), 0);
    EXPECT_EQ(rows.FindName(L"alp", 1, true, false), 1);
    EXPECT_EQ(rows.FindName(L"alp", 2, true, false), -1);
    EXPECT_EQ(rows.FindName(L"alp", 2, true, true), 0);
    EXPECT_EQ(rows.FindName(L"alp", 1, false, true), 0);  // whole name only
    EXPECT_EQ(rows.FindName(L"", 0, true, true), -1);
}
