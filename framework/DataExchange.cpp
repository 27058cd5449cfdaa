#include "framework/DataExchange.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/Seams.h"
#include <climits>
#include <cwctype>

namespace fw {

const wchar_t kEnterIntegerMessage[] = L"Please enter an integer.";

std::optional<int> ParseIntField(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    const size_t digitsStart = i;
    long long value = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
        ++i;
    }
    if (i == digitsStart) return std::nullopt;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    if (i != text.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::wstring IntRangeMessage(int low, int high) {
    return L"Please enter an integer between " + std::to_wstring(low) + L" and " + std::to_wstring(high) + L".";
}

void DdxIntToField(HWND dialog, int id, int value) {
    SetDlgItemTextW(dialog, id, std::to_wstring(value).c_str());
}

bool DdxIntFromField(HWND dialog, int id, int low, int high, int& value) {
    HWND field = GetDlgItem(dialog, id);
    const std::optional<int> parsed = ParseIntField(WindowText(field));
    std::wstring problem;
    if (!parsed) problem = kEnterIntegerMessage;
    else if (*parsed < low || *parsed > high) problem = IntRangeMessage(low, high);
    if (problem.empty()) {
        value = *parsed;
        return true;
    }
    seams::MessageBox(dialog, problem, CWinApp::AppName(), MB_OK | MB_ICONEXCLAMATION);
    if (field) {
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
    }
    return false;
}

}  // namespace fw
