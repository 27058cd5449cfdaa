#include "transfer/CWizardKindPage.h"

BOOL CWizardKindPage::OnInitDialog() {
    if (Sheet()) Sheet()->SetWizardButtons(PSWIZB_NEXT);
    if (!m_kinds.empty()) CheckRadioButton(m_hwnd, m_kinds.front(), m_kinds.back(), m_kinds.front());
    return TRUE;
}

LRESULT CWizardKindPage::OnWizardNext() {
    if (!Sheet()) return 0;
    for (size_t i = 0; i < m_kinds.size(); ++i) {
        if (IsDlgButtonChecked(m_hwnd, m_kinds[i]) != BST_CHECKED) continue;
        Sheet()->SetActivePage(static_cast<int>(i + 1));
        return -1;
    }
    return 0;  // none chosen: the sheet moves on by itself
}
