#include "app/AutoRun.h"
#include "app/RegKey.h"

namespace autorun {

bool IsOnFor(const std::wstring& programPath) {
    RegKey run;
    if (programPath.empty() || !run.Open(HKEY_LOCAL_MACHINE, kRunKey, kRunKeyAccess)) return false;
    std::wstring stored;
    return run.ReadString(kValueName, kMaxValueChars, stored) && stored == programPath;
}

void SetFor(bool on, const std::wstring& programPath) {
    RegKey run;
    if (!run.Open(HKEY_LOCAL_MACHINE, kRunKey, kRunKeyAccess)) return;
    if (!on) {
        run.DeleteValue(kValueName);
    } else if (!programPath.empty()) {
        run.WriteString(kValueName, programPath);
    }
}

}  // namespace autorun
