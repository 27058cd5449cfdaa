// Preferences, page "Hotkeys": the two system-wide hotkeys, registered on the main
// window when the page is applied.
#pragma once
#include "framework/CPropertySheet.h"
#include "ui/HotkeyCodec.h"

class CAppSettings;

inline constexpr wchar_t kActivateHotkeyTaken[] =
    L"HotKey for Activate Tidemarker has been used, please set to another one.";
inline constexpr wchar_t kAddFavorHotkeyTaken[] =
    L"HotKey for Add New Favorite has been used, please set to another one.";

class CHotkeysPage : public fw::CPropertyPage {
public:
    CHotkeysPage(HWND mainWindow, CAppSettings& settings);

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    std::wstring HelpPage() const override { return L"hotkeys.html"; }

protected:
    BOOL OnInitDialog() override;
    bool OnApply() override;

private:
    using Self = CHotkeysPage;
    LRESULT OnSetDefault(const fw::Msg& m);
    LRESULT OnChanged(const fw::Msg& m);
    static const fw::MapEntry<CHotkeysPage> kMap[];

    StoredHotkey ReadControl(int id) const;
    void WriteControl(int id, const StoredHotkey& hotkey) const;

    HWND m_mainWindow;
    CAppSettings& m_settings;
};
