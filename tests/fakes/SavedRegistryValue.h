// A registry value that a test changes and puts back.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Remembers one registry value (or that it was missing) and restores it on destruction.
// When the key itself was missing and deleteKeyIfNew is set, the key is removed again.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, std::wstring key, std::wstring value, bool deleteKeyIfNew = false);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

private:
    HKEY m_root;
    std::wstring m_key, m_value;
    bool m_keyExisted = false, m_valueExisted = false, m_deleteKeyIfNew;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};
