#include "transfer/CImportChromiumPage.h"
#include "res/resource.h"

const fw::MapEntry<CImportChromiumPage> CImportChromiumPage::kMap[] = {
    fw::OnCommand(IDC_WIZ_PROFILE_COMBO, CBN_SELCHANGE, &CImportChromiumPage::OnProfileChosen),
};

CImportChromiumPage::CImportChromiumPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_CHROMIUM, Kind::ImportChromium, edits, tree, mainWindow) {}

bool CImportChromiumPage::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CTransferPage::Dispatch(m, result);
}

BOOL CImportChromiumPage::OnInitDialog() {
    CTransferPage::OnInitDialog();
    m_profiles = FindChromiumProfiles();
    HWND combo = Item(IDC_WIZ_PROFILE_COMBO);
    for (size_t i = 0; i < m_profiles.size(); ++i) {
        const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_profiles[i].label.c_str()));
        if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
    }
    if (!m_profiles.empty()) {
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        OnProfileChosen({});
    }
    return TRUE;
}

LRESULT CImportChromiumPage::OnProfileChosen(const fw::Msg&) {
    HWND combo = Item(IDC_WIZ_PROFILE_COMBO);
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    const LRESULT index = sel == CB_ERR ? CB_ERR : SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(sel), 0);
    if (index >= 0 && static_cast<size_t>(index) < m_profiles.size())
        SetItemText(IDC_WIZ_FILE_PATH, m_profiles[static_cast<size_t>(index)].bookmarksPath);
    return 0;
}
