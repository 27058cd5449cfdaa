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

bool ShowRunningInstance() {
    const HWND running = FindRunningInstance();
    if (!running) return false;
    SendMessageW(running, WM_SHOWINSTANCE, 0, 0);
    return true;
}
