// The browser window the user was looking at: the highest visible top-level window
// that RecogniseBrowser accepts. Reads window classes, titles and process images;
// sends no message to any window, so a browser that hangs cannot hold it up.
#pragma once
#include "browser/BrowserWindows.h"
#include <windows.h>
#include <functional>
#include <optional>
#include <string>

struct BrowserWindow {
    HWND window = nullptr;
    const KnownBrowser* browser = nullptr;
    std::wstring pageTitle;
};

std::optional<BrowserWindow> FindBrowserWindow();

// The full path of the program that owns a window, or empty.
std::wstring ProcessImageOf(HWND window);

namespace browser_seams {
// Tests run their browser stand-ins inside their own process and name its image here.
// An empty handler restores the real lookup. Returns the previous handler.
using ProcessImageHandler = std::function<std::wstring(HWND window)>;
ProcessImageHandler SetProcessImageHandler(ProcessImageHandler handler);
}  // namespace browser_seams
