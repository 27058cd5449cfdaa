#include "ui/PastedText.h"
#include "ui/dialogs/EditDraft.h"
#include <windows.h>
#include <shlwapi.h>
#include <algorithm>
#include <cwctype>

namespace {

constexpr size_t kMaxText = 1 << 20;  // a paste larger than this is no list of locations
constexpr size_t kMaxLinks = 10000;

bool IsLocation(const std::wstring& line) {
    if (std::any_of(line.begin(), line.end(), [](wchar_t c) { return std::iswspace(c) || std::iswcntrl(c); }))
        return false;
    PARSEDURLW parsed{sizeof(parsed)};
    if (FAILED(ParseURLW(line.c_str(), &parsed))) return false;
    const auto scheme = static_cast<int>(parsed.nScheme);
    if (scheme == URL_SCHEME_INVALID || scheme == URL_SCHEME_UNKNOWN) return false;
    if (scheme == URL_SCHEME_HTTP || scheme == URL_SCHEME_HTTPS || scheme == URL_SCHEME_FTP) {
        wchar_t host[256] = L"";
        DWORD size = 256;
        return SUCCEEDED(UrlGetPartW(line.c_str(), host, &size, URL_PART_HOSTNAME, 0)) && host[0];
    }
    return parsed.cchSuffix > 0;  // something after the scheme
}

}  // namespace

std::optional<std::vector<DroppedLink>> LinksFromPastedText(const std::wstring& text) {
    if (text.size() > kMaxText) return std::nullopt;
    std::vector<DroppedLink> links;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
        const std::wstring line = TrimWhiteSpace(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (!IsLocation(line) || links.size() == kMaxLinks) return std::nullopt;
        links.push_back({line, line});
    }
    if (links.empty()) return std::nullopt;
    return links;
}
