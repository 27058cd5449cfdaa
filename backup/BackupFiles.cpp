#include "backup/BackupFiles.h"

namespace backupfiles {

std::wstring SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring said = n && text ? std::wstring(text, n) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!said.empty() && (said.back() == L'\n' || said.back() == L'\r' || said.back() == L' ')) said.pop_back();
    return said;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ForEachFile(const std::wstring& folder, const std::function<void(const std::wstring&)>& visit) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) visit(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring KeepAs(const std::wstring& path, const std::wstring& keptPath) {
    if (CreateHardLinkW(keptPath.c_str(), path.c_str(), nullptr)) return L"";
    if (Exists(keptPath)) return SystemText(ERROR_ALREADY_EXISTS);
    if (CopyFileW(path.c_str(), keptPath.c_str(), TRUE)) return L"";
    return SystemText(GetLastError());
}

std::wstring Replace(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return L"";
        const DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) || attempt >= 40) return SystemText(error);
        Sleep(50);
    }
}

}  // namespace backupfiles
