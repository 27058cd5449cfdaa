#include "ui/dialogs/CAboutDlg.h"
#include "browser/ProductLinks.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

bool CAboutDlg::Dispatch(const fw::Msg& m, LRESULT& result) {
    // The labels are not framework controls: their clicks and colours go to them first.
    return CLinkLabel::ReflectToLabel(m.id, m.wp, m.lp, result) || CDialog::Dispatch(m, result);
}

BOOL CAboutDlg::OnInitDialog() {
    // The web-site label opens its own text; the support label shows the address and
    // opens a mail to it.
    SetItemText(IDC_ABOUT_WEBSITE, kProductWebsite);
    m_website.Attach(Item(IDC_ABOUT_WEBSITE));
    SetItemText(IDC_ABOUT_EMAIL, kSupportAddress);
    m_support.Attach(Item(IDC_ABOUT_EMAIL));
    m_support.SetURL(kSupportMailto);
    return TRUE;
}
