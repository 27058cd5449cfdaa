#include "browser/CapturePage.h"
#include "app/AppMessages.h"
#include "browser/CAccessibleCapture.h"
#include "browser/CBrowserDdeClient.h"
#include "browser/CShellWindowsSource.h"
#include "store/LocationText.h"
#include "store/Records.h"

namespace {

constexpr int kTitleChars = 1024;

// The page of the highest top-level window that stands for one.
const ShellPage* FindTopmostPage(const PagesByWindow& pages) {
    if (pages.empty()) return nullptr;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t title[kTitleChars + 1] = {};
        GetWindowTextW(w, title, kTitleChars + 1);
        if (const ShellPage* page = MatchWindow(pages, w, title)) return page;
    }
    return nullptr;
}

}  // namespace

bool CapturePage(FavorRecord& record, bool& capturePending, HWND mainWindow) {
    CShellWindowsSource shell;
    return CapturePage(record, capturePending, mainWindow, shell, CBrowserDdeClient::Process(),
                       &CAccessibleCapture::Process());
}

bool CapturePage(FavorRecord& record, bool& capturePending, HWND mainWindow,
                 IShellPageSource& shell, CBrowserDdeClient& dde, CAccessibleCapture* accessible) {
    record.name.clear();
    record.location.clear();
    capturePending = false;
    dde.SetMainWindow(mainWindow);
    const PagesByWindow pages = GroupWebPages(shell.Pages());
    if (const ShellPage* page = FindTopmostPage(pages)) {
        record.name = page->name;
        record.location = page->url;
        return true;
    }
    capturePending = true;
    if (accessible && accessible->Start(mainWindow)) return true;
    return dde.RequestWindowInfo(kDdeBrowserService, kDdeWindowItem);
}

bool PostFavorCaptured(HWND mainWindow, std::unique_ptr<FavorRecord> record) {
    // A page's address as a browser would read it; one holding a NUL is not taken.
    if (record) record->location = CleanLocation(record->location).value_or(std::wstring());
    // A null window would post to this thread's queue, where nobody takes the record.
    if (!mainWindow ||
        !PostMessageW(mainWindow, WM_FAVOR_CAPTURED, reinterpret_cast<WPARAM>(record.get()), 0))
        return false;  // the record dies here
    record.release();  // the main window owns it now
    return true;
}
