#include "app/PathRules.h"

namespace paths {
namespace {

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveAt(const std::wstring& path, size_t pos) {
    return path.size() >= pos + 2 && path[pos + 1] == L':' &&
           ((path[pos] >= L'A' && path[pos] <= L'Z') || (path[pos] >= L'a' && path[pos] <= L'z'));
}

// Position just past the next separator at or after pos (or the end).
size_t PastNextSlash(const std::wstring& path, size_t pos) {
    while (pos < path.size() && !IsSlash(path[pos])) ++pos;
    return pos < path.size() ? pos + 1 : pos;
}

}  // namespace

std::wstring ProgramFolderFromModulePath(const std::wstring& modulePath) {
    for (size_t i = modulePath.size(); i-- > 1;) {
        if (modulePath[i] != L'\\') continue;
        std::wstring folder = modulePath.substr(0, i);
        if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
        return folder;
    }
    return std::wstring();
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || IsSlash(folder.back())) return folder + name;
    return folder + L'\\' + name;
}

size_t PathRootLength(const std::wstring& path) {
    size_t pos = 0;
    if (path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0) {
        pos = 4;
        if (path.compare(pos, 4, L"UNC\\") == 0) {  // \\?\UNC\server\share\ ...
            return PastNextSlash(path, PastNextSlash(path, pos + 4));
        }
    } else if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) {
        return PastNextSlash(path, PastNextSlash(path, 2));  // \\server\share\ ...
    }
    if (IsDriveAt(path, pos)) {
        pos += 2;
        if (pos < path.size() && IsSlash(path[pos])) ++pos;
        return pos;
    }
    if (pos == 0 && !path.empty() && IsSlash(path[0])) return 1;  // "\" of the current drive
    return pos;
}

}  // namespace paths
