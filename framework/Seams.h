// The few places where the program meets the user or the outside world and a test
// must observe or answer: message boxes, the shell's "open", the help viewer, and the clock.
// Production code always goes through these; tests install their own handlers.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace seams {

// Message box: owner, text, caption, MB_* flags -> IDOK/IDYES/IDNO/...
using MessageBoxHandler =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags)>;
// Shell "open" of a URL or file: target, show command -> ShellExecute's result value.
using ShellOpenHandler = std::function<INT_PTR(const std::wstring& target, int show)>;
// The help viewer on a topic of a help file ("C:\\...\\App.chm::/page.html", or the file
// alone for its first page) -> whether it opened.
using HelpHandler = std::function<bool(HWND owner, const std::wstring& topic)>;
// Local time now.
using ClockHandler = std::function<SYSTEMTIME()>;
// A shell special folder of the user (CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, ...) -> its
// path without a trailing backslash, or empty.
using ShellFolderHandler = std::function<std::wstring(int csidl)>;

int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
INT_PTR ShellOpen(const std::wstring& target, int show);
bool ShowHelp(HWND owner, const std::wstring& topic);
SYSTEMTIME LocalTimeNow();
std::wstring ShellFolderPath(int csidl);

// Installing an empty handler restores the real one. Each returns the previous handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler);
HelpHandler SetHelpHandler(HelpHandler handler);
ClockHandler SetClockHandler(ClockHandler handler);
ShellFolderHandler SetShellFolderHandler(ShellFolderHandler handler);

}  // namespace seams
