// BSTR results of COM calls as plain strings.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>

// Takes over a BSTR: copies it and frees it (null reads as empty).
inline std::wstring TakeBstr(BSTR text) {
    std::wstring copy = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return copy;
}
