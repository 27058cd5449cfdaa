#include "ui/dialogs/CFavorDlg.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "ui/dialogs/EditDraft.h"
#include "ui/dialogs/FolderChooser.h"

CFavorDlg::CFavorDlg() : CDialog(IDD_FAVOR) {}

namespace {
using Self = CFavorDlg;
}

const fw::MapEntry<CFavorDlg> CFavorDlg::kMap[] = {
    fw::OnCommand(IDC_DLG_OK, &Self::OnOkButton),
    fw::OnCommand(IDC_DLG_CANCEL, &Self::OnCancelButton),
};
bool CFavorDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CDialog::Dispatch(m, result);
}

BOOL CFavorDlg::OnInitDialog() {
    SetText(editMode ? L"Edit favorite" : L"Add new favorite");
    SetItemText(IDC_DETAIL_NAME, record.name);
    SetItemText(IDC_DETAIL_LOCATION, record.location);
    SetItemText(IDC_DETAIL_TAGS, record.tags);
    PrepareFolderChooser(Item(IDC_FOLDER_COMBO), root, -1, record.pid);
    SetFocus(Item(IDC_DETAIL_NAME));
    return FALSE;  // the focus is set
}

void CFavorDlg::OnOK() {
    const std::wstring refused =
        ApplyFavorTexts(record, ItemText(IDC_DETAIL_NAME), ItemText(IDC_DETAIL_LOCATION), ItemText(IDC_DETAIL_TAGS));
    if (!refused.empty()) {
        seams::MessageBox(m_hwnd, refused, kTipCaption, MB_OK);
        return;
    }
    record.pid = ChosenFolderId(Item(IDC_FOLDER_COMBO));
    if (!editMode && confirmAdd) {
        const std::wstring question = confirmAdd(record.location);
        if (!question.empty() && seams::MessageBox(m_hwnd, question, kTipCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            SetFocus(Item(IDC_DETAIL_LOCATION));
            return;
        }
    }
    accepted = true;
    EndDialog(IDOK);
}

LRESULT CFavorDlg::OnOkButton(const fw::Msg&) {
    OnOK();
    return 0;
}

LRESULT CFavorDlg::OnCancelButton(const fw::Msg&) {
    OnCancel();
    return 0;
}
