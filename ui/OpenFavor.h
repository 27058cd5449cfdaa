// Opening a favorite's location the way every launch does it (the list, the search box,
// the visit menus, Clean Up's Open): a web address goes to the shell at once; anything
// the shell would hand to another program first asks, captioned "Tidemarker Tip:", with
// the location in full; script and data addresses are never handed over, and the user is
// told so.
#pragma once
#include <windows.h>
#include <string>

// True when the location was handed to the shell (whatever the shell then made of it):
// only then is a visit counted.
bool OpenFavorLocation(HWND owner, const std::wstring& location);
