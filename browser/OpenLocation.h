// The plain shell "open" of a favorite's URL, the help file or our web site.
#pragma once
#include <string>

// Hands the location (URL or file path) to the shell; a failure is silently ignored.
void OpenLocation(const std::wstring& location);
