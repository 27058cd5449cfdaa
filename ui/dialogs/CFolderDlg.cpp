#include "ui/dialogs/CFolderDlg.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "ui/dialogs/EditDraft.h"
#include "ui/dialogs/FolderChooser.h"

CFolderDlg::CFolderDlg() : CDialog(IDD_FOLDER) {}

namespace {
using Self = CFolderDlg;
}

const fw::MapEntry<CFolderDlg> CFolderDlg::kMap[] = {
    fw::OnCommand(IDC_DLG_OK, &Self::OnOkButton),
    fw::OnCommand(IDC_DLG_CANCEL, &Self::OnCancelButton),
};
bool CFolderDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CDialog::Dispatch(m, result);
}

BOOL CFolderDlg::OnInitDialog() {
    SetText(editMode ? L"Edit folder" : L"Add new folder");
    SetItemText(IDC_DETAIL_NAME, record.name);
    // A folder being edited can never become its own parent or a descendant's child:
    // it and its whole subtree are missing from the list.
    PrepareFolderChooser(Item(IDC_PARENT_COMBO), root, editMode ? record.id : -1, record.pid);
    SetFocus(Item(IDC_DETAIL_NAME));
    return FALSE;
}

void CFolderDlg::OnOK() {
    const std::wstring refused = ApplyFolderName(record, ItemText(IDC_DETAIL_NAME));
    if (!refused.empty()) {
        seams::MessageBox(m_hwnd, refused, kTipCaption, MB_OK);
        return;
    }
    record.pid = ChosenFolderId(Item(IDC_PARENT_COMBO));
    accepted = true;
    EndDialog(IDOK);
}

LRESULT CFolderDlg::OnOkButton(const fw::Msg&) {
    OnOK();
    return 0;
}

LRESULT CFolderDlg::OnCancelButton(const fw::Msg&) {
    OnCancel();
    return 0;
}
