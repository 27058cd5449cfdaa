// The first page of the Import and Export wizards: the user picks the kind of
// source or destination, and Next goes to that kind's work page.
#pragma once
#include "framework/CPropertySheet.h"

class CWizardKindPage : public fw::CPropertyPage {
public:
    explicit CWizardKindPage(UINT templateId) : CPropertyPage(templateId) {}

protected:
    BOOL OnInitDialog() override;
    LRESULT OnWizardNext() override;
};
