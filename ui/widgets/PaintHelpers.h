// Small drawing helpers shared by the owner-drawn widgets.
#pragma once
#include "framework/Owned.h"
#include <windows.h>

namespace widgets {

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

// The icon drawn normally, or greyed when disabled, at its square size.
inline void DrawIconAt(HDC dc, int x, int y, HICON icon, int size, bool disabled) {
    if (disabled)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, size, size, DST_ICON | DSS_DISABLED);
    else
        DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}

}  // namespace widgets
