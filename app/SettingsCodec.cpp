#include "app/SettingsCodec.h"
#include "framework/Dpi.h"
#include <algorithm>
#include <climits>
#include <cwctype>

namespace settings {
namespace {

// Reads one "%d" at pos: optional blanks, optional sign, at least one digit.
bool ScanInt(const std::wstring& text, size_t& pos, int& out) {
    while (pos < text.size() && std::iswspace(text[pos])) ++pos;
    size_t p = pos;
    bool negative = false;
    if (p < text.size() && (text[p] == L'+' || text[p] == L'-')) negative = text[p++] == L'-';
    if (p >= text.size() || text[p] < L'0' || text[p] > L'9') return false;
    long long value = 0;
    for (; p < text.size() && text[p] >= L'0' && text[p] <= L'9'; ++p) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[p] - L'0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    out = static_cast<int>(value);
    pos = p;
    return true;
}

}  // namespace

std::wstring IntText(int value) { return std::to_wstring(value); }

RectSize DefaultRectSize(bool browser, int dpi) {
    const fw::DpiScale s(dpi);
    return browser ? RectSize{s(730), s(520)} : RectSize{s(340), s(400)};
}

RectNumbers CentredRect(int screenWidth, int screenHeight, RectSize size) {
    RectNumbers r;
    r.left = (screenWidth - size.width) / 2;
    r.top = (screenHeight - size.height) / 2;
    r.right = r.left + size.width;
    r.bottom = r.top + size.height;
    return r;
}

RectNumbers ScanRectText(const std::wstring& text) {
    RectNumbers r;
    int* const fields[] = {&r.left, &r.top, &r.right, &r.bottom};
    size_t pos = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != L':') break;
            ++pos;
        }
        if (!ScanInt(text, pos, *fields[i])) break;
    }
    return r;
}

std::wstring FormatRectText(const RectNumbers& r) {
    return IntText(r.left) + L':' + IntText(r.top) + L':' + IntText(r.right) + L':' +
           IntText(r.bottom);
}

RectNumbers WindowRectFromText(const std::wstring& text, bool browser, int screenWidth,
                               int screenHeight, int dpi) {
    if (text.empty()) return CentredRect(screenWidth, screenHeight, DefaultRectSize(browser, dpi));
    return ScanRectText(text);
}

RectNumbers MovedOnto(const RectNumbers& window, const RectNumbers& workArea) {
    const int width = std::min(window.right - window.left, workArea.right - workArea.left);
    const int height = std::min(window.bottom - window.top, workArea.bottom - workArea.top);
    RectNumbers r;
    r.left = std::clamp(window.left, workArea.left, workArea.right - width);
    r.top = std::clamp(window.top, workArea.top, workArea.bottom - height);
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

}  // namespace settings
