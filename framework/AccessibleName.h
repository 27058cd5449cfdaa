// Names for screen readers where the system cannot make one: a button drawn as an icon
// alone, an edit field without a label before it, a pane. The control answers
// WM_GETOBJECT with the system's own accessible object for it, renamed; everything else
// about the object (role, value, state, children) stays the system's.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

// Gives `control` its accessible name (MSAA's accName); a second call replaces it.
bool SetAccessibleName(HWND control, const std::wstring& name);

}  // namespace fw
