// Small drawing helpers shared by the owner-drawn widgets.
#pragma once
#include "framework/CWinApp.h"
#include "framework/Owned.h"
#include <windows.h>

namespace widgets {

constexpr int kSmallIconSize = 16;

// a mixed with b, percentOfB from 0 (all a) to 100 (all b).
inline COLORREF Blend(COLORREF a, COLORREF b, int percentOfB) {
    auto mix = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

inline void FillSolid(HDC dc, const RECT& rc, COLORREF colour) {
    fw::OwnedBrush brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc, &rc, brush.get());
}

inline void FrameSolid(HDC dc, const RECT& rc, COLORREF colour) {
    fw::OwnedBrush brush(CreateSolidBrush(colour));
    if (brush) FrameRect(dc, &rc, brush.get());
}

// A 16x16 icon from the program's resources (the caller destroys it); null for id 0.
inline HICON LoadSmallIcon(int iconId) {
    if (iconId == 0) return nullptr;
    return static_cast<HICON>(LoadImageW(fw::CWinApp::ResourceInstance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                         kSmallIconSize, kSmallIconSize, LR_DEFAULTCOLOR));
}

// The icon drawn normally, or greyed when disabled.
inline void DrawSmallIcon(HDC dc, int x, int y, HICON icon, bool disabled) {
    if (disabled)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, kSmallIconSize, kSmallIconSize,
                   DST_ICON | DSS_DISABLED);
    else
        DrawIconEx(dc, x, y, icon, kSmallIconSize, kSmallIconSize, 0, nullptr, DI_NORMAL);
}

}  // namespace widgets
