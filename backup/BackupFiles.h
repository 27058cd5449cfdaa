// The few file operations the backups need, over Win32.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace backupfiles {

// The system's text for an error code, on one line.
std::wstring SystemText(DWORD error);
bool Exists(const std::wstring& path);
// Calls `visit` with the name of every file (not folder) in the folder.
void ForEachFile(const std::wstring& folder, const std::function<void(const std::wstring&)>& visit);
// Gives the file a second name, byte for byte: a hard link where the volume has them,
// else a copy. Never replaces a file of that name. Empty when done, else why not.
std::wstring KeepAs(const std::wstring& path, const std::wstring& keptPath);
// Renames, replacing the target in one step; a target another program holds open for a
// moment (a virus scanner, a copy being read) is tried again for up to two seconds. Empty
// when done, else why not.
std::wstring Replace(const std::wstring& from, const std::wstring& to);

}  // namespace backupfiles
