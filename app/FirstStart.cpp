#include "app/FirstStart.h"
#include "app/CAppSettings.h"
#include "app/RegKey.h"

namespace firststart {

bool RunOnce(HKEY root, const wchar_t* key, const std::function<bool()>& work) {
    RegKey marker;
    if (!marker.Create(root, key, KEY_READ | KEY_WRITE)) return false;
    DWORD done = 0;
    if (marker.ReadDword(kMarkerValue, done) && done != 0) return false;
    if (!work()) return false;
    marker.WriteDword(kMarkerValue, 1);
    return true;
}

}  // namespace firststart

bool TurnOnAutoRunAtFirstStart(CAppSettings& settings) {
    return firststart::RunOnce(HKEY_LOCAL_MACHINE, firststart::kMarkerKey, [&settings] {
        settings.SetAutoRun(true);
        return settings.IsAutoRunOn();
    });
}
