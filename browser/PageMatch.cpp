#include "browser/PageMatch.h"
#include <cwctype>

namespace {

// An empty text would begin every title, so it never matches.
bool Begins(const std::wstring& title, const std::wstring& prefix) {
    return !prefix.empty() && title.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

bool IsWebPageUrl(const std::wstring& url) {
    if (url.size() < 6) return false;
    static constexpr wchar_t kScheme[] = L"http";
    for (size_t i = 0; i < 4; ++i)
        if (std::towlower(url[i]) != kScheme[i]) return false;
    return true;
}

PagesByWindow GroupWebPages(const std::vector<ShellPage>& pages) {
    PagesByWindow byWindow;
    for (const ShellPage& page : pages)
        if (IsWebPageUrl(page.url)) byWindow[page.window].push_back(page);
    return byWindow;
}

const ShellPage* MatchWindow(const PagesByWindow& pages, HWND window, const std::wstring& title) {
    const auto own = pages.find(window);
    if (own != pages.end() && !own->second.empty()) return &own->second.front();
    if (title.empty()) return nullptr;
    for (const auto& [browser, list] : pages)
        for (const ShellPage& page : list)
            if (Begins(title, page.name) || Begins(title, page.url)) return &page;
    return nullptr;
}
