#include "framework/WindowDpi.h"
#include "framework/CWinApp.h"

namespace fw {
namespace {

// A function of user32 that older systems lack, or null.
template <class Fn>
Fn User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int WindowDpi(HWND hwnd) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn forWindow = User32Function<Fn>("GetDpiForWindow");
    if (forWindow && hwnd) {
        if (const UINT dpi = forWindow(hwnd)) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int SystemDpi() {
    using Fn = UINT(WINAPI*)();
    static const Fn forSystem = User32Function<Fn>("GetDpiForSystem");
    if (forSystem) {
        if (const UINT dpi = forSystem()) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    using Fn = int(WINAPI*)(int, UINT);
    static const Fn forDpi = User32Function<Fn>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& ncm, int dpi) {
    using Fn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const Fn forDpi = User32Function<Fn>("SystemParametersInfoForDpi");
    ncm = NONCLIENTMETRICSW{};
    ncm.cbSize = sizeof(ncm);
    if (forDpi) return forDpi(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0, static_cast<UINT>(dpi)) != FALSE;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return false;
    const int system = SystemDpi();
    for (LOGFONTW* lf : {&ncm.lfCaptionFont, &ncm.lfSmCaptionFont, &ncm.lfMenuFont, &ncm.lfStatusFont,
                         &ncm.lfMessageFont})
        lf->lfHeight = MulDiv(lf->lfHeight, dpi, system);
    return true;
}

void KeepDialogFromRescaling(HWND dialog) {
    using Fn = BOOL(WINAPI*)(HWND, int, int);
    static const Fn behavior = User32Function<Fn>("SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (behavior && dialog) behavior(dialog, kDisableAll, kDisableAll);
}

HICON LoadIconAtSize(int iconId, int size) {
    if (iconId == 0) return nullptr;
    return static_cast<HICON>(
        LoadImageW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace fw
