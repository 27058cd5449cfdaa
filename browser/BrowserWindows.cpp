#include "browser/BrowserWindows.h"
#include <algorithm>
#include <cwctype>
#include <optional>
#include <string_view>

namespace {

constexpr KnownBrowser kBrowsers[] = {
    {L"chrome.exe", BrowserEngine::Chromium, {L"Google Chrome", L"Chromium"}, false},
    {L"msedge.exe", BrowserEngine::Chromium, {L"Microsoft Edge", nullptr}, true},
    {L"brave.exe", BrowserEngine::Chromium, {L"Brave", nullptr}, false},
    {L"vivaldi.exe", BrowserEngine::Chromium, {L"Vivaldi", nullptr}, false},
    {L"opera.exe", BrowserEngine::Chromium, {L"Opera", nullptr}, false},
    {L"firefox.exe", BrowserEngine::Gecko,
     {L"Mozilla Firefox Private Browsing", L"Mozilla Firefox", L"Firefox Developer Edition", L"Firefox Nightly"}, false},
};
constexpr std::wstring_view kChromiumClass = L"Chrome_WidgetWin_1";
constexpr std::wstring_view kGeckoClass = L"MozillaWindowClass";

// Zero-width spaces, joiners and marks, word joiners, the byte-order mark, the soft hyphen.
bool IsInvisible(wchar_t c) {
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF || c == 0x00AD;
}
bool IsDash(wchar_t c) { return c == L'-' || (c >= 0x2010 && c <= 0x2015) || c == 0x2212; }
bool IsBlank(wchar_t c) { return c == L' ' || c == 0x00A0 || IsInvisible(c); }

bool SameLoosely(wchar_t a, wchar_t b) {
    if (IsDash(a) && IsDash(b)) return true;
    if (IsBlank(a) && IsBlank(b)) return true;
    return std::towlower(a) == std::towlower(b);
}

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// Where `tail` begins at the end of `text`, compared loosely; invisible characters in
// the text are skipped.
std::optional<size_t> LooseTailStart(std::wstring_view text, std::wstring_view tail) {
    size_t i = text.size();
    for (size_t j = tail.size(); j > 0;) {
        if (i == 0) return std::nullopt;
        const wchar_t c = text[--i];
        if (IsInvisible(c) && !IsInvisible(tail[j - 1])) continue;
        if (!SameLoosely(c, tail[--j])) return std::nullopt;
    }
    return i;
}

std::wstring Trimmed(std::wstring_view text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return std::wstring(text.substr(first, last - first));
}

// The text before " - product" closing the title; empty when the title is the product alone.
std::optional<std::wstring> WithoutProduct(const std::wstring& title, const wchar_t* product) {
    if (!product) return std::nullopt;
    if (auto at = LooseTailStart(title, std::wstring(L" - ") + product)) return title.substr(0, *at);
    if (auto at = LooseTailStart(title, product); at && Trimmed(title.substr(0, *at)).empty())
        return std::wstring();
    return std::nullopt;
}

// "Page - Profile" -> "Page": the text before the last " - ".
std::wstring WithoutLastPart(const std::wstring& text) {
    for (size_t i = text.size(); i >= 3; --i)
        if (IsBlank(text[i - 3]) && IsDash(text[i - 2]) && IsBlank(text[i - 1])) return text.substr(0, i - 3);
    return text;
}

// "Page and 3 more pages" / "Page and 1 more page" -> "Page".
std::wstring WithoutMorePages(const std::wstring& text) {
    constexpr std::wstring_view kAnd = L" and ", kMore = L" more page";
    std::wstring_view rest = text;
    if (!rest.empty() && rest.back() == L's') rest.remove_suffix(1);
    if (rest.size() < kMore.size() || rest.substr(rest.size() - kMore.size()) != kMore) return text;
    rest.remove_suffix(kMore.size());
    const size_t digits = rest.size();
    while (!rest.empty() && std::iswdigit(rest.back())) rest.remove_suffix(1);
    if (rest.size() == digits || rest.size() < kAnd.size() || rest.substr(rest.size() - kAnd.size()) != kAnd)
        return text;
    rest.remove_suffix(kAnd.size());
    return std::wstring(rest);
}

std::wstring_view FileNameOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool IsBrowserWindowClass(const std::wstring& className) {
    return className == kChromiumClass || className == kGeckoClass;
}

const KnownBrowser* KnownBrowserByImage(const std::wstring& imageName) {
    for (const KnownBrowser& b : kBrowsers)
        if (SameIgnoringCase(imageName, b.image)) return &b;
    return nullptr;
}

const KnownBrowser* RecogniseBrowser(const std::wstring& className, const std::wstring& imagePath,
                                     const std::wstring& title) {
    const KnownBrowser* b = KnownBrowserByImage(std::wstring(FileNameOf(imagePath)));
    if (!b) return nullptr;
    if (className != (b->engine == BrowserEngine::Gecko ? kGeckoClass : kChromiumClass)) return nullptr;
    for (const wchar_t* product : b->products)
        if (WithoutProduct(title, product)) return b;
    return nullptr;
}

std::wstring PageTitle(const KnownBrowser& browser, const std::wstring& windowTitle) {
    for (const wchar_t* product : browser.products) {
        std::optional<std::wstring> page = WithoutProduct(windowTitle, product);
        if (!page) continue;
        if (browser.profileInTitle) *page = WithoutMorePages(Trimmed(WithoutLastPart(*page)));
        return Trimmed(*page);
    }
    return Trimmed(windowTitle);
}
