// The About box: product name and version, the web site and the support address as
// links.
#pragma once
#include "browser/CLinkLabel.h"
#include "framework/CDialog.h"

class CAboutDlg : public fw::CDialog {
public:
    CAboutDlg();

    CLinkLabel& WebsiteLink() { return m_website; }
    CLinkLabel& SupportLink() { return m_support; }

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    std::wstring HelpPage() const override { return L"index.html"; }

protected:
    BOOL OnInitDialog() override;

private:
    CLinkLabel m_website;
    CLinkLabel m_support;
};
