#include "transfer/SafeFileName.h"
#include <cwctype>

namespace {

bool IsForbidden(wchar_t c) {
    return c < 32 || c == L'\\' || c == L'/' || c == L':' || c == L'*' || c == L'?' ||
           c == L'"' || c == L'<' || c == L'>' || c == L'|';
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices whatever extension follows them.
bool IsDeviceName(const std::wstring& name) {
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

}  // namespace

std::wstring SafeFileName(const std::wstring& name, const std::wstring& extension) {
    if (name.empty()) return L"_";
    std::wstring safe = name;
    for (wchar_t& c : safe) {
        if (IsForbidden(c)) c = L'_';
    }
    if (extension.empty()) {
        for (size_t i = safe.size(); i > 0 && (safe[i - 1] == L'.' || safe[i - 1] == L' '); --i) {
            safe[i - 1] = L'_';
        }
    }
    if (IsDeviceName(safe + extension)) safe.insert(0, 1, L'_');
    return safe;
}
