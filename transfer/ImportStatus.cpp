#include "transfer/ImportStatus.h"
#include <windows.h>

namespace {

// The locale's digit grouping as NUMBERFMTW wants it: "3;0" is 3, "3;2;0" is 32, and a
// last group that does not repeat ("3") gets a trailing 0 (30).
UINT Grouping(const wchar_t* text) {
    UINT grouping = 0;
    bool repeats = false;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p < L'0' || *p > L'9') continue;
        if (*p == L'0' && p[1] == L'\0') repeats = true;
        else grouping = grouping * 10 + static_cast<UINT>(*p - L'0');
    }
    return repeats ? grouping : grouping * 10;
}

std::wstring Grouped(int value) {
    const std::wstring digits = std::to_wstring(value);
    wchar_t groups[16] = L"3;0", thousands[8] = L",", decimal[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SGROUPING, groups, 16);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, thousands, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    NUMBERFMTW format{};
    format.Grouping = Grouping(groups);
    format.lpDecimalSep = decimal;
    format.lpThousandSep = thousands;
    format.NegativeOrder = 1;
    wchar_t out[64];
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, out, 64) <= 0) return digits;
    return out;
}

}  // namespace

std::wstring FolderReadingStatus(int items) {
    return L"Import status: Reading from favorites folder... " + Grouped(items);
}
