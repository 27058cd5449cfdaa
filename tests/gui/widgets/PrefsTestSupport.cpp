#include "gui/widgets/PrefsTestSupport.h"
#include <fstream>
#include <sstream>

namespace {
const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValue[] = L"Tidemarker";
}  // namespace

TempSettings::TempSettings() {
    wchar_t dir[MAX_PATH] = L"", file[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"tmw", 0, file);
    m_path = file;
    DeleteFileW(m_path.c_str());
    settings.SetFilePath(m_path);
}

TempSettings::~TempSettings() { DeleteFileW(m_path.c_str()); }

std::wstring TempSettings::FileText() const {
    HANDLE f = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string bytes(static_cast<size_t>(GetFileSize(f, nullptr)), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(f);
    return std::wstring(bytes.begin(), bytes.begin() + got);
}

void TempSettings::Hotkeys(StoredHotkey& activate, StoredHotkey& addFavor) const {
    settings.ReadHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
}

void TempSettings::SetHotkeys(const StoredHotkey& activate, const StoredHotkey& addFavor) {
    settings.WriteHotkeys(activate.key, activate.modifiers, addFavor.key, addFavor.modifiers);
}

bool SavedAutoRun::Read(std::wstring& value) {
    wchar_t buffer[512] = L"";
    DWORD bytes = sizeof(buffer);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS)
        return false;
    value = buffer;
    return true;
}

SavedAutoRun::SavedAutoRun() { m_had = Read(m_value); }

SavedAutoRun::~SavedAutoRun() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (m_had)
        RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_value.c_str()),
                       static_cast<DWORD>((m_value.size() + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(key, kRunValue);
    RegCloseKey(key);
}

HotkeyHolder::HotkeyHolder(const StoredHotkey& key) {
    m_window = CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    m_holds = m_window && RegisterHotKey(m_window, 1, static_cast<UINT>(key.modifiers), static_cast<UINT>(key.key));
}

HotkeyHolder::~HotkeyHolder() {
    if (m_holds) UnregisterHotKey(m_window, 1);
    if (m_window) DestroyWindow(m_window);
}
