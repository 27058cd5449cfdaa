#include "browser/AddressText.h"
#include <algorithm>
#include <cwctype>
#include <string_view>
#include <vector>

namespace {

constexpr std::wstring_view kAddressFieldNames[] = {
    L"address and search bar",  // Chromium browsers
    L"enter address",           // Firefox: "Search with Google or enter address"
    L"enter an address",
};

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool AllDigits(std::wstring_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), IsAsciiDigit); }

std::wstring Lower(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

// "scheme://" and something after it.
bool NamesScheme(std::wstring_view text) {
    if (text.empty() || !IsAsciiLetter(text[0])) return false;
    size_t i = 1;
    while (i < text.size() && (IsAsciiLetter(text[i]) || IsAsciiDigit(text[i]) || text[i] == L'+' ||
                               text[i] == L'.' || text[i] == L'-'))
        ++i;
    return text.compare(i, 3, L"://") == 0 && text.size() > i + 3;
}

std::vector<std::wstring_view> Split(std::wstring_view s, wchar_t at) {
    std::vector<std::wstring_view> parts;
    for (size_t start = 0;;) {
        const size_t end = s.find(at, start);
        parts.push_back(s.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
        if (end == std::wstring_view::npos) return parts;
        start = end + 1;
    }
}

// Letters, digits and inner hyphens; characters beyond ASCII count as letters (IDN).
bool IsLabel(std::wstring_view label) {
    if (label.empty() || label.size() > 63 || label.front() == L'-' || label.back() == L'-') return false;
    return std::all_of(label.begin(), label.end(), [](wchar_t c) {
        return IsAsciiLetter(c) || IsAsciiDigit(c) || c == L'-' || c >= 0x80;
    });
}

bool IsTopLevelLabel(std::wstring_view label) {
    if (label.size() >= 4 && Lower(label.substr(0, 4)) == L"xn--") return true;
    return label.size() >= 2 && std::none_of(label.begin(), label.end(), IsAsciiDigit);
}

bool IsHost(std::wstring_view host) {
    if (Lower(host) == L"localhost") return true;
    const std::vector<std::wstring_view> labels = Split(host, L'.');
    if (labels.size() < 2 || !std::all_of(labels.begin(), labels.end(), IsLabel)) return false;
    if (AllDigits(labels.back()))  // an IPv4 address: four numbers up to 255
        return labels.size() == 4 && std::all_of(labels.begin(), labels.end(), [](std::wstring_view n) {
                   return AllDigits(n) && n.size() <= 3 && std::stoi(std::wstring(n)) <= 255;
               });
    return IsTopLevelLabel(labels.back());
}

bool IsHostAndPort(std::wstring_view authority) {
    const size_t colon = authority.rfind(L':');
    if (colon == std::wstring_view::npos) return IsHost(authority);
    const std::wstring_view port = authority.substr(colon + 1);
    return AllDigits(port) && port.size() <= 5 && IsHost(authority.substr(0, colon));
}

}  // namespace

std::optional<std::wstring> AddressFromFieldText(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) return std::nullopt;
    const std::wstring_view address =
        std::wstring_view(text).substr(first, text.find_last_not_of(L" \t\r\n") + 1 - first);
    if (std::any_of(address.begin(), address.end(), [](wchar_t c) { return std::iswspace(c) != 0; }))
        return std::nullopt;
    if (NamesScheme(address)) return std::wstring(address);
    if (!IsHostAndPort(address.substr(0, address.find_first_of(L"/?#")))) return std::nullopt;
    return L"https://" + std::wstring(address);
}

bool IsAddressFieldName(const std::wstring& name) {
    const std::wstring lower = Lower(name);
    return std::any_of(std::begin(kAddressFieldNames), std::end(kAddressFieldNames),
                       [&](std::wstring_view known) { return lower.find(known) != std::wstring::npos; });
}
