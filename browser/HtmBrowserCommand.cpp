#include "browser/HtmBrowserCommand.h"
#include <windows.h>

namespace {

constexpr DWORD kValueChars = MAX_PATH;  // 260, the NUL included

// The default value of HKEY_CLASSES_ROOT\<subKey>, expanded if it holds variables.
bool ReadClassesDefault(const std::wstring& subKey, std::wstring& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[kValueChars + 1] = {};  // one spare: a stored value need not end in NUL
    DWORD type = 0;
    DWORD bytes = kValueChars * sizeof(wchar_t);
    const LSTATUS rc = RegQueryValueExW(key, nullptr, nullptr, &type,
                                        reinterpret_cast<BYTE*>(buffer), &bytes);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    value.assign(buffer);
    if (type == REG_EXPAND_SZ) {
        wchar_t expanded[kValueChars] = {};
        const DWORD n = ExpandEnvironmentStringsW(buffer, expanded, kValueChars);
        if (n == 0 || n > kValueChars) return false;
        value.assign(expanded);
    }
    return !value.empty();
}

}  // namespace

bool ReadHtmBrowserCommand(std::wstring& command) {
    std::wstring htmClass;
    if (!ReadClassesDefault(L".htm", htmClass)) return false;
    return ReadClassesDefault(htmClass + L"\\shell\\open\\command", command);
}
