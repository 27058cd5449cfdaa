// Which browser page the user is looking at: the pages the shell knows, grouped by
// their browser window, matched against the top-level windows from the top of the
// stacking order down. Only window handles and texts here; no window is touched.
#pragma once
#include <windows.h>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ShellPage {
    std::wstring name;  // the page title
    std::wstring url;
    HWND window = nullptr;  // its browser's top-level window
};

// Orders windows by handle value.
struct HandleOrder {
    bool operator()(HWND a, HWND b) const {
        return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
    }
};
using PagesByWindow = std::map<HWND, std::vector<ShellPage>, HandleOrder>;

// Web pages only: at least 6 characters starting with "http" in any case, so plain
// and secure pages count and folder windows and local files do not.
bool IsWebPageUrl(const std::wstring& url);

// The web pages, each appended to the list of its window in the order given.
PagesByWindow GroupWebPages(const std::vector<ShellPage>& pages);

// The page a top-level window stands for, or null: the first page of a browser
// window itself; otherwise, for a window with a title, the first page (windows in
// handle order, pages in order) whose title, or else whose URL, begins that title.
const ShellPage* MatchWindow(const PagesByWindow& pages, HWND window, const std::wstring& title);
