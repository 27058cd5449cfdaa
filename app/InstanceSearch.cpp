#include "app/InstanceSearch.h"
#include "app/AppMessages.h"

namespace {

HANDLE InstanceMark() { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1)); }

}  // namespace

bool MarkInstanceWindow(HWND window) {
    return SetPropW(window, kInstanceProperty, InstanceMark()) != FALSE;
}

BOOL CALLBACK FindInstanceProc(HWND window, LPARAM slot) {
    if (GetPropW(window, kInstanceProperty) != InstanceMark()) return TRUE;
    *reinterpret_cast<HWND*>(slot) = window;
    return FALSE;
}

HWND FindRunningInstance() {
    HWND found = nullptr;
    EnumWindows(FindInstanceProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool AllowForegroundFor(DWORD processId) { return AllowSetForegroundWindow(processId) != FALSE; }

bool ShowRunningInstance(const AllowForeground& allowForeground) {
    const HWND running = FindRunningInstance();
    if (!running) return false;
    DWORD process = 0;
    if (!GetWindowThreadProcessId(running, &process) || !process) return false;  // gone since the search
    // The foreground lock keeps the running copy behind unless this one, started by the
    // user, hands its right on. When it has none to hand on, the window still shows.
    allowForeground(process);
    SendMessageW(running, WM_SHOWINSTANCE, 0, 0);
    return true;
}
