// Stops a window's redrawing for a scope and repaints it afterwards.
#pragma once
#include <windows.h>

class RedrawOff {
public:
    explicit RedrawOff(HWND hwnd) : m_hwnd(hwnd) { SendMessageW(m_hwnd, WM_SETREDRAW, FALSE, 0); }
    ~RedrawOff() {
        SendMessageW(m_hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    HWND m_hwnd;
};
