// The two system-wide hotkeys: registered on the main window, each under the number
// of a global atom, and remembered in the settings object.
#pragma once
#include "ui/HotkeyCodec.h"
#include <windows.h>

class CAppSettings;

inline constexpr wchar_t kActivateHotkeyAtom[] = L"Tidemarker";
inline constexpr wchar_t kAddFavorHotkeyAtom[] = L"AddFavor";
inline constexpr wchar_t kHotkeysFailedAtStart[] =
    L"Failes to set one or more HotKeys\nPlease change the HotKey settings\n"
    L"Select menu [Advance] -> [Preferences] and click [HotKeys]";

// Adds the named atom and registers the hotkey on window under its number. Returns the
// number, or 0 when the registration failed (the atom is deleted again).
int RegisterHotkeyAsAtom(HWND window, const wchar_t* atomName, const StoredHotkey& hotkey);
// Unregisters the hotkey registered under id (when not 0), deletes its atom, sets id to 0.
void UnregisterHotkeyAtom(HWND window, int& id);

// Registers the stored hotkeys on the main window when it starts. A key that cannot be
// registered is written back as 0, so the next start does not try it again, and the
// user is told once. Returns false when a registration failed.
bool RegisterHotkeysAtStart(HWND mainWindow, CAppSettings& settings);
bool RegisterHotkeysAtStart(HWND mainWindow);  // with the program's settings
