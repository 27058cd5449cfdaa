#include "ui/dialogs/CGeneralPage.h"
#include "app/CAppSettings.h"
#include "app/SettingsCodec.h"
#include "framework/DataExchange.h"
#include "res/resource.h"
#include "store/CFavorStore.h"

const fw::MapEntry<CGeneralPage> CGeneralPage::kMap[] = {
    fw::OnCommand(IDC_PREF_AUTORUN, BN_CLICKED, &Self::OnChanged),
    fw::OnCommand(IDC_PREF_TOPMOST, BN_CLICKED, &Self::OnChanged),
    fw::OnCommand(IDC_PREF_MOSTVISITED, EN_CHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_PREF_LATESTVISITED, EN_CHANGE, &Self::OnChanged),
};
bool CGeneralPage::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CPropertyPage::Dispatch(m, result);
}

CGeneralPage::CGeneralPage(bool& topMost, CAppSettings& settings, CFavorStore& store)
    : CPropertyPage(IDD_PREF_GENERAL), m_topMost(topMost), m_settings(settings), m_store(store) {}

BOOL CGeneralPage::OnInitDialog() {
    m_filling = true;
    CheckDlgButton(m_hwnd, IDC_PREF_AUTORUN, m_settings.IsAutoRunOn() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hwnd, IDC_PREF_TOPMOST, m_settings.ReadTopMost() ? BST_CHECKED : BST_UNCHECKED);
    int mostVisited = 0, latestVisited = 0;
    m_settings.ReadVisitListSizes(mostVisited, latestVisited);
    fw::DdxIntToField(m_hwnd, IDC_PREF_MOSTVISITED, mostVisited);
    fw::DdxIntToField(m_hwnd, IDC_PREF_LATESTVISITED, latestVisited);
    m_filling = false;
    return TRUE;
}

LRESULT CGeneralPage::OnChanged(const fw::Msg&) {
    if (!m_filling) SetModified(true);
    return 0;
}

bool CGeneralPage::ReadSizes(int& mostVisited, int& latestVisited) const {
    using settings::kMinVisitListSize, settings::kMaxVisitListSize;
    return fw::DdxIntFromField(m_hwnd, IDC_PREF_MOSTVISITED, kMinVisitListSize, kMaxVisitListSize, mostVisited) &&
           fw::DdxIntFromField(m_hwnd, IDC_PREF_LATESTVISITED, kMinVisitListSize, kMaxVisitListSize, latestVisited);
}

bool CGeneralPage::OnKillActive() {
    int mostVisited = 0, latestVisited = 0;
    return ReadSizes(mostVisited, latestVisited);
}

bool CGeneralPage::OnApply() {
    int mostVisited = 0, latestVisited = 0;
    if (!ReadSizes(mostVisited, latestVisited)) return false;
    m_settings.SetAutoRun(IsDlgButtonChecked(m_hwnd, IDC_PREF_AUTORUN) == BST_CHECKED);
    m_topMost = IsDlgButtonChecked(m_hwnd, IDC_PREF_TOPMOST) == BST_CHECKED;
    if (m_topMost != m_settings.ReadTopMost()) m_settings.WriteTopMost(m_topMost);
    m_store.SetVisitListSizes(mostVisited, latestVisited);
    m_settings.WriteVisitListSizes(mostVisited, latestVisited);
    return true;
}
