#include "ui/dialogs/CCleanupDlg.h"
#include "framework/Seams.h"
#include "framework/WindowDpi.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/MainTexts.h"
#include <commctrl.h>
#include <algorithm>

const fw::MapEntry<CCleanupDlg> CCleanupDlg::kMap[] = {
    fw::OnMessage(WM_DPICHANGED, &Self::OnDpiChanged),
    fw::OnNotify(IDC_CLEAN_LIST, LVN_GETDISPINFOW, &Self::OnGetDispInfo),
    fw::OnNotify(IDC_CLEAN_LIST, LVN_ITEMCHANGED, &Self::OnSelectionChanged),
    fw::OnNotify(IDC_CLEAN_LIST, LVN_ODSTATECHANGED, &Self::OnSelectionChanged),
    fw::OnNotify(IDC_CLEAN_LIST, NM_DBLCLK, &Self::OnOpen),
    fw::OnCommand(IDC_CLEAN_DELETE, &Self::OnDelete),
    fw::OnCommand(IDC_CLEAN_OPEN, &Self::OnOpen),
    fw::OnCommand(IDC_CLEAN_SHOW, &Self::OnShowInFolder),
};
bool CCleanupDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CDialog::Dispatch(m, result);
}

CCleanupDlg::CCleanupDlg(UINT templateId, ICleanupActions& actions) : CDialog(templateId), m_actions(actions) {}

BOOL CCleanupDlg::OnInitDialog() {
    HWND list = Item(IDC_CLEAN_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const std::vector<Column> columns = Columns();
    const int dpi = m_dpi = fw::WindowDpi(m_hwnd);  // the widths are given at 96 pixels per inch
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<wchar_t*>(columns[i].title);
        c.cx = fw::ScaleToDpi(columns[i].width, dpi);
        ListView_InsertColumn(list, static_cast<int>(i), &c);
    }
    ShowRows();
    return TRUE;
}

// The dialog manager scales the dialog for a monitor of another scale; the list's
// columns, in pixels, follow here.
LRESULT CCleanupDlg::OnDpiChanged(const fw::Msg& m) {
    const int dpi = LOWORD(m.wp);
    HWND list = Item(IDC_CLEAN_LIST);
    if (dpi > 0 && m_dpi > 0)
        for (int c = 0; c < Header_GetItemCount(ListView_GetHeader(list)); ++c)
            ListView_SetColumnWidth(list, c, MulDiv(ListView_GetColumnWidth(list, c), dpi, m_dpi));
    if (dpi > 0) m_dpi = dpi;
    m.passOn = true;
    return 0;
}

void CCleanupDlg::ShowRows() {
    HWND list = Item(IDC_CLEAN_LIST);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(list, static_cast<int>(m_rows.size()), 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateButtons();
}

std::vector<size_t> CCleanupDlg::SelectedRows() const {
    std::vector<size_t> rows;
    HWND list = Item(IDC_CLEAN_LIST);
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(list, i, LVNI_SELECTED))
        if (static_cast<size_t>(i) < m_rows.size()) rows.push_back(static_cast<size_t>(i));
    return rows;
}

void CCleanupDlg::SelectRows(const std::vector<size_t>& rows) {
    HWND list = Item(IDC_CLEAN_LIST);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (size_t r : rows) ListView_SetItemState(list, static_cast<int>(r), LVIS_SELECTED, LVIS_SELECTED);
    UpdateButtons();
}

void CCleanupDlg::RemoveRows(const std::vector<size_t>& rows) {
    std::vector<size_t> sorted = rows;
    std::sort(sorted.rbegin(), sorted.rend());
    for (size_t r : sorted)
        if (r < m_rows.size()) m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(r));
}

void CCleanupDlg::UpdateButtons() {
    const size_t selected = SelectedRows().size();
    EnableItem(IDC_CLEAN_DELETE, selected > 0 && m_actions.CanChange());
    EnableItem(IDC_CLEAN_OPEN, selected > 0);
    EnableItem(IDC_CLEAN_SHOW, selected == 1);
}

LRESULT CCleanupDlg::OnGetDispInfo(const fw::Msg& m) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(m.lp);
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return 0;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_rows.size()) return 0;
    const std::wstring text = CellText(m_rows[static_cast<size_t>(item.iItem)], item.iSubItem);
    lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    return 0;
}

LRESULT CCleanupDlg::OnSelectionChanged(const fw::Msg&) {
    UpdateButtons();
    return 0;
}

LRESULT CCleanupDlg::OnDelete(const fw::Msg&) {
    const std::vector<size_t> selected = SelectedRows();
    if (selected.empty()) return 0;
    if (seams::MessageBox(m_hwnd, texts::DeleteFavorQuestion(selected.size()), texts::kDeleteFavorCaption,
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    std::vector<int> ids;
    for (size_t r : selected) ids.push_back(m_rows[r].favor.id);
    const size_t deleted = m_actions.DeleteFavors(ids);  // in row order: the first `deleted` rows went
    RemoveRows(std::vector<size_t>(selected.begin(), selected.begin() + static_cast<std::ptrdiff_t>(deleted)));
    RowsDeleted();
    ShowRows();
    return 0;
}

LRESULT CCleanupDlg::OnOpen(const fw::Msg&) {
    for (size_t r : SelectedRows()) {
        FavorRecord& favor = m_rows[r].favor;
        if (!m_actions.Open(favor)) continue;  // not counted: the row keeps what the store holds
        ++favor.hits;                          // what the store now holds, as the favorites list shows it
        favor.lastHit = CFavorStore::CurrentTimeText();
        ListView_RedrawItems(Item(IDC_CLEAN_LIST), static_cast<int>(r), static_cast<int>(r));
    }
    return 0;
}

LRESULT CCleanupDlg::OnShowInFolder(const fw::Msg&) {
    const std::vector<size_t> selected = SelectedRows();
    if (selected.size() == 1) m_actions.ShowInFolder(m_rows[selected[0]].favor);
    return 0;
}
