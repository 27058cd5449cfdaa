// What the program uses of Windows that MinGW-w64's headers and import libraries lack or
// get wrong, declared as the Windows SDK documents it.
#pragma once
#include <windows.h>

// IID_IAccessible: the constant in MinGW's static liboleacc.a reads wrong, and every
// query for the interface then fails with E_NOINTERFACE.
inline constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// DWMWINDOWATTRIBUTE DWMWA_USE_IMMERSIVE_DARK_MODE (dwmapi.h, Windows 10 20H1 and later;
// Windows 11 documents it): a BOOL, TRUE for a dark title bar.
inline constexpr DWORD kDwmUseImmersiveDarkMode = 20;
