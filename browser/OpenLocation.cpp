#include "browser/OpenLocation.h"
#include "framework/Seams.h"

void OpenLocation(const std::wstring& location) {
    seams::ShellOpen(location, SW_SHOW);
}
