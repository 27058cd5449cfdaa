#include "ui/CCleanupCommands.h"
#include "edits/FavorEdits.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "store/LocationText.h"
#include "ui/CFavorActions.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/CleanupLogic.h"
#include "ui/StoreProblems.h"
#include "ui/WaitCursor.h"
#include "ui/dialogs/CDuplicatesDlg.h"
#include "ui/dialogs/CFavorDlg.h"
#include "ui/dialogs/CLinkCheckDlg.h"

namespace {

constexpr wchar_t kCleanUpDelete[] = L"Clean Up Delete";
constexpr wchar_t kReplaceLocation[] = L"Replace Location";
constexpr wchar_t kReplaceLocations[] = L"Replace Locations";

std::wstring PathIn(const CFolderTreeCtrl& tree, int folderId) {
    return FolderPathText([&tree](int id) { return tree.FindFolder(id); }, folderId);
}

void CollectFolderIds(const FolderRecord& folder, std::vector<int>& ids) {
    ids.push_back(folder.id);
    for (const auto& sub : folder.subfolders) CollectFolderIds(*sub, ids);
}

}  // namespace

const fw::MapEntry<CCleanupCommands> CCleanupCommands::kMap[] = {
    fw::OnCommand(IDM_FIND_DUPLICATES, &Self::OnFindDuplicates),
    fw::OnCommand(IDM_CHECK_LINKS, &Self::OnCheckLinks),
};
bool CCleanupCommands::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CCleanupCommands::CCleanupCommands(FavorEdits& edits, MainWindowState& state, CDetailsPane& details,
                                   CFolderTreeCtrl& tree, CFavorListCtrl& list, CFavorActions& favors)
    : CPaneCommands(edits, state, details, tree, list), m_favors(favors) {}

LRESULT CCleanupCommands::OnFindDuplicates(const fw::Msg&) {
    std::vector<CleanupRow> rows;
    {
        WaitCursor wait;
        std::vector<FavorRecord> found;
        std::vector<size_t> sizes;
        if (!m_store.FindDuplicates(found, sizes)) {  // not "no duplicates": the answer is unknown
            TellReadFailed(m_dialog, m_store);
            return 0;
        }
        size_t next = 0;
        for (size_t g = 0; g < sizes.size(); ++g)
            for (size_t k = 0; k < sizes[g] && next < found.size(); ++k, ++next) {
                CleanupRow row;
                row.favor = std::move(found[next]);
                row.folder = FolderPath(row.favor.pid);
                row.group = static_cast<int>(g);
                rows.push_back(std::move(row));
            }
    }
    CDuplicatesDlg dlg(*this, std::move(rows));
    dlg.DoModal(m_dialog);
    return 0;
}

LRESULT CCleanupCommands::OnCheckLinks(const fw::Msg&) {
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    CLinkCheckDlg dlg(*this, folder ? folder->id : 0);
    dlg.DoModal(m_dialog);
    return 0;
}

std::wstring CCleanupCommands::FolderPath(int folderId) const { return PathIn(m_tree, folderId); }

bool CCleanupCommands::LoadFavors(int folderId, bool withSubfolders, std::vector<FavorRecord>& favors) {
    std::vector<int> ids{folderId};
    const FolderRecord* folder = m_tree.FindFolder(folderId);
    if (withSubfolders && folder) {
        ids.clear();
        CollectFolderIds(*folder, ids);
    }
    favors.clear();
    for (int id : ids) {
        if (!m_store.LoadFavors(id, favors)) {
            TellReadFailed(m_dialog, m_store);
            return false;
        }
    }
    return true;
}

bool CCleanupCommands::CanChange() const { return !m_state.readOnly; }

// All of them or none.
size_t CCleanupCommands::DeleteFavors(const std::vector<int>& ids) {
    if (m_state.readOnly || ids.empty()) return 0;
    bool deleted = false;
    {
        WaitCursor wait;
        deleted = m_edits.DeleteFavors(ids, kCleanUpDelete, EditKind::Cleanup);
    }
    if (!deleted) TellSaveFailed(m_dialog, m_store);
    return deleted ? ids.size() : 0;
}

bool CCleanupCommands::Open(const FavorRecord& favor) { return m_favors.Launch({favor}) == 1; }

void CCleanupCommands::ShowInFolder(const FavorRecord& favor) {
    const FolderRecord* selected = m_tree.GetSelectedFolder();
    // With search results shown, the folder already selected has to be listed again.
    if (selected && selected->id == favor.pid && m_state.searchMode) TreeView_SelectItem(m_tree.Hwnd(), nullptr);
    m_tree.SelectFolder(favor.pid);
    m_list.SelectRowOf(favor.id);
}

bool CCleanupCommands::ReplaceLocations(const std::vector<FavorRecord>& given) {
    if (m_state.readOnly) return false;
    std::vector<FavorRecord> favors = given;  // servers' Location headers, as a browser would read them
    for (FavorRecord& favor : favors) favor.location = CleanLocation(favor.location).value_or(std::wstring());
    if (!m_edits.ChangeFavors(favors, favors.size() == 1 ? kReplaceLocation : kReplaceLocations, EditKind::Cleanup)) {
        TellSaveFailed(m_dialog, m_store);
        return false;
    }
    return true;
}

void WarnOfDuplicates(CFavorDlg& dlg, CFavorStore& store, const CFolderTreeCtrl& tree) {
    dlg.confirmAdd = [&store, &tree](const std::wstring& location) {
        std::vector<FavorRecord> same;
        if (!store.FindSameLocation(location, same)) return UncheckedDuplicateQuestion(store.LastError());
        return same.empty() ? std::wstring() : DuplicateQuestionText(same[0].name, PathIn(tree, same[0].pid));
    };
}
