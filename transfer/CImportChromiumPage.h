// The Import Wizard's page for Chromium-family browsers: the profiles found on this
// machine in a drop-down list, whose choice fills the path edit (the first comes
// prefilled); the job reads the file the path edit names.
#pragma once
#include "transfer/CTransferPage.h"
#include "transfer/ChromiumProfiles.h"
#include <vector>

class CImportChromiumPage : public CTransferPage {
public:
    CImportChromiumPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);
    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnProfileChosen(const fw::Msg&);

    std::vector<ChromiumProfile> m_profiles;  // the combo's entries, by index
    static const fw::MapEntry<CImportChromiumPage> kMap[];
};
