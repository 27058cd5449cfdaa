// The first page of the Import and Export wizards: the user picks the kind of source or
// destination among its radio buttons (one group), and Next goes to that kind's work page.
#pragma once
#include "framework/CPropertySheet.h"
#include <vector>

class CWizardKindPage : public fw::CPropertyPage {
public:
    // kinds: the radio buttons' ids, in the order of the sheet's work pages after this one.
    CWizardKindPage(UINT templateId, std::vector<int> kinds) : CPropertyPage(templateId), m_kinds(std::move(kinds)) {}
    std::wstring HelpPage() const override { return L"transfer.html"; }

protected:
    BOOL OnInitDialog() override;
    LRESULT OnWizardNext() override;

private:
    std::vector<int> m_kinds;
};
