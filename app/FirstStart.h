// Recognising the first start of the program on the machine.
//
// The machine remembers it under HKEY_LOCAL_MACHINE "SOFTWARE\Tidemarker", value
// "FirstStartDone" (REG_DWORD 1): the same hive that holds the auto-run value, so every
// user of the machine shares it. A start that cannot write there (no rights to the
// machine's hive) cannot switch auto-run on either, so it does not count as the first
// start; the first start that can, does it and leaves the marker. The marker is written
// only after the first-start work succeeded, so a failed attempt is tried again next time.
#pragma once
#include <windows.h>
#include <functional>

class CAppSettings;

namespace firststart {

constexpr const wchar_t* kMarkerKey = L"SOFTWARE\\Tidemarker";
constexpr const wchar_t* kMarkerValue = L"FirstStartDone";

// Runs work when the key under root can be opened for writing and has no marker yet;
// when work returns true the marker is written. True when work ran and succeeded.
bool RunOnce(HKEY root, const wchar_t* key, const std::function<bool()>& work);

}  // namespace firststart

// Switches auto-run at log-on on when this is the program's first start on the machine.
bool TurnOnAutoRunAtFirstStart(CAppSettings& settings);
