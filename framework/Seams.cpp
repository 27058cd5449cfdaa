#include "framework/Seams.h"
#include <shellapi.h>
#include <shlobj.h>
#include <mutex>
#include <utility>

namespace seams {
namespace {

std::mutex gLock;  // handlers may be read from a transfer worker thread
MessageBoxHandler gMessageBox;
ShellOpenHandler gShellOpen;
HelpHandler gHelp;
ClockHandler gClock;
ShellFolderHandler gShellFolder;

template <class H>
H Current(const H& h) {
    std::lock_guard<std::mutex> guard(gLock);
    return h;
}

template <class H>
H Replace(H& slot, H handler) {
    std::lock_guard<std::mutex> guard(gLock);
    return std::exchange(slot, std::move(handler));
}

}  // namespace

int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
    if (auto h = Current(gMessageBox)) return h(owner, text, caption, flags);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

INT_PTR ShellOpen(const std::wstring& target, int show) {
    if (auto h = Current(gShellOpen)) return h(target, show);
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, show));
}

// The HTML Help viewer (hhctrl.ocx, part of Windows), loaded when first asked for.
bool ShowHelp(HWND owner, const std::wstring& topic) {
    if (auto h = Current(gHelp)) return h(owner, topic);
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static const HtmlHelpFn htmlHelp = [] {
        HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");  // kept for the process
        return viewer ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")))
                      : nullptr;
    }();
    constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
    if (htmlHelp && htmlHelp(owner, topic.c_str(), kDisplayTopic, 0)) return true;
    // Without the viewer the shell opens the file on its first page.
    const std::wstring file = topic.substr(0, topic.find(L"::"));
    return ShellOpen(file, SW_SHOWNORMAL) > 32;
}

SYSTEMTIME LocalTimeNow() {
    if (auto h = Current(gClock)) return h();
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return st;
}

std::wstring ShellFolderPath(int csidl) {
    if (auto h = Current(gShellFolder)) return h(csidl);
    wchar_t path[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return {};
    return path;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) { return Replace(gMessageBox, std::move(handler)); }
ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler) { return Replace(gShellOpen, std::move(handler)); }
HelpHandler SetHelpHandler(HelpHandler handler) { return Replace(gHelp, std::move(handler)); }
ClockHandler SetClockHandler(ClockHandler handler) { return Replace(gClock, std::move(handler)); }
ShellFolderHandler SetShellFolderHandler(ShellFolderHandler handler) {
    return Replace(gShellFolder, std::move(handler));
}

}  // namespace seams
