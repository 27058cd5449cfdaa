// Plain rules about the program's paths, without any file-system access.
#pragma once
#include <string>

namespace paths {

// The module-path buffer holds 260 characters with its terminating zero, so a program
// path fits only when it is at most 259 characters long.
constexpr size_t kModulePathBuffer = 260;
// Longest path EnsureFolder accepts, in characters.
constexpr size_t kMaxFolderPath = 499;

constexpr const wchar_t* kDataFolderName = L"Data";
constexpr const wchar_t* kDatabaseFile = L".\\Data\\favors.db";
constexpr const wchar_t* kSettingsFileName = L"Tidemarker.ini";

// The folder of a program file: the path is cut at its last "\" (searched from the last
// character back to the second). A bare drive left over ("C:") becomes its root ("C:\").
// Empty when no "\" is found.
std::wstring ProgramFolderFromModulePath(const std::wstring& modulePath);

// folder + "\" + name, without doubling a "\" the folder already ends with.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Length of the part of a path that names a volume and cannot be created: "C:\" (3),
// "\\server\share\" (through the "\" after the share), "\\?\C:\"; 0 for relative paths.
size_t PathRootLength(const std::wstring& path);

}  // namespace paths
