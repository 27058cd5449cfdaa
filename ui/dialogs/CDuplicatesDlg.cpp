#include "ui/dialogs/CDuplicatesDlg.h"
#include "res/resource.h"
#include "ui/CleanupLogic.h"
#include <set>

const fw::MapEntry<CDuplicatesDlg> CDuplicatesDlg::kMap[] = {
    fw::OnCommand(IDC_DUP_SELECT_EXTRA, &Self::OnSelectExtra),
};
bool CDuplicatesDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CCleanupDlg::Dispatch(m, result);
}

CDuplicatesDlg::CDuplicatesDlg(ICleanupActions& actions, std::vector<CleanupRow> rows)
    : CCleanupDlg(IDD_DUPLICATES, actions) {
    m_rows = std::move(rows);
}

BOOL CDuplicatesDlg::OnInitDialog() {
    CCleanupDlg::OnInitDialog();
    ShowStatus();
    return TRUE;
}

std::vector<CCleanupDlg::Column> CDuplicatesDlg::Columns() const {
    return {{L"Name", 160}, {L"Folder", 120}, {L"Visit Count", 80}, {L"Last Visit", 130}, {L"Location", 200}};
}

std::wstring CDuplicatesDlg::CellText(const CleanupRow& row, int column) const {
    switch (column) {
    case 0: return row.favor.name;
    case 1: return row.folder;
    case 2: return std::to_wstring(row.favor.hits);
    case 3: return row.favor.lastHit;
    case 4: return row.favor.location;
    default: return {};
    }
}

void CDuplicatesDlg::RowsDeleted() {
    DropLoneRows(m_rows);  // a favorite left alone is no duplicate any more
    ShowStatus();
}

void CDuplicatesDlg::ShowStatus() const {
    std::set<int> groups;
    for (const CleanupRow& r : m_rows) groups.insert(r.group);
    SetItemText(IDC_CLEAN_STATUS, m_rows.empty() ? std::wstring(L"No two favorites share a location.")
                                                 : std::to_wstring(m_rows.size()) + L" favorites share " +
                                                       std::to_wstring(groups.size()) + L" locations.");
    EnableItem(IDC_DUP_SELECT_EXTRA, !m_rows.empty());
}

LRESULT CDuplicatesDlg::OnSelectExtra(const fw::Msg&) {
    SelectRows(AllButMostVisited(m_rows));
    SetFocus(Item(IDC_CLEAN_LIST));
    return 0;
}
