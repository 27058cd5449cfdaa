#include "ui/HotkeyCodec.h"
#include <commctrl.h>

int StoredToControlModifiers(int stored) {
    int control = 0;
    if (stored & MOD_ALT) control |= HOTKEYF_ALT;
    if (stored & MOD_CONTROL) control |= HOTKEYF_CONTROL;
    if (stored & MOD_SHIFT) control |= HOTKEYF_SHIFT;
    if (stored & MOD_WIN) control |= HOTKEYF_EXT;
    return control;
}

int ControlToStoredModifiers(int control) {
    int stored = 0;
    if (control & HOTKEYF_ALT) stored |= MOD_ALT;
    if (control & HOTKEYF_CONTROL) stored |= MOD_CONTROL;
    if (control & HOTKEYF_SHIFT) stored |= MOD_SHIFT;
    return stored;
}

WORD ToHotkeyControlValue(const StoredHotkey& hotkey) {
    return MAKEWORD(static_cast<BYTE>(hotkey.key), static_cast<BYTE>(StoredToControlModifiers(hotkey.modifiers)));
}

StoredHotkey FromHotkeyControlValue(WORD value) {
    return StoredHotkey{LOBYTE(value), ControlToStoredModifiers(HIBYTE(value))};
}
