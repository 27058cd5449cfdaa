#include "ui/MenuText.h"

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

int AnsiBytes(const wchar_t* chars, int count, UINT codePage) {
    return WideCharToMultiByte(codePage, 0, chars, count, nullptr, 0, nullptr, nullptr);
}

// Bytes the character starting at chars takes in the code page: two when its first
// byte is a lead byte, otherwise one.
int CharacterBytes(const wchar_t* chars, int count, UINT codePage) {
    char bytes[8] = {};
    const int n = WideCharToMultiByte(codePage, 0, chars, count, bytes, sizeof(bytes), nullptr, nullptr);
    if (n <= 0) return 1;
    return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[0])) ? 2 : 1;
}

}  // namespace

std::wstring TruncateForMenuInCodePage(const std::wstring& text, int limit, const std::wstring& suffix,
                                       UINT codePage) {
    if (2 * static_cast<long long>(text.size()) <= limit) return text;
    if (AnsiBytes(text.data(), static_cast<int>(text.size()), codePage) <= limit) return text;
    // Count whole characters from the start while their bytes stay within limit - 3;
    // the first character is always kept.
    size_t units = 0;
    int bytes = 0;
    do {
        const int width = (IsHighSurrogate(text[units]) && units + 1 < text.size() && IsLowSurrogate(text[units + 1]))
                              ? 2 : 1;
        bytes += CharacterBytes(text.data() + units, width, codePage);
        units += static_cast<size_t>(width);
    } while (units < text.size() && bytes <= limit - 3);
    return text.substr(0, units) + suffix;
}

std::wstring TruncateForMenu(const std::wstring& text, int limit, const std::wstring& suffix) {
    return TruncateForMenuInCodePage(text, limit, suffix, CP_ACP);
}
