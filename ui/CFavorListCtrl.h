// The favorites list pane: one row per favorite of the current folder or of a
// search, in both window modes. It owns the records of its rows. The list view is
// virtual (owner data): it keeps only the row count and the selection by index,
// texts and image are asked for when a row is drawn.
#pragma once
#include "edits/FavorViews.h"
#include "framework/CControl.h"
#include "framework/ColourScheme.h"
#include "framework/Owned.h"
#include "store/Records.h"
#include "ui/FavorRows.h"
#include <array>
#include <vector>

class CFolderTreeCtrl;

class CFavorListCtrl : public fw::CControl, public IFavorViews {
public:
    static constexpr int kColumnCount = 5;  // Name, Location, Tags, Visit Count, Latest Visit Time
    // What the rows are, besides a folder's favorites (a folder id).
    static constexpr int kSearchResults = -1;
    static constexpr int kNothingListed = -2;

    CFavorListCtrl();
    ~CFavorListCtrl() override;

    void SetTree(CFolderTreeCtrl* tree) { m_tree = tree; }
    CFolderTreeCtrl* Tree() const { return m_tree; }
    // Styles, theme and the five columns; called once after subclassing. The list view
    // must have been created with LVS_OWNERDATA, which cannot be added later.
    // Columns at their widths for a display scale (pixels per inch).
    void InitColumns(int dpi = 96);
    // Every column's width, shown or remembered while hidden, from one scale to another.
    void ScaleColumnWidths(int fromDpi, int toDpi);
    // The dark palette (rows, header) or the look the list had before it.
    void ApplyScheme(bool dark);

    // Takes the records over and empties the vector; `listed` says what they are: the
    // favorites of that folder, search results, or neither.
    void FillList(std::vector<FavorRecord>& records, int listed = kNothingListed);
    int Listed() const { return m_listed; }
    // A copy of the record as the top row, selected alone.
    void AddRow(const FavorRecord& record);

    // Changes stored through the window's edits: a favorite has a row while it is one
    // of the listed folder's, and search results keep theirs until the next search.
    void FavorsAdded(const std::vector<FavorRecord>& favors, bool quiet) override;
    void FavorsChanged(const std::vector<FavorRecord>& favors, bool quiet) override;
    void FavorsRemoved(const std::vector<int>& ids) override;
    void VisitCounted(const FavorRecord& favor) override;

    std::vector<FavorRecord*> GetSelectedFavors() const;
    FavorRecord* GetSingleSelectedFavor() const;
    int SelectedCount() const;
    int RowCount() const;
    FavorRecord* RecordAt(int row) const;
    FavorRecord* FindRow(int id) const;
    // Selects only the favorite's row and scrolls it into view; false without one.
    bool SelectRowOf(int id);

    void SelectAll();
    void InvertSelection();
    void DeselectAll();
    void SelectFirst();
    void SelectPrevious();
    void SelectNext();

    // Header click: same column inverts the direction, another sorts ascending.
    void OnHeaderClick(int column);
    // Sort By command: sorts column k in the current direction.
    void SortByCommand(int column);
    void SetAscending(bool ascending) { m_ascending = ascending; }
    void SortByColumn(int column, bool ascending);
    int SortColumn() const { return m_sortColumn; }
    bool Ascending() const { return m_ascending; }

    void SetColumnVisible(int column, bool visible);
    bool IsColumnVisible(int column) const { return m_columns[column].visible; }
    // Check marks and states of the View menu's column and sort entries.
    void UpdateViewMenuChecks(HMENU menu) const;
    // The header's pop-up menu: every column by its header text with the View menu's
    // command ids, checked when visible, "Name" disabled.
    fw::OwnedMenu BuildHeaderMenu() const;
    // Sizes every visible column to its content (Ctrl + numeric keypad plus).
    void AutoSizeColumns();
    // Left-to-right display order of the columns.
    std::vector<int> DisplayOrder() const;
    HWND Header() const;

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

private:
    struct ColumnState {
        bool visible = true;
        int savedWidth = 0;
        int savedPosition = 0;
    };
    using Self = CFavorListCtrl;
    // Selected and focused rows by record, to be put back after the rows moved.
    struct Selection {
        std::vector<FavorRecord*> selected;
        FavorRecord* focused = nullptr;
    };
    void RedrawRow(int row) const;
    // After a refill: the rows whose texts differ from what `shown` showed, or all.
    void RepaintChangedRows(const std::vector<FavorRecord*>& shown) const;
    void ShowSortArrow(int column, bool ascending) const;
    void SyncRowCount() const;
    Selection TakeSelection() const;
    void RestoreSelection(const Selection& selection) const;
    void SelectOnly(int row);
    void SelectRow(int row, bool selected) const;
    bool IsRowSelected(int row) const;
    void FreeAllRows();
    void ApplyColumnOrder(const std::vector<int>& order) const;
    std::vector<bool> VisibleFlags() const;
    LRESULT OnColumnClick(const fw::Msg& m);
    LRESULT OnGetDispInfo(const fw::Msg& m);
    LRESULT OnFindItem(const fw::Msg& m);
    LRESULT OnHeaderNotify(const fw::Msg& m);
    LRESULT OnKeyDown(const fw::Msg& m);
    LRESULT OnSetColumnWidth(const fw::Msg& m);
    LRESULT OnMenuItem(const fw::Msg& m);
    bool OnHeaderEndDrag(const NMHEADERW& nm);
    void ShowHeaderMenu(POINT screen) const;
    static const fw::MapEntry<CFavorListCtrl> kMap[];

    FavorRows m_rows;
    int m_listed = kNothingListed;
    int m_sortColumn = -1;
    bool m_ascending = true;
    std::array<ColumnState, kColumnCount> m_columns{};
    CFolderTreeCtrl* m_tree = nullptr;
    fw::OwnedBitmap m_arrowAscending;   // bitmap 142, if the resources have it
    fw::OwnedBitmap m_arrowDescending;  // bitmap 143
    fw::ListViewColours m_colours;
};
