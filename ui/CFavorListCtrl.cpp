#include "ui/CFavorListCtrl.h"
#include "framework/CWinApp.h"
#include "framework/ColourScheme.h"
#include "framework/WindowDpi.h"
#include "res/resource.h"
#include "ui/ColumnLayout.h"
#include "ui/RedrawOff.h"
#include "store/CFavorStore.h"
#include "ui/widgets/BCMenu.h"
#include "ui/widgets/DarkHeader.h"
#include <uxtheme.h>
#include <algorithm>
#include <set>
#include <string>

namespace {

struct ColumnSpec {
    const wchar_t* title;
    int width;
    UINT command;  // View menu entry that shows or hides the column
    UINT sortCommand;
};
constexpr ColumnSpec kColumns[CFavorListCtrl::kColumnCount] = {
    {L"Name", 230, IDM_COLUMN_NAME, IDM_SORT_NAME},
    {L"Location", 200, IDM_COLUMN_LOCATION, IDM_SORT_LOCATION},
    {L"Tags", 50, IDM_COLUMN_TAGS, IDM_SORT_TAGS},
    {L"Visit Count", 80, IDM_COLUMN_HITS, IDM_SORT_HITS},
    {L"Latest Visit Time", 120, IDM_COLUMN_LASTHIT, IDM_SORT_LASTHIT},
};
constexpr int kFavorImage = 1;

// The visual-styles library is optional: without it, or without a list view theme,
// the list keeps the classic look.
void ApplyExplorerTheme(HWND list) {
    fw::OwnedModule uxtheme(LoadLibraryW(L"uxtheme.dll"));
    if (!uxtheme) return;
    using OpenFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI*)(HANDLE);
    using SetFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    auto open = reinterpret_cast<OpenFn>(GetProcAddress(uxtheme.get(), "OpenThemeData"));
    auto close = reinterpret_cast<CloseFn>(GetProcAddress(uxtheme.get(), "CloseThemeData"));
    auto set = reinterpret_cast<SetFn>(GetProcAddress(uxtheme.get(), "SetWindowTheme"));
    if (!open || !close || !set) return;
    if (HANDLE theme = open(list, L"ListView")) {
        close(theme);
        set(list, L"Explorer", nullptr);
    }
}

