#include "ui/CFavorActions.h"
#include "edits/FavorEdits.h"
#include "framework/CWnd.h"
#include "framework/Owned.h"
#include "framework/Seams.h"
#include "framework/ColourScheme.h"
#include "framework/WindowDpi.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "store/LocationText.h"
#include "ui/CCleanupCommands.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/MainTexts.h"
#include "ui/OpenFavor.h"
#include "ui/StoreProblems.h"
#include "ui/WaitCursor.h"
#include "ui/widgets/BCMenu.h"
#include "ui/dialogs/CFavorDlg.h"
#include <algorithm>

namespace {
constexpr wchar_t kNewFavorite[] = L"New Favorite";
constexpr wchar_t kEditFavorite[] = L"Edit Favorite";
constexpr wchar_t kRenameFolder[] = L"Rename Folder";
constexpr wchar_t kDeleteFavorite[] = L"Delete Favorite";
constexpr wchar_t kDeleteFavorites[] = L"Delete Favorites";
}  // namespace

const fw::MapEntry<CFavorActions> CFavorActions::kMap[] = {
    fw::OnNotify(IDC_FAVOR_LIST, LVN_ITEMCHANGED, &Self::OnSelectionChanged),
    fw::OnNotify(IDC_FAVOR_LIST, LVN_ODSTATECHANGED, &Self::OnRangeSelectionChanged),
    fw::OnNotify(IDC_FAVOR_LIST, NM_DBLCLK, &Self::OnLaunch),
    fw::OnNotify(IDC_FAVOR_LIST, NM_RCLICK, &Self::OnListMenu),
    fw::OnNotify(IDC_FOLDER_TREE, TVN_SELCHANGEDW, &Self::OnListRefilled),
    fw::OnCommand(IDC_SAVE_DETAILS, &Self::OnSave),
    fw::OnCommand(IDC_FAVOR_NEW, &Self::OnNew),
    fw::OnCommand(IDM_FILE_NEW_FAVORITE, &Self::OnNew),
    fw::OnCommand(IDM_ADD_FAVORITE, &Self::OnNew),
    fw::OnCommand(IDM_TRAY_ADD, &Self::OnNew),
    fw::OnCommand(IDC_FAVOR_EDIT, &Self::OnEdit),
    fw::OnCommand(IDM_EDIT_FAVORITE, &Self::OnEdit),
    fw::OnCommand(IDM_LIST_EDIT, &Self::OnEdit),
    fw::OnCommand(IDC_FAVOR_DELETE, &Self::OnDelete),
    fw::OnCommand(IDM_DELETE_FAVORITES, &Self::OnDelete),
    fw::OnCommand(IDM_LIST_DELETE, &Self::OnDelete),
    fw::OnCommand(IDM_LIST_LAUNCH, &Self::OnLaunch),
    fw::OnCommand(IDC_SEARCH_EDIT, EN_CHANGE, &Self::OnSearch),
    fw::OnCommand(IDC_SEARCH_BUTTON, &Self::OnSearch),
};
bool CFavorActions::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

// Only changes of the selection matter; text changes while the list fills do not.
LRESULT CFavorActions::OnSelectionChanged(const fw::Msg& m) {
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(m.lp);
    if (m_refilling || !(nm->uChanged & LVIF_STATE) || !((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED)) return 0;
    SelectionChanged();
    return 0;
}

// A range of rows changed at once (shift-click, shift-arrow in the virtual list).
LRESULT CFavorActions::OnRangeSelectionChanged(const fw::Msg& m) {
    const auto* nm = reinterpret_cast<const NMLVODSTATECHANGE*>(m.lp);
    if (!m_refilling && ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED)) SelectionChanged();
    return 0;
}

// A folder was chosen and the list refilled, without a row notification: no row is selected.
LRESULT CFavorActions::OnListRefilled(const fw::Msg&) {
    if (m_state.isBrowser) EnableFavorCommands(false);
    return 0;
}

void CFavorActions::SelectionChanged() {
    m_state.detailsKind = DetailsKind::None;
    if (const FavorRecord* one = m_list.GetSingleSelectedFavor()) {
        ShowDetailsOf(*one);
        m_state.detailsKind = DetailsKind::Favor;
    }
    if (m_state.isBrowser) UpdateFavorStates(false);
}

void CFavorActions::ShowDetailsOf(const FavorRecord& record) const {
    SetDlgItemTextW(m_dialog, IDC_DETAIL_NAME, record.name.c_str());
    SetDlgItemTextW(m_dialog, IDC_DETAIL_LOCATION, record.location.c_str());
    SetDlgItemTextW(m_dialog, IDC_DETAIL_TAGS, record.tags.c_str());
    SetDlgItemTextW(m_dialog, IDC_DETAIL_HITS, std::to_wstring(record.hits).c_str());
    SetDlgItemTextW(m_dialog, IDC_DETAIL_LASTHIT, record.lastHit.c_str());
}

