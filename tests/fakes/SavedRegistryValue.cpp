#include "fakes/SavedRegistryValue.h"

SavedRegistryValue::SavedRegistryValue(HKEY root, std::wstring key, std::wstring value,
                                       bool deleteKeyIfNew)
    : m_root(root), m_key(std::move(key)), m_value(std::move(value)),
      m_deleteKeyIfNew(deleteKeyIfNew) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(m_root, m_key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return;
    m_keyExisted = true;
    DWORD bytes = 0;
    if (RegQueryValueExW(k, m_value.c_str(), nullptr, &m_type, nullptr, &bytes) == ERROR_SUCCESS) {
        m_data.resize(bytes);
        m_valueExisted = RegQueryValueExW(k, m_value.c_str(), nullptr, &m_type,
                                          m_data.empty() ? nullptr : m_data.data(),
                                          &bytes) == ERROR_SUCCESS;
        m_data.resize(bytes);
    }
    RegCloseKey(k);
}

SavedRegistryValue::~SavedRegistryValue() {
    if (!m_keyExisted && m_deleteKeyIfNew) {
        RegDeleteTreeW(m_root, m_key.c_str());
        RegDeleteKeyW(m_root, m_key.c_str());
        return;
    }
    HKEY k = nullptr;
    if (RegOpenKeyExW(m_root, m_key.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
    if (m_valueExisted) {
        RegSetValueExW(k, m_value.c_str(), 0, m_type, m_data.empty() ? nullptr : m_data.data(),
                       static_cast<DWORD>(m_data.size()));
    } else {
        RegDeleteValueW(k, m_value.c_str());
    }
    RegCloseKey(k);
}