HBITMAP LoadArrow(UINT id) {
    return static_cast<HBITMAP>(
        LoadImageW(fw::CWinApp::ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
}

bool ValidColumn(int column) { return column >= 0 && column < CFavorListCtrl::kColumnCount; }

}  // namespace

CFavorListCtrl::CFavorListCtrl() = default;

CFavorListCtrl::~CFavorListCtrl() { FreeAllRows(); }

// ---- message map ----

const fw::MapEntry<CFavorListCtrl> CFavorListCtrl::kMap[] = {
    fw::OnMessage(WM_KEYDOWN, &Self::OnKeyDown),
    fw::OnMessage(LVM_SETCOLUMNWIDTH, &Self::OnSetColumnWidth),
    fw::OnMessage(WM_NOTIFY, &Self::OnHeaderNotify),
    fw::OnMessage(WM_MEASUREITEM, &Self::OnMenuItem),
    fw::OnMessage(WM_DRAWITEM, &Self::OnMenuItem),
    fw::OnReflectNotify(LVN_COLUMNCLICK, &Self::OnColumnClick),
    fw::OnReflectNotify(LVN_GETDISPINFOW, &Self::OnGetDispInfo),
    fw::OnReflectNotify(LVN_ODFINDITEMW, &Self::OnFindItem),
};
bool CFavorListCtrl::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

// ---- set-up ----

void CFavorListCtrl::InitColumns(int dpi) {
    const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    SetWindowLongPtrW(m_hwnd, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_REPORT | LVS_SHOWSELALWAYS);
    const DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;
    ListView_SetExtendedListViewStyleEx(m_hwnd, ex, ex);
    ApplyExplorerTheme(m_hwnd);
    for (int i = 0; i < kColumnCount; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = MulDiv(kColumns[i].width, dpi, 96);
        col.pszText = const_cast<wchar_t*>(kColumns[i].title);
        col.iSubItem = i;
        ListView_InsertColumn(m_hwnd, i, &col);
        m_columns[i] = ColumnState{};
    }
    m_arrowAscending.reset(LoadArrow(IDB_SORT_ASC));
    m_arrowDescending.reset(LoadArrow(IDB_SORT_DESC));
}

void CFavorListCtrl::ApplyScheme(bool dark) {
    if (dark == m_colours.Dark()) return;
    // Dark: the selection in the system's colours, not the Explorer look's light tint.
    if (dark) SetWindowTheme(m_hwnd, nullptr, nullptr);
    else ApplyExplorerTheme(m_hwnd);
    m_colours.Apply(m_hwnd, dark);
    InvalidateRect(Header(), nullptr, TRUE);
}

void CFavorListCtrl::ScaleColumnWidths(int fromDpi, int toDpi) {
    for (int i = 0; i < kColumnCount; ++i) {
        ColumnState& state = m_columns[i];
        if (state.visible) ListView_SetColumnWidth(m_hwnd, i, MulDiv(ListView_GetColumnWidth(m_hwnd, i), toDpi, fromDpi));
        else state.savedWidth = MulDiv(state.savedWidth, toDpi, fromDpi);
    }
}

HWND CFavorListCtrl::Header() const { return m_hwnd ? ListView_GetHeader(m_hwnd) : nullptr; }

// ---- rows ----

void CFavorListCtrl::FreeAllRows() {
    // Rows go before records: their removal notifies the parent, which may look at them.
    if (m_hwnd) ListView_DeleteAllItems(m_hwnd);
    std::vector<FavorRecord> none;
    m_rows.Replace(none);
}

void CFavorListCtrl::SyncRowCount() const {
    if (m_hwnd) ListView_SetItemCountEx(m_hwnd, m_rows.Count(), LVSICF_NOSCROLL);
}

void CFavorListCtrl::RedrawRow(int row) const {
    if (m_hwnd && row >= 0) ListView_RedrawItems(m_hwnd, row, row);
}

// The control keeps only a row count and the selection: the old rows are let go by
// clearing the selection (while their records still exist for whoever hears of it),
// and only what changed is repainted. Deleting the rows first would also redraw the
// scroll bars for an empty list; a new count redraws them only when it differs.
void CFavorListCtrl::FillList(std::vector<FavorRecord>& records, int listed) {
    m_listed = listed;
    m_sortColumn = -1;
    m_ascending = true;
    ShowSortArrow(-1, true);
    if (m_hwnd) ListView_SetItemState(m_hwnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const FavorRows::Previous shown = m_rows.Replace(records);
    if (m_hwnd) RepaintChangedRows(shown.order);
}

void CFavorListCtrl::RepaintChangedRows(const std::vector<FavorRecord*>& shown) const {
    if (static_cast<int>(shown.size()) != m_rows.Count()) {
        SyncRowCount();
    } else {
        // Typing on in the search box often lists the same favorites again.
        const auto [first, last] = FavorRows::ChangedRange(shown, m_rows.Order());
        if (first >= 0) ListView_RedrawItems(m_hwnd, first, last);
    }
    if (m_rows.Count() > 0) ListView_EnsureVisible(m_hwnd, 0, FALSE);  // from the top
}

FavorRecord* CFavorListCtrl::RecordAt(int row) const { return m_rows.At(row); }

FavorRecord* CFavorListCtrl::FindRow(int id) const { return m_rows.Find(id); }

bool CFavorListCtrl::SelectRowOf(int id) {
    const int row = m_rows.RowOf(FindRow(id));
    if (row < 0) return false;
    SelectOnly(row);
    return true;
}

int CFavorListCtrl::RowCount() const { return m_rows.Count(); }

// The control keeps the selection by row index: before rows are inserted, removed or
// reordered the selection is taken by record and cleared, afterwards put back.
CFavorListCtrl::Selection CFavorListCtrl::TakeSelection() const {
    Selection s;
    s.selected = GetSelectedFavors();
    if (m_hwnd) s.focused = RecordAt(ListView_GetNextItem(m_hwnd, -1, LVNI_FOCUSED));
    return s;
}

void CFavorListCtrl::RestoreSelection(const Selection& selection) const {
    for (const FavorRecord* r : selection.selected) {
        const int row = m_rows.RowOf(r);
        if (row >= 0) SelectRow(row, true);
    }
    const int focus = m_rows.RowOf(selection.focused);
    if (focus >= 0) ListView_SetItemState(m_hwnd, focus, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CFavorListCtrl::AddRow(const FavorRecord& record) {
    FavorsRemoved({record.id});  // one row per favorite id
    DeselectAll();
    m_rows.AddOnTop(record);
    SyncRowCount();
    SelectOnly(0);
}

void CFavorListCtrl::FavorsAdded(const std::vector<FavorRecord>& favors, bool quiet) {
    if (m_listed < 0) return;
    std::vector<const FavorRecord*> shown;
    for (const FavorRecord& f : favors)
        if (f.pid == m_listed) shown.push_back(&f);
    if (shown.empty()) return;
    if (quiet) {  // on top, and the selection stays as it was
        const Selection kept = TakeSelection();
        DeselectAll();
        for (const FavorRecord* f : shown) m_rows.AddOnTop(*f);
        SyncRowCount();
        return RestoreSelection(kept);
    }
    if (shown.size() == 1) return AddRow(*shown.front());
    // Several at once (a drop, an undo): on top, selected together.
    DeselectAll();
    for (const FavorRecord* f : shown) m_rows.AddOnTop(*f);
    SyncRowCount();
    for (const FavorRecord* f : shown) SelectRow(m_rows.RowOf(FindRow(f->id)), true);
    ListView_SetItemState(m_hwnd, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(m_hwnd, 0, FALSE);
}

void CFavorListCtrl::FavorsChanged(const std::vector<FavorRecord>& favors, bool quiet) {
    std::vector<FavorRecord> arrived;
    std::vector<int> left;
    for (const FavorRecord& f : favors) {
        FavorRecord* mine = FindRow(f.id);
        const bool belongs = m_listed == kSearchResults || (m_listed >= 0 && f.pid == m_listed);
        if (mine && belongs) {
            *mine = f;
            RedrawRow(m_rows.RowOf(mine));
        } else if (mine) {
            left.push_back(f.id);  // it left the folder shown
        } else if (belongs && m_listed >= 0) {
            arrived.push_back(f);  // moved back into it
        }
    }
    if (!left.empty()) FavorsRemoved(left);
    if (!arrived.empty()) FavorsAdded(arrived, quiet);
}

void CFavorListCtrl::FavorsRemoved(const std::vector<int>& ids) {
    std::set<FavorRecord*> gone;
    for (int id : ids)
        if (FavorRecord* mine = FindRow(id)) gone.insert(mine);
    if (gone.empty()) return;
    Selection kept = TakeSelection();
    kept.selected.erase(std::remove_if(kept.selected.begin(), kept.selected.end(),
                                       [&](FavorRecord* r) { return gone.count(r) > 0; }),
                        kept.selected.end());
    if (gone.count(kept.focused)) kept.focused = nullptr;
    DeselectAll();
    const std::vector<FavorRows::Owned> taken = m_rows.Take(gone);
    SyncRowCount();
    RestoreSelection(kept);
}

void CFavorListCtrl::VisitCounted(const FavorRecord& favor) {
    FavorRecord* mine = FindRow(favor.id);
    if (!mine) return;
    mine->hits = favor.hits;
    mine->lastHit = favor.lastHit;
    RedrawRow(m_rows.RowOf(mine));
}

LRESULT CFavorListCtrl::OnGetDispInfo(const fw::Msg& m) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(m.lp);
    LVITEMW& item = info->item;
    const FavorRecord* r = RecordAt(item.iItem);
    if (!r) return 0;
    if (item.mask & LVIF_IMAGE) item.iImage = kFavorImage;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::wstring hits;
        const std::wstring* text = nullptr;
        switch (item.iSubItem) {
        case 0: text = &r->name; break;
        case 1: text = &r->location; break;
        case 2: text = &r->tags; break;
        case 3: hits = std::to_wstring(r->hits); text = &hits; break;
        case 4: text = &r->lastHit; break;
        default: break;
        }
        const size_t n = text ? std::min(text->size(), static_cast<size_t>(item.cchTextMax - 1)) : 0;
        if (n) wmemcpy(item.pszText, text->c_str(), n);
        item.pszText[n] = L'\0';
    }
    return 0;
}

// Typing in the list finds the next row whose name starts with the typed text.
LRESULT CFavorListCtrl::OnFindItem(const fw::Msg& m) {
    const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(m.lp);
    if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz) return -1;
    const int flags = static_cast<int>(find->lvfi.flags);
    return m_rows.FindName(find->lvfi.psz, find->iStart, (flags & LVFI_PARTIAL) != 0, (flags & LVFI_WRAP) != 0);
}

// ---- selection ----

std::vector<FavorRecord*> CFavorListCtrl::GetSelectedFavors() const {
    std::vector<FavorRecord*> out;
    if (!m_hwnd) return out;
    for (int i = ListView_GetNextItem(m_hwnd, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(m_hwnd, i, LVNI_SELECTED))
        if (FavorRecord* r = RecordAt(i)) out.push_back(r);
    return out;
}

FavorRecord* CFavorListCtrl::GetSingleSelectedFavor() const {
    if (SelectedCount() != 1) return nullptr;
    return RecordAt(ListView_GetNextItem(m_hwnd, -1, LVNI_SELECTED));
}

int CFavorListCtrl::SelectedCount() const { return m_hwnd ? static_cast<int>(ListView_GetSelectedCount(m_hwnd)) : 0; }

void CFavorListCtrl::SelectRow(int row, bool selected) const {
    ListView_SetItemState(m_hwnd, row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool CFavorListCtrl::IsRowSelected(int row) const {
    return (ListView_GetItemState(m_hwnd, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void CFavorListCtrl::SelectOnly(int row) {
    DeselectAll();
    ListView_SetItemState(m_hwnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m_hwnd, row, FALSE);
}

void CFavorListCtrl::SelectAll() { SelectRow(-1, true); }
void CFavorListCtrl::DeselectAll() { SelectRow(-1, false); }

void CFavorListCtrl::InvertSelection() {
    const int n = RowCount();
    for (int i = 0; i < n; ++i) SelectRow(i, !IsRowSelected(i));
}

void CFavorListCtrl::SelectFirst() {
    if (RowCount() == 0) return;
    ListView_SetItemState(m_hwnd, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m_hwnd, 0, FALSE);
}

// Up in the search box: the first selected row that has a row above it hands its
// selection up; without one the selection wraps round to the last row.
void CFavorListCtrl::SelectPrevious() {
    const int n = RowCount();
    if (n == 0) return;
    for (int i = 1; i < n; ++i) {
        if (!IsRowSelected(i)) continue;
        SelectRow(i, false);
        ListView_SetItemState(m_hwnd, i - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(m_hwnd, i - 1, FALSE);
        return;
    }
    SelectOnly(n - 1);
}

// Down in the search box: the mirror image, wrapping round to row 0.
void CFavorListCtrl::SelectNext() {
    const int n = RowCount();
    if (n == 0) return;
    for (int i = 0; i + 1 < n; ++i) {
        if (!IsRowSelected(i)) continue;
        SelectRow(i, false);
        ListView_SetItemState(m_hwnd, i + 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(m_hwnd, i + 1, FALSE);
        return;
    }
    SelectOnly(0);
}

// ---- sorting ----

void CFavorListCtrl::OnHeaderClick(int column) {
    if (!ValidColumn(column)) return;
    SetFocus(m_hwnd);
    if (column == m_sortColumn) m_ascending = !m_ascending;
    else {
        m_sortColumn = column;
        m_ascending = true;
    }
    SortByColumn(m_sortColumn, m_ascending);
}

void CFavorListCtrl::SortByCommand(int column) {
    if (!ValidColumn(column)) return;
    m_sortColumn = column;
    SortByColumn(column, m_ascending);
}

void CFavorListCtrl::SortByColumn(int column, bool ascending) {
    if (!ValidColumn(column)) return;
    m_sortColumn = column;
    m_ascending = ascending;
    // With every row selected, or none, the selection does not move with the rows.
    const int selected = SelectedCount();
    const bool moveSelection = selected > 0 && selected < RowCount();
    Selection kept = TakeSelection();
    if (moveSelection) DeselectAll();
    else kept.selected.clear();
    m_rows.Sort(column, ascending);
    RestoreSelection(kept);
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
    ShowSortArrow(column, ascending);
}

void CFavorListCtrl::ShowSortArrow(int column, bool ascending) const {
    HWND header = Header();
    if (!header) return;
    HBITMAP arrow = ascending ? m_arrowAscending.get() : m_arrowDescending.get();
    const int n = Header_GetItemCount(header);
    for (int i = 0; i < n; ++i) {
        HDITEMW hd{};
        hd.mask = HDI_FORMAT | HDI_BITMAP;
        if (!Header_GetItem(header, i, &hd)) continue;
        const HDITEMW before = hd;
        hd.fmt &= ~(HDF_BITMAP | HDF_BITMAP_ON_RIGHT | HDF_SORTUP | HDF_SORTDOWN);
        hd.hbm = nullptr;
        if (i == column) {
            if (arrow) {
                hd.fmt |= HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
                hd.hbm = arrow;
            } else {  // no arrow bitmaps in the resources: the header's own arrows
                hd.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
            }
        }
        // Every refill clears the arrows: a header left as it was is not repainted.
        if (hd.fmt != before.fmt || hd.hbm != before.hbm) Header_SetItem(header, i, &hd);
    }
}

LRESULT CFavorListCtrl::OnColumnClick(const fw::Msg& m) {
    OnHeaderClick(reinterpret_cast<const NMLISTVIEW*>(m.lp)->iSubItem);
    return 0;
}

// ---- columns ----

std::vector<int> CFavorListCtrl::DisplayOrder() const {
    std::vector<int> order(kColumnCount);
    if (!m_hwnd || !ListView_GetColumnOrderArray(m_hwnd, kColumnCount, order.data()))
        for (int i = 0; i < kColumnCount; ++i) order[i] = i;
    return order;
}

void CFavorListCtrl::ApplyColumnOrder(const std::vector<int>& order) const {
    std::vector<int> copy = order;
    ListView_SetColumnOrderArray(m_hwnd, static_cast<int>(copy.size()), copy.data());
}

std::vector<bool> CFavorListCtrl::VisibleFlags() const {
    std::vector<bool> v(kColumnCount);
    for (int i = 0; i < kColumnCount; ++i) v[i] = m_columns[i].visible;
    return v;
}

void CFavorListCtrl::SetColumnVisible(int column, bool visible) {
    if (column <= 0 || column >= kColumnCount || m_columns[column].visible == visible) return;  // Name stays
    RedrawOff redraw(m_hwnd);
    ColumnState& state = m_columns[column];
    std::vector<int> order = DisplayOrder();
    if (!visible) {
        state.savedWidth = ListView_GetColumnWidth(m_hwnd, column);
        state.savedPosition = PositionOf(order, column);
        ListView_SetColumnWidth(m_hwnd, column, 0);  // while still visible: allowed
        state.visible = false;
        order = OrderAfterHide(order, column);
    } else {
        state.visible = true;
        order = OrderAfterShow(order, VisibleFlags(), column, state.savedPosition);
    }
    ApplyColumnOrder(NameFirstVisible(order, VisibleFlags()));
    if (visible) ListView_SetColumnWidth(m_hwnd, column, state.savedWidth);
}

void CFavorListCtrl::AutoSizeColumns() {
    for (int i = 0; i < kColumnCount; ++i)
        if (m_columns[i].visible) ListView_SetColumnWidth(m_hwnd, i, LVSCW_AUTOSIZE);
}

LRESULT CFavorListCtrl::OnSetColumnWidth(const fw::Msg& m) {
    const int column = static_cast<int>(m.wp);
    if (ValidColumn(column) && !m_columns[column].visible) return FALSE;  // a hidden column keeps no width
    m.passOn = true;
    return 0;
}

LRESULT CFavorListCtrl::OnKeyDown(const fw::Msg& m) {
    if (m.wp == VK_ADD && (GetKeyState(VK_CONTROL) & 0x8000)) {
        AutoSizeColumns();
        return 0;
    }
    m.passOn = true;
    return 0;
}

bool CFavorListCtrl::OnHeaderEndDrag(const NMHEADERW& nm) {
    if (!nm.pitem || !(nm.pitem->mask & HDI_ORDER)) return false;
    const std::vector<bool> visible = VisibleFlags();
    const int wanted = nm.pitem->iOrder;
    const int position = DropPosition(visible, nm.iItem, wanted);
    if (position == wanted) return false;  // the header places it itself
    ApplyColumnOrder(MoveColumn(DisplayOrder(), nm.iItem, position));
    return true;
}

LRESULT CFavorListCtrl::OnHeaderNotify(const fw::Msg& m) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(m.lp);
    if (!hdr || hdr->hwndFrom != Header()) {
        m.passOn = true;
        return 0;
    }
    if (hdr->code == NM_CUSTOMDRAW) {
        if (m_colours.Dark()) return DrawDarkHeader(*reinterpret_cast<NMCUSTOMDRAW*>(m.lp), m_sortColumn, m_ascending);
        m.passOn = true;
        return 0;
    }
    const auto& nm = *reinterpret_cast<const NMHEADERW*>(m.lp);
    const bool hidden = ValidColumn(nm.iItem) && !m_columns[nm.iItem].visible;
    switch (hdr->code) {
    case HDN_BEGINTRACKW: case HDN_BEGINTRACKA: case HDN_BEGINDRAG:
        if (hidden) return TRUE;  // no resizing or dragging of a hidden column
        break;
    case HDN_ITEMCHANGINGW: case HDN_ITEMCHANGINGA:
        if (hidden && nm.pitem && (nm.pitem->mask & HDI_WIDTH) && nm.pitem->cxy != 0) return TRUE;
        break;
    case HDN_DIVIDERDBLCLICKW: case HDN_DIVIDERDBLCLICKA:
        if (!hidden && ValidColumn(nm.iItem)) ListView_SetColumnWidth(m_hwnd, nm.iItem, LVSCW_AUTOSIZE);
        return 0;
    case HDN_ENDDRAG:
        if (OnHeaderEndDrag(nm)) return TRUE;
        break;
    case NM_RCLICK: {
        const DWORD pos = GetMessagePos();
        ShowHeaderMenu(POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))});
        return TRUE;
    }
    default:
        break;
    }
    m.passOn = true;
    return 0;
}

fw::OwnedMenu CFavorListCtrl::BuildHeaderMenu() const {
    fw::OwnedMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    for (int i = 0; i < kColumnCount; ++i) {
        UINT flags = MF_STRING | (m_columns[i].visible ? MF_CHECKED : MF_UNCHECKED);
        if (i == 0) flags |= MF_GRAYED;
        AppendMenuW(menu.get(), flags, kColumns[i].command, kColumns[i].title);
    }
    return menu;
}

void CFavorListCtrl::ShowHeaderMenu(POINT screen) const {
    fw::OwnedMenu menu = BuildHeaderMenu();
    if (!menu) return;
    COwnerDrawnMenu dark;
    if (m_colours.Dark()) dark.Adopt(menu.get(), false, fw::WindowDpi(m_hwnd));
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                            screen.x, screen.y, m_hwnd, nullptr));
    // The window toggles the column and refreshes its View menu, as for the menu bar.
    if (command != 0)
        if (HWND parent = GetParent(m_hwnd)) SendMessageW(parent, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void CFavorListCtrl::UpdateViewMenuChecks(HMENU menu) const {
    if (!menu) return;
    for (int i = 0; i < kColumnCount; ++i) {
        CheckMenuItem(menu, kColumns[i].command, MF_BYCOMMAND | (m_columns[i].visible ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(menu, kColumns[i].sortCommand, MF_BYCOMMAND | (i == m_sortColumn ? MF_CHECKED : MF_UNCHECKED));
    }
    EnableMenuItem(menu, IDM_COLUMN_NAME, MF_BYCOMMAND | MF_GRAYED);
    CheckMenuItem(menu, IDM_ORDER_ASC, MF_BYCOMMAND | (m_ascending ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, IDM_ORDER_DESC, MF_BYCOMMAND | (m_ascending ? MF_UNCHECKED : MF_CHECKED));
}

// The header menu's entries while they are drawn dark.
LRESULT CFavorListCtrl::OnMenuItem(const fw::Msg& m) {
    const bool ours = m.wp == 0 && (m.id == WM_MEASUREITEM
                                        ? BCMenu::OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(m.lp))
                                        : BCMenu::OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(m.lp)));
    m.passOn = !ours;
    return ours;
}
