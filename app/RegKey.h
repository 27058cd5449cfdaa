// An open registry key with the value reads and writes the program needs.
#pragma once
#include "framework/Owned.h"
#include <string>

class RegKey {
public:

    // Opens an existing key; false when it is missing or the access is refused.
    bool Open(HKEY root, const wchar_t* subkey, REGSAM access);
    // Opens the key, making it (and its missing parents) when needed.
    bool Create(HKEY root, const wchar_t* subkey, REGSAM access);

    // A string value of at most maxChars characters; false when missing, not a string or longer.
    bool ReadString(const wchar_t* name, size_t maxChars, std::wstring& out) const;
    bool WriteString(const wchar_t* name, const std::wstring& text) const;
    bool ReadDword(const wchar_t* name, DWORD& out) const;
    bool WriteDword(const wchar_t* name, DWORD value) const;
    bool DeleteValue(const wchar_t* name) const;

private:
    fw::OwnedKey m_key;
};