void CFavorActions::UpdateFavorStates(bool force) {
    EnableFavorCommands(force);
    // Never cached: the list may have been refilled since, and the folder's row shown.
    if (m_state.detailsExpanded)
        m_details.Show(m_list.SelectedCount() == 1 ? DetailsShown::All : DetailsShown::None);
}

void CFavorActions::EnableFavorCommands(bool force) {
    const int selected = std::min(m_list.SelectedCount(), 2);
    if (!force && selected == m_statesFor) return;  // SelectAll notifies once per row
    m_statesFor = selected;
    const auto menuState = [](bool on) { return MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED); };
    const bool editable = selected == 1 && !m_state.readOnly, deletable = selected >= 1 && !m_state.readOnly;
    EnableWindow(GetDlgItem(m_dialog, IDC_FAVOR_EDIT), editable);
    EnableMenuItem(m_state.menuBar, IDM_EDIT_FAVORITE, menuState(editable));
    EnableWindow(GetDlgItem(m_dialog, IDC_FAVOR_DELETE), deletable);
    EnableMenuItem(m_state.menuBar, IDM_DELETE_FAVORITES, menuState(deletable));
    EnableMenuItem(m_state.menuBar, IDM_EDIT_COPY, menuState(selected >= 1));
    EnableMenuItem(m_state.menuBar, IDM_EDIT_CUT, menuState(deletable));
}

void CFavorActions::Tip(const wchar_t* text, int focusId) const {
    seams::MessageBox(m_dialog, text, texts::kTipCaption, MB_OK | MB_ICONINFORMATION);
    SetFocus(GetDlgItem(m_dialog, focusId));
}

// A change the store refuses leaves the pane showing what is stored.
void CFavorActions::SaveDetails() {
    if (m_state.readOnly) return;
    const std::wstring name = fw::WindowText(GetDlgItem(m_dialog, IDC_DETAIL_NAME));
    if (m_state.detailsKind == DetailsKind::Folder) {
        const FolderRecord* folder = m_tree.GetSelectedFolder();
        if (!folder) return;
        if (name.empty()) return Tip(texts::kFolderNameEmpty, IDC_DETAIL_NAME);
        FolderRow changed = folder->Row();
        changed.name = name;
        if (!m_edits.ChangeFolder(changed, kRenameFolder)) {
            SetDlgItemTextW(m_dialog, IDC_DETAIL_NAME, folder->name.c_str());
            return TellSaveFailed(m_dialog, m_store);
        }
    } else if (m_state.detailsKind == DetailsKind::Favor) {
        const FavorRecord* selected = m_list.GetSingleSelectedFavor();
        if (!selected) return;
        // Stored as typed, less the tabs and line breaks a browser would drop as well.
        const std::wstring location =
            CleanLocation(fw::WindowText(GetDlgItem(m_dialog, IDC_DETAIL_LOCATION))).value_or(std::wstring());
        if (name.empty()) return Tip(texts::kFavorNameEmpty, IDC_DETAIL_NAME);
        if (location.empty()) return Tip(texts::kLocationEmpty, IDC_DETAIL_LOCATION);
        FavorRecord changed = *selected;
        changed.name = name;
        changed.location = location;
        changed.tags = fw::WindowText(GetDlgItem(m_dialog, IDC_DETAIL_TAGS));
        if (!m_edits.ChangeFavors({changed}, kEditFavorite)) {
            ShowDetailsOf(*selected);
            return TellSaveFailed(m_dialog, m_store);
        }
    }
}

void CFavorActions::NewFavorite() {
    if (m_state.readOnly) return;
    if (m_state.favorDlgOpen) {
        ShowWindow(m_dialog, SW_SHOW);
        SetForegroundWindow(m_dialog);
        return;
    }
    const FolderRecord* selected = m_tree.GetSelectedFolder();
    AddWithDialog(FavorRecord(), selected ? selected->id : 0, m_state.favorDlgOpen);
}

// The favorite is listed when the list shows the folder it went into.
void CFavorActions::AddWithDialog(const FavorRecord& proposed, int folderId, bool& dialogOpen) {
    CFavorDlg dlg;
    dlg.root = &m_tree.GetRootFolder();
    dlg.record.name = proposed.name;
    dlg.record.location = proposed.location;
    dlg.record.pid = folderId;
    WarnOfDuplicates(dlg, m_store, m_tree);
    dialogOpen = true;
    const bool ok = dlg.DoModal(m_dialog) == IDOK;
    dialogOpen = false;
    if (ok && !m_edits.AddFavor(dlg.record, kNewFavorite)) TellSaveFailed(m_dialog, m_store);
}

void CFavorActions::EditFavorite() {
    const FavorRecord* selected = m_list.GetSingleSelectedFavor();
    if (!selected || m_state.readOnly) return;
    CFavorDlg dlg;
    dlg.editMode = true;
    dlg.root = &m_tree.GetRootFolder();
    dlg.record = *selected;
    if (dlg.DoModal(m_dialog) != IDOK) return;
    if (!m_edits.ChangeFavors({dlg.record}, kEditFavorite)) TellSaveFailed(m_dialog, m_store);
}

