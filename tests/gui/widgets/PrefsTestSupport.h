// A settings file of the test's own, the registry's auto-run value kept as it was,
// and a window that holds a hotkey so that registering it again fails.
#pragma once
#include "app/CAppSettings.h"
#include "ui/HotkeyCodec.h"
#include <windows.h>
#include <string>

class TempSettings {
public:
    TempSettings();
    ~TempSettings();
    CAppSettings settings;
    std::wstring FileText() const;  // the whole file, empty when there is none
    void Hotkeys(StoredHotkey& activate, StoredHotkey& addFavor) const;
    void SetHotkeys(const StoredHotkey& activate, const StoredHotkey& addFavor);

private:
    std::wstring m_path;
};

// Restores (or removes) the auto-run value on destruction.
class SavedAutoRun {
public:
    SavedAutoRun();
    ~SavedAutoRun();
    static bool Read(std::wstring& value);

private:
    bool m_had = false;
    std::wstring m_value;
};

class HotkeyHolder {
public:
    explicit HotkeyHolder(const StoredHotkey& key);
    ~HotkeyHolder();
    bool Holds() const { return m_holds; }

private:
    HWND m_window = nullptr;
    bool m_holds = false;
};

// Keys no one else uses in the tests' desktop.
constexpr StoredHotkey kTestActivate{VK_F9, MOD_CONTROL | MOD_ALT};
constexpr StoredHotkey kTestAddFavor{VK_F10, MOD_CONTROL | MOD_ALT};
