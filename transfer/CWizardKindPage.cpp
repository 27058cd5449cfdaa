#include "transfer/CWizardKindPage.h"
#include "res/resource.h"

BOOL CWizardKindPage::OnInitDialog() {
    if (Sheet()) Sheet()->SetWizardButtons(PSWIZB_NEXT);
    CheckRadioButton(m_hwnd, IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX, IDC_WIZ_KIND_FOLDER);
    return TRUE;
}

LRESULT CWizardKindPage::OnWizardNext() {
    if (!Sheet()) return 0;
    if (IsDlgButtonChecked(m_hwnd, IDC_WIZ_KIND_FOLDER) == BST_CHECKED) Sheet()->SetActivePage(1);
    else if (IsDlgButtonChecked(m_hwnd, IDC_WIZ_KIND_FIREFOX) == BST_CHECKED) Sheet()->SetActivePage(2);
    else return 0;  // neither chosen: the sheet moves on by itself
    return -1;
}
