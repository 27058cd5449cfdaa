// The command line of the browser registered for .htm files, from the classes root.
#pragma once
#include <string>

// HKEY_CLASSES_ROOT\.htm names a class; its shell\open\command default value is the
// command. False when either value is missing, empty or longer than 259 characters.
bool ReadHtmBrowserCommand(std::wstring& command);
