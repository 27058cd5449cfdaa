// The two forms of a hotkey: as stored and registered (virtual key plus MOD_ALT 1,
// MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8) and as the hotkey control holds it (one
// 16-bit value: low byte the key, high byte HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2,
// HOTKEYF_ALT 4, HOTKEYF_EXT 8).
#pragma once
#include <windows.h>

struct StoredHotkey {
    int key = 0;
    int modifiers = 0;
    // Only a hotkey with both a key and a modifier is registered.
    bool IsSet() const { return key != 0 && modifiers != 0; }
    bool operator==(const StoredHotkey& o) const { return key == o.key && modifiers == o.modifiers; }
};

// The Windows key becomes the extended-key flag: the control has no flag of its own for it.
int StoredToControlModifiers(int stored);
// Only Alt, Ctrl and Shift come back; the extended-key flag is dropped.
int ControlToStoredModifiers(int control);

WORD ToHotkeyControlValue(const StoredHotkey& hotkey);
StoredHotkey FromHotkeyControlValue(WORD value);

// The hotkeys a new installation has: Ctrl + virtual key 0x2F shows or hides the
// window, Ctrl+Shift+N adds a favorite.
constexpr StoredHotkey kDefaultActivateHotkey{0x2F, MOD_CONTROL};
constexpr StoredHotkey kDefaultAddFavorHotkey{'N', MOD_CONTROL | MOD_SHIFT};
