#include "transfer/CFavorTransfer.h"
#include "framework/Seams.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtml.h"
#include "transfer/FirefoxPlaces.h"
#include "transfer/SafeFileName.h"
#include "transfer/ShortcutFile.h"
#include <windows.h>
#include <intshcut.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>
#include <memory>

using Microsoft::WRL::ComPtr;

namespace {

constexpr SHCONTF kEnumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;  // hidden items stay out
// Without the \\?\ prefix the file functions refuse longer paths; refuse them first.
constexpr size_t kMaxFilePath = MAX_PATH - 1;
constexpr size_t kMaxFolderPath = MAX_PATH - 12;

// COM for this thread for one walk, balanced when the walk ends.
class ComScope {
public:
    ComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() { if (SUCCEEDED(m_hr)) CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
private:
    HRESULT m_hr;
};

struct PidlFree {
    void operator()(ITEMIDLIST* p) const { CoTaskMemFree(p); }
};
using OwnedPidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

std::wstring DisplayName(IShellFolder* folder, PCUITEMID_CHILD item, SHGDNF flags) {
    STRRET ret{};
    if (FAILED(folder->GetDisplayNameOf(item, flags, &ret))) return {};
    wchar_t* text = nullptr;
    if (FAILED(StrRetToStrW(&ret, item, &text)) || !text) return {};
    std::wstring name = text;
    CoTaskMemFree(text);
    return name;
}

// The shell's Internet shortcut object, made once and loaded with one file after another
// (making one per file costs Wine a temporary storage file each time).
class ShortcutReader {
public:
    std::wstring Location(const std::wstring& path) {
        if (!m_url && FAILED(CoCreateInstance(CLSID_InternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IUniformResourceLocatorW,
                                              reinterpret_cast<void**>(m_url.GetAddressOf())))) {
            return {};
        }
        if (!m_file && FAILED(m_url.As(&m_file))) return {};
        // A file it cannot load (a program shortcut) has no location; the object would
        // otherwise still hold the previous file's.
        if (FAILED(m_file->Load(path.c_str(), STGM_READ))) return {};
        wchar_t* location = nullptr;
        if (FAILED(m_url->GetURL(&location)) || !location) return {};
        std::wstring result = location;
        CoTaskMemFree(location);
        return result;
    }

private:
    ComPtr<IUniformResourceLocatorW> m_url;
    ComPtr<IPersistFile> m_file;
};

// Whether the shell's Internet shortcut object reads the lossless [InternetShortcut.W]
// value. Wine's does not (it reads only the ANSI URL line); there the walk reads that
// one value itself, so both systems give the same locations.
bool ShellReadsWideSection() {
    static const bool reads = [] {
        wchar_t temp[MAX_PATH + 1] = {};
        if (!GetTempPathW(MAX_PATH, temp)) return true;
        const std::wstring probe = std::wstring(temp) + L"tm-probe-" +
                                   std::to_wstring(GetCurrentProcessId()) + L".url";
        const std::wstring wide = L"http://\u4f8b.example/";
        if (!WriteShortcutUrl(probe, wide)) return true;
        const bool same = ShortcutReader().Location(probe) == wide;
        DeleteFileW(probe.c_str());
        return same;
    }();
    return reads;
}

// Wine's shell does not give .url files the link attribute (Windows does); the walk
// takes their extension as that attribute.
bool IsShortcutFile(const std::wstring& path) { return ShortcutNameFromPath(path).has_value(); }

class FolderWalk {
public:
    explicit FolderWalk(int& count) : m_count(count) {}

    void Walk(IShellFolder* folder, IEnumIDList* items, FolderRecord& into) {
        for (;;) {
            ITEMIDLIST* raw = nullptr;
            if (items->Next(1, &raw, nullptr) != S_OK) break;
            OwnedPidl item(raw);
            AddItem(folder, item.get(), into);
        }
    }

private:
    void AddItem(IShellFolder* folder, PCUITEMID_CHILD item, FolderRecord& into) {
        const std::wstring name = DisplayName(folder, item, SHGDN_NORMAL);
        const std::wstring path = DisplayName(folder, item, SHGDN_FORPARSING);
        SHFILEINFOW info{};
        if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ATTRIBUTES | SHGFI_TYPENAME)) return;
        if (info.dwAttributes & SFGAO_FOLDER) {
            ComPtr<IShellFolder> sub;
            if (FAILED(folder->BindToObject(item, nullptr, IID_PPV_ARGS(&sub)))) return;
            auto* record = new FolderRecord;
            record->name = name;
            into.subfolders.push_back(record);
            ++m_count;
            ComPtr<IEnumIDList> subItems;
            if (sub->EnumObjects(nullptr, kEnumFlags, &subItems) == S_OK && subItems) {
                Walk(sub.Get(), subItems.Get(), *record);
            }
        } else if ((info.dwAttributes & SFGAO_LINK) || IsShortcutFile(path)) {
            std::wstring location = m_shortcuts.Location(path);
            if (location.empty()) return;  // a program shortcut
            if (!ShellReadsWideSection() && IsShortcutFile(path)) {
                const std::wstring lossless = ReadShortcutUrl(path);
                if (!lossless.empty()) location = lossless;
            }
            auto* favor = new FavorRecord;
            favor->name = name;
            favor->location = location;
            into.favors.push_back(favor);
            ++m_count;
        }
    }

    int& m_count;
    ShortcutReader m_shortcuts;
};

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

bool CFavorTransfer::ReadFavoritesFolder(const std::wstring& path, FolderRecord& root, int& count) {
    count = 0;
    if (path.empty()) return false;
    ComScope com;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop))) return false;
    ITEMIDLIST* raw = nullptr;
    std::wstring parse = path;  // ParseDisplayName wants writable text
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, parse.data(), nullptr, &raw, nullptr)) || !raw) {
        return false;
    }
    OwnedPidl pidl(raw);
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(pidl.get(), nullptr, IID_PPV_ARGS(&folder)))) return false;
    ComPtr<IEnumIDList> items;
    if (folder->EnumObjects(nullptr, kEnumFlags, &items) != S_OK || !items) return false;
    FolderWalk(count).Walk(folder.Get(), items.Get(), root);
    return true;
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
    for (const FavorRecord* favor : record.favors) {
        const std::wstring file = ShortcutPathFor(dir, SafeFileName(favor->name, L".url"));
        all = (file.size() <= kMaxFilePath && WriteShortcutUrl(file, favor->location)) && all;
        if (step) step();
    }
    for (const FolderRecord* sub : record.subfolders) {
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
