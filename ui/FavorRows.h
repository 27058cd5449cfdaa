// The rows of the favorites list as records: who owns them, their order, and the
// look-ups by favorite id and by row. One row per favorite id; each row remembers its
// index. No window here: the list pane keeps the control's row count and selection in
// step with these rows.
#pragma once
#include "store/Records.h"
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class FavorRows {
public:
    // One row: the list's own copy of a favorite, and where it stands.
    struct Row {
        FavorRecord favor;
        int index = 0;
    };
    using Owned = std::unique_ptr<Row>;
    // What a refill let go: the rows as they were shown, alive while this is kept.
    struct Previous {
        std::vector<FavorRecord*> order;
        std::map<int, Owned> records;
    };

    // Takes the records over and empties the vector. Every record would go to the top
    // in turn, so the rows show the given order reversed; a repeated id is dropped.
    Previous Replace(std::vector<FavorRecord>& records);
    // A copy of the record as row 0, in place of any row of the same id.
    FavorRecord* AddOnTop(const FavorRecord& record);
    // Takes a row out; its record lives on in the result. Null without that id.
    Owned Take(int id);
    // Takes out every one of these records that is a row.
    std::vector<Owned> Take(const std::set<FavorRecord*>& gone);
    void Sort(int column, bool ascending);

    int Count() const { return static_cast<int>(m_order.size()); }
    FavorRecord* At(int row) const;
    FavorRecord* Find(int id) const;
    int RowOf(const FavorRecord* record) const;  // -1 when it is no row
    std::vector<FavorRecord*> Order() const;
    // Type-ahead: the first row from `start` on whose name begins with `wanted`, without
    // case (`partial`), or equals it; past the last row only with `wrap`. -1 if none.
    int FindName(const std::wstring& wanted, int start, bool partial, bool wrap) const;

    // The first and last row whose texts differ between two listings of the same
    // length; {-1, -1} when none does.
    static std::pair<int, int> ChangedRange(const std::vector<FavorRecord*>& before,
                                            const std::vector<FavorRecord*>& after);

private:
    void Renumber();

    std::map<int, Owned> m_records;     // favorite id -> row
    std::vector<Row*> m_order;          // the same rows in row order
};
