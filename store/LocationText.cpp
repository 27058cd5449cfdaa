#include "store/LocationText.h"

std::optional<std::wstring> CleanLocation(const std::wstring& location) {
    if (location.find(L'\0') != std::wstring::npos) return std::nullopt;
    std::wstring clean;
    clean.reserve(location.size());
    for (const wchar_t c : location)
        if (c != L'\t' && c != L'\r' && c != L'\n') clean += c;
    return clean;
}
