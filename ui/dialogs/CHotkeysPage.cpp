#include "ui/dialogs/CHotkeysPage.h"
#include "app/CAppSettings.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "ui/Hotkeys.h"

const fw::MapEntry<CHotkeysPage> CHotkeysPage::kMap[] = {
    fw::OnCommand(IDC_HOTKEY_DEFAULT, &Self::OnSetDefault),
    fw::OnCommand(IDC_HOTKEY_ACTIVATE, EN_CHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_HOTKEY_ADDFAVOR, EN_CHANGE, &Self::OnChanged),
};
bool CHotkeysPage::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CPropertyPage::Dispatch(m, result);
}

CHotkeysPage::CHotkeysPage(HWND mainWindow, CAppSettings& settings)
    : CPropertyPage(IDD_PREF_HOTKEYS), m_mainWindow(mainWindow), m_settings(settings) {}

StoredHotkey CHotkeysPage::ReadControl(int id) const {
    return FromHotkeyControlValue(LOWORD(SendDlgItemMessageW(m_hwnd, id, HKM_GETHOTKEY, 0, 0)));
}

void CHotkeysPage::WriteControl(int id, const StoredHotkey& hotkey) const {
    const WORD value = hotkey.IsSet() ? ToHotkeyControlValue(hotkey) : 0;
    SendDlgItemMessageW(m_hwnd, id, HKM_SETHOTKEY, value, 0);
}

BOOL CHotkeysPage::OnInitDialog() {
    StoredHotkey activate, addFavor;
    m_settings.ReadHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
    WriteControl(IDC_HOTKEY_ACTIVATE, activate);
    WriteControl(IDC_HOTKEY_ADDFAVOR, addFavor);
    return TRUE;
}

LRESULT CHotkeysPage::OnSetDefault(const fw::Msg&) {
    // Only the controls change; Apply registers and stores.
    WriteControl(IDC_HOTKEY_ACTIVATE, kDefaultActivateHotkey);
    WriteControl(IDC_HOTKEY_ADDFAVOR, kDefaultAddFavorHotkey);
    SetModified(true);
    return 0;
}

LRESULT CHotkeysPage::OnChanged(const fw::Msg&) {
    SetModified(true);
    return 0;
}

bool CHotkeysPage::OnApply() {
    const StoredHotkey activate = ReadControl(IDC_HOTKEY_ACTIVATE);
    const StoredHotkey addFavor = ReadControl(IDC_HOTKEY_ADDFAVOR);
    UnregisterHotkeyAtom(m_mainWindow, m_settings.m_activateHotkeyId);
    UnregisterHotkeyAtom(m_mainWindow, m_settings.m_addFavorHotkeyId);

    if (activate.IsSet()) {
        m_settings.m_activateHotkeyId = RegisterHotkeyAsAtom(m_mainWindow, kActivateHotkeyAtom, activate);
        if (m_settings.m_activateHotkeyId == 0) {
            seams::MessageBox(m_hwnd, kActivateHotkeyTaken, L"Notice", MB_OK);
            return false;
        }
    }
    m_settings.WriteHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
    if (addFavor.IsSet()) {
        m_settings.m_addFavorHotkeyId = RegisterHotkeyAsAtom(m_mainWindow, kAddFavorHotkeyAtom, addFavor);
        if (m_settings.m_addFavorHotkeyId == 0) {
            seams::MessageBox(m_hwnd, kAddFavorHotkeyTaken, L"Notice", MB_OK);
            return false;
        }
    }
    m_settings.WriteHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
    return true;
}
