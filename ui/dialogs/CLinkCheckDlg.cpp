#include "ui/dialogs/CLinkCheckDlg.h"
#include "app/AppMessages.h"
#include "browser/CLinkChecker.h"
#include "res/resource.h"
#include <commctrl.h>

namespace {

// How long closing the dialog waits for the threads of a cancelled check.
constexpr DWORD kStopWaitMs = 1000;

}  // namespace

const fw::MapEntry<CLinkCheckDlg> CLinkCheckDlg::kMap[] = {
    fw::OnMessage(WM_LINK_CHECKED, &Self::OnChecked),
    fw::OnMessage(WM_LINK_CHECK_DONE, &Self::OnDone),
    fw::OnCommand(IDC_LINKS_START, &Self::OnStart),
    fw::OnCommand(IDC_LINKS_STOP, &Self::OnStop),
    fw::OnCommand(IDC_LINKS_REPLACE, &Self::OnReplace),
};
bool CLinkCheckDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CCleanupDlg::Dispatch(m, result);
}

CLinkCheckDlg::CLinkCheckDlg(ICleanupActions& actions, int folderId)
    : CCleanupDlg(IDD_LINK_CHECK, actions), m_folderId(folderId) {}

CLinkCheckDlg::~CLinkCheckDlg() { Stop(true); }

BOOL CLinkCheckDlg::OnInitDialog() {
    CCleanupDlg::OnInitDialog();
    SetItemText(IDC_LINKS_FOLDER, m_actions.FolderPath(m_folderId));
    SetItemText(IDC_CLEAN_STATUS, L"Check asks every web location of the folder whether it still answers.");
    SetFocus(Item(IDC_LINKS_START));
    return FALSE;  // the focus is set
}

std::vector<CCleanupDlg::Column> CLinkCheckDlg::Columns() const {
    return {{L"Name", 150}, {L"Folder", 110}, {L"Outcome", 130}, {L"Location", 165}, {L"New Location", 165}};
}

std::wstring CLinkCheckDlg::CellText(const CleanupRow& row, int column) const {
    switch (column) {
    case 0: return row.favor.name;
    case 1: return row.folder;
    case 2: return row.outcome;
    case 3: return row.favor.location;
    case 4: return row.newLocation;
    default: return {};
    }
}

void CLinkCheckDlg::UpdateButtons() {
    CCleanupDlg::UpdateButtons();
    bool moved = false;
    for (size_t r : SelectedRows()) moved = moved || !m_rows[r].newLocation.empty();
    EnableItem(IDC_LINKS_REPLACE, moved && m_actions.CanChange());
}

void CLinkCheckDlg::ShowRunning(bool running) {
    m_running = running;
    EnableItem(IDC_LINKS_START, !running);
    EnableItem(IDC_LINKS_SUBFOLDERS, !running);
    EnableItem(IDC_LINKS_STOP, running);
    SetFocus(Item(running ? IDC_LINKS_STOP : IDC_LINKS_START));
}

void CLinkCheckDlg::ShowProgress(const wchar_t* end) const {
    const int total = static_cast<int>(m_asked.size());
    SendDlgItemMessageW(m_hwnd, IDC_LINKS_PROGRESS, PBM_SETRANGE32, 0, total > 0 ? total : 1);
    SendDlgItemMessageW(m_hwnd, IDC_LINKS_PROGRESS, PBM_SETPOS, m_checked, 0);
    std::wstring text = L"Checked " + std::to_wstring(m_checked) + L" / " + std::to_wstring(total) + L", skipped " +
                        std::to_wstring(m_skipped) + L" (not http or https)";
    if (end) text += end;
    SetItemText(IDC_CLEAN_STATUS, text);
}

// The end of a finished check's status: how many favorites are still listed.
void CLinkCheckDlg::ShowNotOk() const {
    const std::wstring end = L": " + std::to_wstring(m_rows.size()) + L" not OK.";
    ShowProgress(end.c_str());
}

void CLinkCheckDlg::RowsDeleted() {
    if (m_finished) ShowNotOk();
}

