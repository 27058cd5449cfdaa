#include "transfer/CFavorTransfer.h"
#include "framework/Seams.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtml.h"
#include "transfer/FirefoxPlaces.h"
#include "transfer/SafeFileName.h"
#include "transfer/ShortcutFile.h"
#include <windows.h>
#include <shlobj.h>
#include <functional>
#include <map>
#include <set>

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

std::wstring UpperCase(const std::wstring& text) {
    std::wstring upper(text.size(), L'\0');
    const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()),
                                upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    return n > 0 ? upper : text;
}

// The file names one export gives in each directory (as the file system compares them,
// without case): a favorite whose name is taken already (two "Home" in one folder, or
// "a/b" and "a_b", which both become "a_b") gets "Home (2)", then "Home (3)", ...
class ExportNames {
public:
    std::wstring ShortcutPath(const std::wstring& dir, const std::wstring& favorName) {
        std::set<std::wstring>& taken = m_taken[UpperCase(dir)];
        const std::wstring base = SafeFileName(favorName, L".url");
        std::wstring name = base;
        for (int n = 2; !taken.insert(UpperCase(name)).second; ++n) name = base + L" (" + std::to_wstring(n) + L")";
        return ShortcutPathFor(dir, name);
    }

private:
    std::map<std::wstring, std::set<std::wstring>> m_taken;  // by directory, both in upper case
};

struct ExportVisitor {
    std::function<bool(const std::wstring& file, const FavorRecord& favor)> file;
    std::function<bool(const std::wstring& dir)> folder;
};

// Visits what an export of `record` into `dir` writes, in writing order: each favorite's
// file, then each sub-folder's directory and what goes into it. False when a visit did.
bool WalkFolderExport(const std::wstring& dir, const FolderRecord& record, ExportNames& names,
                      const ExportVisitor& visit) {
    bool all = true;
    for (const FavorRecord& favor : record.favors) all = visit.file(names.ShortcutPath(dir, favor.name), favor) && all;
    for (const auto& sub : record.subfolders) {
        const std::wstring subDir = dir + L"\\" + SafeFileName(sub->name);
        all = visit.folder(subDir) && all;
        all = WalkFolderExport(subDir, *sub, names, visit) && all;
    }
    return all;
}

// A drive root "C:\" becomes "C:", and a backslash goes between.
std::wstring WithoutTrailingBackslash(std::wstring dir) {
    while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    return dir;
}

// The folder a file path lies in ("." for a bare name).
std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return slash == 0 || path[slash - 1] == L':' ? path.substr(0, slash + 1) : path.substr(0, slash);
}

// Writes the bytes into a new file beside `path` and then puts that file in its place,
// so an existing file is only ever replaced by a whole one.
bool ReplaceFileWith(const std::wstring& path, const std::string& bytes) {
    wchar_t temp[MAX_PATH] = L"";
    if (!GetTempFileNameW(FolderOf(path).c_str(), L"tm", 0, temp)) return false;
    HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    if (ok) {
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size() && FlushFileBuffers(file);
        ok = CloseHandle(file) && ok;
    }
    // Opened by its UTF-16 name: a name the ANSI code page cannot hold still names this file.
    ok = ok && MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp);
    return ok;
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
    ExportNames names;
    ExportVisitor write;
    write.file = [&step](const std::wstring& file, const FavorRecord& favor) {
        const bool written = file.size() <= kMaxFilePath && WriteShortcutUrl(file, favor.location);
        if (step) step();
        return written;
    };
    write.folder = [&step](const std::wstring& dir) {
        const bool made = EnsureFolderPath(dir);
        if (step) step();
        return made;
    };
    return WalkFolderExport(WithoutTrailingBackslash(folder), record, names, write);
}

int CFavorTransfer::CountShortcutsToReplace(const std::wstring& folder, const FolderRecord& record) {
    int existing = 0;
    ExportNames names;
    ExportVisitor count;
    count.file = [&existing](const std::wstring& file, const FavorRecord&) {
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) ++existing;
        return true;
    };
    count.folder = [](const std::wstring&) { return true; };
    WalkFolderExport(WithoutTrailingBackslash(folder), record, names, count);
    return existing;
}

std::wstring CFavorTransfer::BuildBookmarkHtml(const Step& step, const FolderRecord& record, bool heading) {
    std::wstring text;
    AppendBookmarkHtml(text, record, heading, step);
    return text;
}

bool CFavorTransfer::ExportToHtml(const Step& step, const std::wstring& path, const FolderRecord& record) {
    std::wstring document = BookmarkHtmlHeader();
    AppendBookmarkHtml(document, record, false, step);
    return ReplaceFileWith(path, ToUtf8(document));
}
