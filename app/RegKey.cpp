#include "app/RegKey.h"
#include <vector>

bool RegKey::Open(HKEY root, const wchar_t* subkey, REGSAM access) {
    m_key.reset();
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey, 0, access, &key) != ERROR_SUCCESS) return false;
    m_key.reset(key);
    return true;
}

bool RegKey::Create(HKEY root, const wchar_t* subkey, REGSAM access) {
    m_key.reset();
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    m_key.reset(key);
    return true;
}

bool RegKey::ReadString(const wchar_t* name, size_t maxChars, std::wstring& out) const {
    if (!m_key) return false;
    // Room for the characters and a terminating zero that the stored data may lack.
    std::vector<wchar_t> buffer(maxChars + 2, L'\0');
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>((maxChars + 1) * sizeof(wchar_t));
    if (RegQueryValueExW(m_key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    size_t length = bytes / sizeof(wchar_t);
    while (length > 0 && buffer[length - 1] == L'\0') --length;
    if (length > maxChars) return false;
    out.assign(buffer.data(), length);
    return true;
}

bool RegKey::WriteString(const wchar_t* name, const std::wstring& text) const {
    // The stored size counts the terminating zero.
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return m_key && RegSetValueExW(m_key.get(), name, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
                        ERROR_SUCCESS;
}

bool RegKey::ReadDword(const wchar_t* name, DWORD& out) const {
    DWORD type = 0, value = 0, bytes = sizeof(value);
    if (!m_key || RegQueryValueExW(m_key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                   &bytes) != ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof(value)) {
        return false;
    }
    out = value;
    return true;
}

bool RegKey::WriteDword(const wchar_t* name, DWORD value) const {
    return m_key && RegSetValueExW(m_key.get(), name, 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
                        ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const wchar_t* name) const {
    return m_key && RegDeleteValueW(m_key.get(), name) == ERROR_SUCCESS;
}
