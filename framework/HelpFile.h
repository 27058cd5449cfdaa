// The application's help file, <program folder>\<application name>.chm, and F1: the
// window in front opens it on its own page.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

std::wstring HelpFilePath();
// Opens the help file on `page` ("browse.html"); an empty page opens its first page.
bool OpenHelpPage(HWND owner, const std::wstring& page);
// F1 without Shift, Ctrl or Alt.
bool IsHelpKey(const MSG& msg);
// The page of the innermost window on the path from the focus up to `dialog` that names
// one (CWnd::HelpPage), or the help file's first page when none does.
bool ShowHelpInFront(HWND dialog);

}  // namespace fw
