// Preferences, page "General": auto-run, the Favorite Browser's top-most switch and
// the lengths of the Most Visited and Latest Visited menus.
#pragma once
#include "framework/CPropertySheet.h"

class CAppSettings;
class CFavorStore;

class CGeneralPage : public fw::CPropertyPage {
public:
    // topMost is the main window's switch; Apply sets it.
    CGeneralPage(bool& topMost, CAppSettings& settings, CFavorStore& store);

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    std::wstring HelpPage() const override { return L"preferences.html"; }

protected:
    BOOL OnInitDialog() override;
    bool OnKillActive() override;
    bool OnApply() override;

private:
    using Self = CGeneralPage;
    LRESULT OnChanged(const fw::Msg& m);
    static const fw::MapEntry<CGeneralPage> kMap[];

    bool ReadSizes(int& mostVisited, int& latestVisited) const;

    bool& m_topMost;
    CAppSettings& m_settings;
    CFavorStore& m_store;
    bool m_filling = false;  // the page is writing its own fields
};
