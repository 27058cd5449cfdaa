#include "ui/CFolderActions.h"
#include "edits/FavorEdits.h"
#include "framework/Owned.h"
#include "framework/Seams.h"
#include "framework/ColourScheme.h"
#include "framework/WindowDpi.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/MainTexts.h"
#include "ui/StoreProblems.h"
#include "ui/WaitCursor.h"
#include "ui/widgets/BCMenu.h"
#include "ui/dialogs/CFolderDlg.h"
#include <windowsx.h>

namespace {
constexpr wchar_t kEditFolder[] = L"Edit Folder";
}  // namespace

const fw::MapEntry<CFolderActions> CFolderActions::kMap[] = {
    fw::OnNotify(IDC_FOLDER_TREE, TVN_SELCHANGEDW, &Self::OnSelectionChanged),
    fw::OnNotify(IDC_FOLDER_TREE, NM_RCLICK, &Self::OnTreeMenu),
    fw::OnCommand(IDC_FOLDER_NEW, &Self::OnNewFolder),
    fw::OnCommand(IDM_FILE_NEW_FOLDER, &Self::OnNewFolder),
    fw::OnCommand(IDM_TREE_ADD_FOLDER, &Self::OnNewFolder),
    fw::OnCommand(IDC_FOLDER_EDIT, &Self::OnEditFolder),
    fw::OnCommand(IDM_EDIT_FOLDER, &Self::OnEditFolder),
    fw::OnCommand(IDM_TREE_EDIT, &Self::OnEditFolder),
    fw::OnCommand(IDC_FOLDER_DELETE, &Self::OnDeleteFolder),
    fw::OnCommand(IDM_DELETE_FOLDER, &Self::OnDeleteFolder),
    fw::OnCommand(IDM_TREE_DELETE, &Self::OnDeleteFolder),
};
bool CFolderActions::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

LRESULT CFolderActions::OnSelectionChanged(const fw::Msg& m) {
    m_state.detailsKind = DetailsKind::None;
    m_state.searchMode = false;
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    std::vector<FavorRecord> favors;
    // A folder the store cannot read is not shown as empty: the status line says why, and
    // Delete tells it again before the folder may go.
    const bool read = !folder || m_store.LoadFavors(folder->id, favors);
    const std::wstring name = folder && folder->id != 0 ? folder->name : std::wstring(texts::kRootName);
    m_state.unreadFolderId = read ? -1 : folder->id;
    m_state.unreadText = read ? std::wstring() : UnreadFolderText(name, m_store.LastError());
    const std::wstring status = !folder ? std::wstring(texts::kReady)
                                : read  ? texts::FolderStatus(name, favors.size())
                                        : ReadFailedStatus(m_store.LastError());
    SetDlgItemTextW(m_dialog, IDC_STATUS, status.c_str());
    m_list.FillList(favors, folder ? folder->id : CFavorListCtrl::kNothingListed);
    if (folder && folder->id != 0) {
        SetDlgItemTextW(m_dialog, IDC_DETAIL_NAME, folder->name.c_str());
        m_state.detailsKind = DetailsKind::Folder;
    }
    if (m_state.isBrowser) UpdateFolderStates();
    m.passOn = true;  // the favorite commands follow the refilled list
    return 0;
}

void CFolderActions::UpdateFolderStates() {
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    const bool belowRoot = folder && folder->id != 0;
    const bool changeable = belowRoot && !m_state.readOnly;
    const UINT menuState = MF_BYCOMMAND | (changeable ? MF_ENABLED : MF_GRAYED);
    EnableWindow(GetDlgItem(m_dialog, IDC_FOLDER_EDIT), changeable);
    EnableWindow(GetDlgItem(m_dialog, IDC_FOLDER_DELETE), changeable);
    EnableMenuItem(m_state.menuBar, IDM_EDIT_FOLDER, menuState);
    EnableMenuItem(m_state.menuBar, IDM_DELETE_FOLDER, menuState);
    EnableWindow(GetDlgItem(m_dialog, IDC_FAVOR_NEW), folder != nullptr && !m_state.readOnly);
    if (m_state.detailsExpanded) m_details.Show(belowRoot ? DetailsShown::NameRow : DetailsShown::None);
}

LRESULT CFolderActions::OnTreeMenu(const fw::Msg&) {
    // Where the pointer was at the click, even when it has moved on since.
    const DWORD clicked = GetMessagePos();
    const POINT at{GET_X_LPARAM(clicked), GET_Y_LPARAM(clicked)};
    m_tree.SelectItemAtScreenPoint(at);
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    if (!folder) return 0;
    fw::OwnedMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    const UINT addState = ChangeState(m_state.readOnly);
    const UINT editState = folder->id == 0 ? MF_GRAYED : addState;
    AppendMenuW(menu.get(), MF_STRING | addState, IDM_TREE_ADD_FOLDER, texts::kMenuAddFolder);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | editState, IDM_TREE_EDIT, texts::kMenuEdit);
    AppendMenuW(menu.get(), MF_STRING | editState, IDM_TREE_DELETE, texts::kMenuDelete);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | addState, IDM_ADD_FAVORITE, texts::kMenuAddFavorite);
    COwnerDrawnMenu dark;  // the system's pop-up stays light
    if (fw::IsDarkScheme()) dark.Adopt(menu.get(), false, fw::WindowDpi(m_dialog));
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, m_dialog, nullptr);
    return 1;
}

void CFolderActions::NewFolder() {
    if (m_state.readOnly) return;
    const FolderRecord* selected = m_tree.GetSelectedFolder();
    CFolderDlg dlg;
    dlg.root = &m_tree.GetRootFolder();
    dlg.record.pid = selected ? selected->id : 0;
    if (dlg.DoModal(m_dialog) != IDOK) return;
    FolderRow added{0, dlg.record.pid, dlg.record.name};
    if (!m_edits.AddFolder(added)) return TellSaveFailed(m_dialog, m_store);
    m_tree.SelectFolder(added.id);
}

void CFolderActions::EditFolder() {
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    if (!folder || folder->id == 0 || m_state.readOnly) return;  // the root is neither renamed nor moved
    CFolderDlg dlg;
    dlg.editMode = true;
    dlg.root = &m_tree.GetRootFolder();
    dlg.record.id = folder->id;
    dlg.record.pid = folder->pid;
    dlg.record.name = folder->name;
    if (dlg.DoModal(m_dialog) != IDOK) return;
    if (!m_edits.ChangeFolder(dlg.record.Row(), kEditFolder)) return TellSaveFailed(m_dialog, m_store);
}

void CFolderActions::DeleteFolder() {
    if (m_state.readOnly) return;
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    if (!folder) {
        seams::MessageBox(m_dialog, texts::kSelectFolderToDelete, texts::kTipCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (folder->id == 0) return;  // the root is never deleted
    const int id = folder->id;
    if (id == m_state.unreadFolderId)
        seams::MessageBox(m_dialog, m_state.unreadText, texts::kTipCaption, MB_OK | MB_ICONEXCLAMATION);
    if (seams::MessageBox(m_dialog, texts::DeleteFolderQuestion(folder->name), texts::kDeleteFolderCaption,
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!m_tree.FindFolder(id)) return;  // the question let messages through
    bool deleted = false;
    {
        WaitCursor wait;
        deleted = m_edits.DeleteFolder(id);
    }
    if (!deleted) TellSaveFailed(m_dialog, m_store);
}
