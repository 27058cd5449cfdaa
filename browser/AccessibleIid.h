// IID_IAccessible, declared here: the constant in MinGW's static liboleacc.a reads
// wrong, and every query for the interface then fails with E_NOINTERFACE.
#pragma once
#include <windows.h>

inline constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