void CFavorActions::DeleteFavorites() {
    std::vector<int> ids;
    for (const FavorRecord* f : m_list.GetSelectedFavors()) ids.push_back(f->id);
    if (ids.empty() || m_state.readOnly) return;
    if (seams::MessageBox(m_dialog, texts::DeleteFavorQuestion(ids.size()), texts::kDeleteFavorCaption,
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    bool deleted = false;
    {
        WaitCursor wait;
        deleted = m_edits.DeleteFavors(ids, ids.size() == 1 ? kDeleteFavorite : kDeleteFavorites);
    }
    if (!deleted) TellSaveFailed(m_dialog, m_store);
}

void CFavorActions::Search() {
    m_state.searchMode = true;
    const std::wstring text = fw::WindowText(GetDlgItem(m_dialog, IDC_SEARCH_EDIT));
    std::vector<FavorRecord> results;
    const bool read = text.empty() || m_store.SearchFavors(text, results);
    const size_t found = results.size();
    // The fill clears the selection and SelectFirst sets it again: the details pane and
    // the commands follow the selection the list ends with, not each step (every pane
    // hidden and shown again costs far more than the search under Wine).
    m_refilling = true;
    m_list.FillList(results, CFavorListCtrl::kSearchResults);
    m_list.SelectFirst();
    m_refilling = false;
    SelectionChanged();
    if (m_state.isBrowser) SetFocus(GetDlgItem(m_dialog, IDC_SEARCH_EDIT));
    // A search the store could not run found nothing only as far as the user can see.
    SetDlgItemTextW(m_dialog, IDC_STATUS,
                    (read ? texts::SearchStatus(found) : ReadFailedStatus(m_store.LastError())).c_str());
}

// A launch counts as a visit once the location was handed to the shell, whether or not
// the shell could open it, unless the store is read-only; a location the user chose not
// to open counts nothing. Once the store refuses a visit the rest open without asking it
// again, and the user hears of it once.
size_t CFavorActions::Launch(const std::vector<FavorRecord>& favors) {
    size_t counted = 0;
    bool refused = false;
    for (const FavorRecord& f : favors) {
        if (!OpenFavorLocation(m_dialog, f.location)) continue;
        if (m_state.readOnly || refused) continue;
        if (m_edits.CountVisit(f)) ++counted;
        else refused = true;
    }
    if (refused) TellSaveFailed(m_dialog, m_store);
    return counted;
}

void CFavorActions::LaunchSelected() {
    std::vector<FavorRecord> selected;
    for (const FavorRecord* f : m_list.GetSelectedFavors()) selected.push_back(*f);
    Launch(selected);
}

bool CFavorActions::LaunchFromSearchBox() {
    if (GetFocus() != GetDlgItem(m_dialog, IDC_SEARCH_EDIT)) return false;
    const FavorRecord* one = m_list.GetSingleSelectedFavor();
    if (!one) return false;
    Launch({*one});
    ShowWindow(m_dialog, SW_HIDE);
    return true;
}

LRESULT CFavorActions::OnListMenu(const fw::Msg&) {
    fw::OwnedMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    HMENU h = menu.get();
    const int selected = m_list.SelectedCount();
    if (selected > 0) {
        AppendMenuW(h, MF_STRING, IDM_LIST_LAUNCH, selected == 1 ? texts::kMenuLaunchOne : texts::kMenuLaunchAll);
        AppendMenuW(h, MF_SEPARATOR, 0, nullptr);
    } else {
        AppendMenuW(h, MF_STRING | ChangeState(m_state.readOnly), IDM_ADD_FAVORITE, texts::kMenuAddNewFavorite);
        AppendMenuW(h, MF_SEPARATOR, 0, nullptr);
    }
    AppendMenuW(h, MF_STRING, IDM_LIST_SELECT_ALL, texts::kMenuSelectAll);
    AppendMenuW(h, MF_STRING, IDM_LIST_INVERT, texts::kMenuInvert);
    if (selected > 0) {
        AppendMenuW(h, MF_SEPARATOR, 0, nullptr);
        const UINT change = ChangeState(m_state.readOnly);
        AppendMenuW(h, MF_STRING | (selected > 1 ? MF_GRAYED : change), IDM_LIST_EDIT, texts::kMenuEdit);
        AppendMenuW(h, MF_STRING | change, IDM_LIST_DELETE, texts::kMenuDelete);
    }
    POINT at{};
    GetCursorPos(&at);
    COwnerDrawnMenu dark;  // the system's pop-up stays light
    if (fw::IsDarkScheme()) dark.Adopt(menu.get(), false, fw::WindowDpi(m_dialog));
    TrackPopupMenu(h, TPM_RIGHTBUTTON, at.x, at.y, 0, m_dialog, nullptr);
    return 1;
}
