// One running copy per desktop: the main window carries the "Tidemarker" property with
// the value 1, and a second copy looks for it among the top-level windows.
#pragma once
#include <windows.h>
#include <functional>

constexpr const wchar_t* kInstanceProperty = L"Tidemarker";

// Marks the window as the running copy's main window; the mark stays for its lifetime.
bool MarkInstanceWindow(HWND window);

// Window-enumeration callback: lParam points to an HWND slot. A window whose property
// is 1 is stored in the slot and ends the enumeration.
BOOL CALLBACK FindInstanceProc(HWND window, LPARAM slot);

// The running copy's main window, or nullptr.
HWND FindRunningInstance();

// Lets a process set the foreground window (AllowSetForegroundWindow).
using AllowForeground = std::function<bool(DWORD processId)>;
bool AllowForegroundFor(DWORD processId);

// When another copy runs, lets its process come to the front, shows its window (waiting
// until it has) and returns true.
bool ShowRunningInstance(const AllowForeground& allowForeground = AllowForegroundFor);
