#include "browser/FindBrowserWindow.h"
#include "framework/Owned.h"
#include <dwmapi.h>
#include <iterator>
#include <utility>

namespace {

browser_seams::ProcessImageHandler gProcessImage;  // GUI thread only, like the capture

// A window on another virtual desktop counts as visible, but the shell cloaks it.
bool IsCloaked(HWND window) {
    DWORD cloaked = 0;
    return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    return std::wstring(name, static_cast<size_t>(GetClassNameW(window, name, static_cast<int>(std::size(name)))));
}

// The title as the window manager keeps it: no WM_GETTEXT goes to a window that may hang.
std::wstring TitleOf(HWND window) {
    wchar_t title[1025] = {};
    const int n = InternalGetWindowText(window, title, static_cast<int>(std::size(title)));
    return std::wstring(title, static_cast<size_t>(n > 0 ? n : 0));
}

}  // namespace

std::wstring ProcessImageOf(HWND window) {
    if (gProcessImage) return gProcessImage(window);
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId) || !processId) return {};
    fw::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = static_cast<DWORD>(std::size(path));
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
    return std::wstring(path, size);
}

std::optional<BrowserWindow> FindBrowserWindow() {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w) || IsCloaked(w)) continue;
        const std::wstring className = ClassOf(w);
        if (!IsBrowserWindowClass(className)) continue;
        const std::wstring title = TitleOf(w);
        if (const KnownBrowser* browser = RecogniseBrowser(className, ProcessImageOf(w), title))
            return BrowserWindow{w, browser, PageTitle(*browser, title)};
    }
    return std::nullopt;
}

namespace browser_seams {
ProcessImageHandler SetProcessImageHandler(ProcessImageHandler handler) {
    return std::exchange(gProcessImage, std::move(handler));
}
}  // namespace browser_seams
