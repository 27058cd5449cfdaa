#include "transfer/HtmlCharacterReferences.h"
#include "HtmlNamedReferences.h"
#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr size_t kLongestName = 32;  // "CounterClockwiseContourIntegral;"

bool IsAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

const HtmlNamedReference* FindName(std::string_view name) {
    const auto* begin = std::begin(kHtmlNamedReferences);
    const auto* end = std::end(kHtmlNamedReferences);
    const auto* it = std::lower_bound(begin, end, name, [](const HtmlNamedReference& r, std::string_view n) {
        return std::string_view(r.name) < n;
    });
    return it != end && std::string_view(it->name) == name ? it : nullptr;
}

int DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (!hex) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "&#..." at `at`: the length consumed, or 0 when no digit follows.
size_t DecodeNumeric(std::string_view text, size_t at, std::string& out) {
    size_t i = at + 2;
    const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    const size_t digits = i;
    char32_t value = 0;
    for (int d; i < text.size() && (d = DigitValue(text[i], hex)) >= 0; ++i)
        value = std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(d), 0x110000);
    if (i == digits) return 0;
    if (i < text.size() && text[i] == ';') ++i;
    const bool valid = value != 0 && value < 0x110000 && (value < 0xD800 || value > 0xDFFF);
    AppendUtf8(out, valid ? value : kReplacement);
    return i - at;
}

// "&name" at `at`: the length consumed, or 0 when no reference starts there.
size_t DecodeNamed(std::string_view text, size_t at, bool inAttribute, std::string& out) {
    size_t end = at + 1;
    while (end < text.size() && end - at <= kLongestName && IsAlnum(text[end])) ++end;
    const std::string_view run = text.substr(at + 1, end - at - 1);
    const HtmlNamedReference* found = nullptr;
    size_t used = 0;
    if (end < text.size() && text[end] == ';' && (found = FindName(text.substr(at + 1, run.size() + 1)))) {
        used = run.size() + 2;
    } else {
        for (size_t n = run.size(); n >= 2 && !found; --n) {  // the longest legacy name that starts the run
            if (!(found = FindName(run.substr(0, n)))) continue;
            const char next = at + 1 + n < text.size() ? text[at + 1 + n] : '\0';
            if (inAttribute && (IsAlnum(next) || next == '=')) return 0;
            used = n + 1;
        }
    }
    if (!found) return 0;
    AppendUtf8(out, found->first);
    if (found->second) AppendUtf8(out, found->second);
    return used;
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view text, bool inAttribute) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const size_t amp = text.find('&', at);
        out.append(text.substr(at, amp == std::string_view::npos ? std::string_view::npos : amp - at));
        if (amp == std::string_view::npos) break;
        const bool numeric = amp + 1 < text.size() && text[amp + 1] == '#';
        const size_t used = numeric ? DecodeNumeric(text, amp, out) : DecodeNamed(text, amp, inAttribute, out);
        if (used == 0) out += '&';
        at = amp + (used ? used : 1);
    }
    return out;
}
