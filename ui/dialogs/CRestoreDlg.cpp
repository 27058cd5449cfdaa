#include "ui/dialogs/CRestoreDlg.h"
#include "framework/WindowDpi.h"
#include "res/resource.h"
#include "ui/WaitCursor.h"
#include <commctrl.h>
#include <iterator>

namespace {

struct Column {
    const wchar_t* title;
    int width;  // at 96 pixels per inch
    int format;
};
const Column kColumns[] = {
    {L"Date and time", 130, LVCFMT_LEFT},
    {L"Reason", 110, LVCFMT_LEFT},
    {L"Folders", 60, LVCFMT_RIGHT},
    {L"Favorites", 70, LVCFMT_RIGHT},
};

}  // namespace

const fw::MapEntry<CRestoreDlg> CRestoreDlg::kMap[] = {
    fw::OnNotify(IDC_RESTORE_LIST, LVN_ITEMCHANGED, &Self::OnSelectionChanged),
    fw::OnNotify(IDC_RESTORE_LIST, NM_DBLCLK, &Self::OnRestore),
    fw::OnCommand(IDC_RESTORE_DO, &Self::OnRestore),
    fw::OnCommand(IDC_RESTORE_OPEN_FOLDER, &Self::OnOpenFolder),
};
bool CRestoreDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CDialog::Dispatch(m, result);
}

CRestoreDlg::CRestoreDlg(IRestoreActions& actions) : CDialog(IDD_RESTORE), m_actions(actions) {}

BOOL CRestoreDlg::OnInitDialog() {
    HWND list = Item(IDC_RESTORE_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const int dpi = fw::WindowDpi(m_hwnd);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.pszText = const_cast<wchar_t*>(kColumns[i].title);
        c.cx = fw::ScaleToDpi(kColumns[i].width, dpi);
        c.fmt = kColumns[i].format;
        ListView_InsertColumn(list, i, &c);
    }
    ShowCopies();
    return TRUE;
}

void CRestoreDlg::ShowCopies() {
    WaitCursor wait;
    m_rows.clear();
    for (BackupEntry& copy : m_actions.Copies()) {
        Row row{std::move(copy)};
        row.counted = CountFavors(row.copy.path, row.counts);
        m_rows.push_back(std::move(row));
    }
    HWND list = Item(IDC_RESTORE_LIST);
    ListView_DeleteAllItems(list);
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        const Row& row = m_rows[static_cast<size_t>(i)];
        const std::wstring cells[] = {
            StampText(row.copy.name.stamp), ReasonText(row.copy.name.reason),
            row.counted ? std::to_wstring(row.counts.folders) : L"-",
            row.counted ? std::to_wstring(row.counts.favors) : L"-"};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(cells[0].c_str());
        ListView_InsertItem(list, &item);
        for (int c = 1; c < static_cast<int>(std::size(cells)); ++c)
            ListView_SetItemText(list, i, c, const_cast<wchar_t*>(cells[c].c_str()));
    }
    if (!m_rows.empty()) ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnableItem(IDC_RESTORE_DO, SelectedRow() >= 0 && m_actions.CanRestore());
}

int CRestoreDlg::SelectedRow() const {
    const int at = ListView_GetNextItem(Item(IDC_RESTORE_LIST), -1, LVNI_SELECTED);
    return at >= 0 && at < static_cast<int>(m_rows.size()) ? at : -1;
}

LRESULT CRestoreDlg::OnSelectionChanged(const fw::Msg&) {
    EnableItem(IDC_RESTORE_DO, SelectedRow() >= 0 && m_actions.CanRestore());
    return 0;
}

LRESULT CRestoreDlg::OnRestore(const fw::Msg&) {
    const int at = SelectedRow();
    if (at < 0 || !m_actions.CanRestore()) return 0;
    const Row& row = m_rows[static_cast<size_t>(at)];
    if (m_actions.Restore(m_hwnd, row.copy, row.counts)) ShowCopies();  // the "Before restore" copy joins the list
    return 0;
}

LRESULT CRestoreDlg::OnOpenFolder(const fw::Msg&) {
    m_actions.OpenFolder();
    return 0;
}
