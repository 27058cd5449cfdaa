#include "ui/Hotkeys.h"
#include "app/CAppSettings.h"
#include "framework/Seams.h"

int RegisterHotkeyAsAtom(HWND window, const wchar_t* atomName, const StoredHotkey& hotkey) {
    const ATOM atom = GlobalAddAtomW(atomName);
    if (atom == 0) return 0;
    if (!RegisterHotKey(window, atom, static_cast<UINT>(hotkey.modifiers), static_cast<UINT>(hotkey.key))) {
        GlobalDeleteAtom(atom);
        return 0;
    }
    return atom;
}

void UnregisterHotkeyAtom(HWND window, int& id) {
    if (id == 0) return;
    UnregisterHotKey(window, id);
    GlobalDeleteAtom(static_cast<ATOM>(id));
    id = 0;
}

bool RegisterHotkeysAtStart(HWND mainWindow, CAppSettings& settings) {
    StoredHotkey activate, addFavor;
    settings.ReadHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
    settings.m_activateHotkeyId = 0;
    settings.m_addFavorHotkeyId = 0;
    bool failed = false;
    if (activate.IsSet()) {
        settings.m_activateHotkeyId = RegisterHotkeyAsAtom(mainWindow, kActivateHotkeyAtom, activate);
        if (settings.m_activateHotkeyId == 0) {
            failed = true;
            activate.key = 0;
            settings.WriteHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
        }
    }
    if (addFavor.IsSet()) {
        settings.m_addFavorHotkeyId = RegisterHotkeyAsAtom(mainWindow, kAddFavorHotkeyAtom, addFavor);
        if (settings.m_addFavorHotkeyId == 0) {
            failed = true;
            addFavor.key = 0;
            settings.WriteHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
        }
    }
    if (failed) seams::MessageBox(GetDesktopWindow(), kHotkeysFailedAtStart, L"Tidemarker", MB_OK);
    return !failed;
}

bool RegisterHotkeysAtStart(HWND mainWindow) { return RegisterHotkeysAtStart(mainWindow, AppSettings()); }
