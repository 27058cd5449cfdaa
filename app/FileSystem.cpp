#include "app/FileSystem.h"
#include "app/PathRules.h"
#include <windows.h>

namespace {

// Creates one folder; another process making it at the same moment is no failure.
bool MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) || FolderExists(path);
}

}  // namespace

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EnsureFolder(const std::wstring& path) {
    if (path.empty() || path.size() > paths::kMaxFolderPath) return false;
    if (FolderExists(path)) return true;
    // The volume part ("C:\", "\\server\share\") cannot be made; start after it.
    for (size_t pos = path.find(L'\\', paths::PathRootLength(path)); pos != std::wstring::npos;
         pos = path.find(L'\\', pos + 1)) {
        const std::wstring prefix = path.substr(0, pos + 1);
        if (!FolderExists(prefix) && !MakeFolder(prefix)) return false;
    }
    return FolderExists(path) || MakeFolder(path);
}
