#include "app/ProgramPaths.h"
#include "app/PathRules.h"
#include <windows.h>

std::wstring ModuleFilePath() {
    wchar_t buffer[paths::kModulePathBuffer];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, paths::kModulePathBuffer);
    if (length == 0 || length >= paths::kModulePathBuffer) return std::wstring();
    return std::wstring(buffer, length);
}

std::wstring ProgramFolder() {
    return paths::ProgramFolderFromModulePath(ModuleFilePath());
}

bool SetWorkingDirectory(const std::wstring& folder) {
    return !folder.empty() && SetCurrentDirectoryW(folder.c_str());
}

std::wstring WorkingDirectory() {
    for (;;) {
        const DWORD needed = GetCurrentDirectoryW(0, nullptr);
        if (needed == 0) return std::wstring();
        std::wstring folder(needed, L'\0');
        const DWORD length = GetCurrentDirectoryW(needed, &folder[0]);
        if (length == 0) return std::wstring();
        if (length < needed) {  // otherwise it grew in between: ask again
            folder.resize(length);
            return folder;
        }
    }
}

std::wstring DataFolderPath() {
    return paths::JoinPath(WorkingDirectory(), std::wstring(paths::kDataFolderName) + L"\\");
}

std::wstring SettingsFilePath() {
    return paths::JoinPath(WorkingDirectory(), paths::kSettingsFileName);
}
