#include "transfer/CFavorTransfer.h"
#include "framework/Seams.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtml.h"
#include "transfer/FirefoxPlaces.h"
#include "transfer/SafeFileName.h"
#include "transfer/ShortcutFile.h"
#include <windows.h>
#include <shlobj.h>

namespace {

// Without the \\?\ prefix the file functions refuse longer paths; refuse them first.
constexpr size_t kMaxFilePath = MAX_PATH - 1;
constexpr size_t kMaxFolderPath = MAX_PATH - 12;

// Makes every missing folder along the path; true when the whole path is a folder.
bool EnsureFolderPath(const std::wstring& path) {
    if (path.empty() || path.size() > kMaxFolderPath) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (CreateDirectoryW(path.c_str(), nullptr)) return true;
    if (GetLastError() != ERROR_PATH_NOT_FOUND) return false;
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash == 0) return false;
    return EnsureFolderPath(path.substr(0, slash)) && CreateDirectoryW(path.c_str(), nullptr);
}

}  // namespace

std::wstring CFavorTransfer::GetFavoritesFolderPath() {
    return seams::ShellFolderPath(CSIDL_FAVORITES);
}

bool CFavorTransfer::ReadFavoritesFolder(const std::wstring& path, FolderRecord& root, int& count,
                                         const ReadProgress& progress) {
    return ReadShellFolder(path, root, count, progress);
}

std::wstring CFavorTransfer::FindFirefoxPlaces() {
    const std::wstring appData = seams::ShellFolderPath(CSIDL_APPDATA);
    if (appData.empty()) return {};
    return PlacesPathFromProfiles(appData + L"\\Mozilla\\Firefox\\");
}

std::wstring CFavorTransfer::PlacesPathFromProfiles(const std::wstring& firefoxFolder) {
    return FirefoxPlacesPath(firefoxFolder);
}

bool CFavorTransfer::ReadFirefoxPlaces(const std::wstring& path, FolderRecord& root, int& count) {
    return ReadPlacesFile(path, root, count);
}

bool CFavorTransfer::ExportToFolder(const Step& step, const std::wstring& folder, const FolderRecord& record) {
    std::wstring dir = folder;  // a drive root "C:\" becomes "C:", and a backslash goes between
    while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    bool all = true;
    for (const FavorRecord& favor : record.favors) {
        const std::wstring file = ShortcutPathFor(dir, SafeFileName(favor.name, L".url"));
        all = (file.size() <= kMaxFilePath && WriteShortcutUrl(file, favor.location)) && all;
        if (step) step();
    }
    for (const auto& sub : record.subfolders) {
        const std::wstring subDir = dir + L"\\" + SafeFileName(sub->name);
        all = EnsureFolderPath(subDir) && all;
        if (step) step();
        all = ExportToFolder(step, subDir, *sub) && all;
    }
    return all;
}

std::wstring CFavorTransfer::BuildBookmarkHtml(const Step& step, const FolderRecord& record, bool heading) {
    std::wstring text;
    AppendBookmarkHtml(text, record, heading, step);
    return text;
}

bool CFavorTransfer::ExportToHtml(const Step& step, const std::wstring& path, const FolderRecord& record) {
    std::wstring document = BookmarkHtmlHeader();
    AppendBookmarkHtml(document, record, false, step);
    const std::string bytes = ToUtf8(document);
    // Opened by its UTF-16 name: a name the ANSI code page cannot hold still names this file.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return CloseHandle(file) && ok;
}
