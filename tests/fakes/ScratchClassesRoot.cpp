#include "fakes/ScratchClassesRoot.h"

namespace {
constexpr wchar_t kScratch[] = L"Software\\Tidemarker-Tests\\Classes";
}

ScratchClassesRoot::ScratchClassesRoot() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &m_root, nullptr) != ERROR_SUCCESS)
        return;
    m_overridden = RegOverridePredefKey(HKEY_CLASSES_ROOT, m_root) == ERROR_SUCCESS;
}

ScratchClassesRoot::~ScratchClassesRoot() {
    if (m_overridden) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (m_root) RegCloseKey(m_root);
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
}

bool ScratchClassesRoot::SetDefault(const std::wstring& subKey, const std::wstring& value, DWORD type) {
    HKEY key = nullptr;
    if (!m_root || RegCreateKeyExW(m_root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS rc = RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool ScratchClassesRoot::RegisterBrowser(const std::wstring& command, DWORD type) {
    return SetDefault(L".htm", L"TmTest.Page") &&
           SetDefault(L"TmTest.Page\\shell\\open\\command", command, type);
}
