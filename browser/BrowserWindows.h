// Which top-level windows are the windows of a browser people use today, and the page
// title their window title carries. Text rules only; FindBrowserWindow feeds them.
#pragma once
#include <string>

enum class BrowserEngine { Chromium, Gecko };

struct KnownBrowser {
    const wchar_t* image;        // the process image's file name
    BrowserEngine engine;
    const wchar_t* products[4];  // what its window titles end with, longer first; null when unused
    bool profileInTitle;         // a profile name stands between page title and product
};

// The browser whose process image has this file name (any case), or null.
const KnownBrowser* KnownBrowserByImage(const std::wstring& imageName);

// Whether a window of this class may be a browser window at all (cheap, before the
// process is looked at).
bool IsBrowserWindowClass(const std::wstring& className);

// The browser a top-level window belongs to, or null: "Chrome_WidgetWin_1" of a
// Chromium browser's process, or "MozillaWindowClass" of firefox.exe, whose title ends
// with the browser's name. The browsers' other windows (pop-ups, picture-in-picture,
// the library) and other programs built on the same toolkits do not count. imagePath
// may be a full path.
const KnownBrowser* RecogniseBrowser(const std::wstring& className, const std::wstring& imagePath,
                                     const std::wstring& title);

// The page title: the window title less " - Product" (any kind of dash, letters in any
// case, invisible characters inside skipped), and for a browser that shows its
// profile, less that too and less " and N more pages". A title that is the product
// name alone gives an empty page title; one without the product comes back whole.
std::wstring PageTitle(const KnownBrowser& browser, const std::wstring& windowTitle);