LRESULT CLinkCheckDlg::OnStart(const fw::Msg&) {
    Stop(false);
    m_finished = false;
    m_rows.clear();
    m_asked.clear();
    m_checked = m_skipped = 0;
    const bool withSubfolders = IsDlgButtonChecked(m_hwnd, IDC_LINKS_SUBFOLDERS) == BST_CHECKED;
    std::vector<FavorRecord> favors;
    if (!m_actions.LoadFavors(m_folderId, withSubfolders, favors)) {
        ShowRows();
        ShowProgress(L": the favorites could not be read.");
        return 0;
    }
    std::vector<std::wstring> locations;
    for (FavorRecord& f : favors) {
        if (!IsWebLocation(f.location)) {
            ++m_skipped;
            continue;
        }
        locations.push_back(f.location);
        m_asked.push_back(std::move(f));
    }
    ShowRows();
    const WPARAM run = ++m_run;
    HWND self = m_hwnd;  // the threads hold the window's handle, never this object
    m_checker = CLinkChecker::Start(
        std::move(locations), CLinkChecker::Defaults(),
        [self, run](const LinkCheckResult& r) { SendMessageW(self, WM_LINK_CHECKED, run, reinterpret_cast<LPARAM>(&r)); },
        [self, run] { PostMessageW(self, WM_LINK_CHECK_DONE, run, 0); });
    if (!m_checker) {
        ShowProgress(L": the check could not start.");
        return 0;
    }
    ShowRunning(true);
    ShowProgress();
    return 0;
}

LRESULT CLinkCheckDlg::OnChecked(const fw::Msg& m) {
    const auto* r = reinterpret_cast<const LinkCheckResult*>(m.lp);
    if (m.wp != m_run || !m_running || !r || r->index < 0 || static_cast<size_t>(r->index) >= m_asked.size())
        return 0;
    ++m_checked;
    if (r->outcome != LinkOutcome::Ok) {
        CleanupRow row;
        row.favor = m_asked[static_cast<size_t>(r->index)];
        row.folder = m_actions.FolderPath(row.favor.pid);
        row.outcome = OutcomeText(*r);
        row.newLocation = r->newLocation;
        const std::vector<size_t> selected = SelectedRows();
        m_rows.push_back(std::move(row));
        ListView_SetItemCountEx(Item(IDC_CLEAN_LIST), static_cast<int>(m_rows.size()), LVSICF_NOSCROLL);
        SelectRows(selected);
    }
    ShowProgress();
    return 0;
}

LRESULT CLinkCheckDlg::OnDone(const fw::Msg& m) {
    if (m.wp != m_run || !m_running) return 0;
    ShowRunning(false);
    m_finished = true;
    ShowNotOk();
    return 0;
}

void CLinkCheckDlg::Stop(bool wait) {
    if (!m_checker) return;
    const bool wasRunning = m_running;
    m_running = false;  // a result still under way is dropped
    m_checker->Cancel();
    // A thread still blocked in a request ends on its own when the request gives up; it
    // holds its share of the checker and reports nothing.
    if (wait) m_checker->Wait(kStopWaitMs);
    m_checker.reset();
    if (wasRunning && m_hwnd) {
        ShowRunning(false);
        ShowProgress(L": cancelled, nothing was changed.");
    }
}

LRESULT CLinkCheckDlg::OnStop(const fw::Msg&) {
    Stop(false);
    return 0;
}

void CLinkCheckDlg::OnCancel() {
    Stop(true);
    CCleanupDlg::OnCancel();
}

LRESULT CLinkCheckDlg::OnReplace(const fw::Msg&) {
    std::vector<size_t> replaced;
    std::vector<FavorRecord> changed;
    for (size_t r : SelectedRows()) {
        const CleanupRow& row = m_rows[r];
        if (row.newLocation.empty()) continue;
        changed.push_back(row.favor);
        changed.back().location = row.newLocation;
        replaced.push_back(r);
    }
    if (changed.empty() || !m_actions.ReplaceLocations(changed)) return 0;  // the user was told; the rows stay
    RemoveRows(replaced);  // they answer OK now
    ShowRows();
    RowsDeleted();
    return 0;
}
