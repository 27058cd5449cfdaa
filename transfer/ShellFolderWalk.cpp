#include "transfer/ShellFolderWalk.h"
#include "transfer/ImportedItems.h"
#include "transfer/ShortcutFile.h"
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

using Microsoft::WRL::ComPtr;

namespace {

constexpr SHCONTF kEnumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;  // hidden items stay out
constexpr ULONGLONG kProgressIntervalMs = 100;

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

std::wstring LocationOf(const std::wstring& path) noexcept {
    try {
        return ReadShortcutUrl(path);
    } catch (...) {
        return {};  // no memory for it: the favorite is left out like one without a location
    }
}

// Reads the shortcuts' locations on a thread of its own while the walk asks the shell
// for the next items: each waits on something else (the disk, the shell's registry
// look-ups for display names). Without a thread it reads each file at once.
class LocationReader {
public:
    LocationReader() {
        try {
            m_thread = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
        }
    }
    ~LocationReader() { Finish(); }
    LocationReader(const LocationReader&) = delete;
    LocationReader& operator=(const LocationReader&) = delete;

    // The location of the folder's favorite at `index` is set before Finish returns. The
    // reader never touches the records while the walk adds to them: it keeps what it read
    // and Finish writes it in.
    void Add(FolderRecord& folder, size_t index, std::wstring path) {
        if (!m_thread.joinable()) {
            folder.favors[index].location = LocationOf(path);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_jobs.push_back({&folder, index, std::move(path), {}});
        }
        m_wake.notify_one();
    }

    void Finish() {
        if (!m_thread.joinable()) return;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_closed = true;
        }
        m_wake.notify_one();
        m_thread.join();
        for (Job& job : m_done) job.folder->favors[job.index].location = std::move(job.location);
        m_done.clear();
    }

private:
    struct Job {
        FolderRecord* folder;  // folders keep their address while the walk goes on
        size_t index;
        std::wstring path;
        std::wstring location;
    };

    void Run() {
        std::unique_lock<std::mutex> lock(m_lock);
        for (;;) {
            m_wake.wait(lock, [this] { return m_closed || !m_jobs.empty(); });
            if (m_jobs.empty()) return;  // closed and nothing left
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job.location = LocationOf(job.path);
            lock.lock();
            m_done.push_back(std::move(job));
        }
    }

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    std::vector<Job> m_done;  // the reader's own until Finish
    bool m_closed = false;
    std::thread m_thread;  // last: started once the rest exists
};

// The shell names a file from its parsing name: the extension is shown or hidden by
// the file's type and the user's setting, unless the folder's desktop.ini renames it
// (read only for folders marked read-only or system). So the shell is asked for the
// first file of each extension, and the others of that extension are named the same
// way; an extension whose answer has any other form is asked for every file. Under
// Wine each answer costs several registry look-ups, far more than reading the file.
class FileNames {
public:
    std::wstring NameOf(IShellFolder* folder, PCUITEMID_CHILD item, bool folderRenamesFiles) {
        const std::wstring parsing = DisplayName(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING);
        const std::wstring stem = parsing.substr(0, PathFindExtensionW(parsing.c_str()) - parsing.c_str());
        std::wstring extension = parsing.substr(stem.size());
        CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
        const auto known = m_rules.find(extension);
        if (!folderRenamesFiles && !parsing.empty() && known != m_rules.end()) {
            if (known->second == Rule::Shown) return parsing;
            if (known->second == Rule::Hidden) return stem;
        }
        std::wstring name = DisplayName(folder, item, SHGDN_NORMAL);
        if (!folderRenamesFiles && !parsing.empty() && known == m_rules.end()) {
            m_rules[extension] = name == parsing ? Rule::Shown : name == stem ? Rule::Hidden : Rule::Ask;
        }
        return name;
    }

private:
    enum class Rule { Shown, Hidden, Ask };
    std::map<std::wstring, Rule> m_rules;  // by extension in lower case
};

bool RenamesFiles(const std::wstring& folderPath) {
    const DWORD attributes = GetFileAttributesW(folderPath.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
}

// Wine's shell does not give .url files the link attribute (Windows does); the walk
// takes their extension as that attribute.
bool IsShortcutFile(const std::wstring& path) { return ShortcutNameFromPath(path).has_value(); }


class FolderWalk {
public:
    FolderWalk(int& count, const ReadProgress& progress) : m_count(count), m_progress(progress) {}

    void Walk(IShellFolder* folder, IEnumIDList* items, const std::wstring& path, FolderRecord& into) {
        const bool renamesFiles = RenamesFiles(path);
        for (;;) {
            ITEMIDLIST* raw = nullptr;
            if (items->Next(1, &raw, nullptr) != S_OK) break;
            OwnedPidl item(raw);
            AddItem(folder, item.get(), renamesFiles, into);
        }
    }

    // Waits for the last locations and drops the shortcuts that have none.
    void Finish(FolderRecord& root) {
        m_reader.Finish();
        // Shortcuts without a location (program shortcuts, files without a URL) are dropped.
        m_count -= DropFavors(root, [](const FavorRecord& favor) { return favor.location.empty(); });
    }

private:
    void AddItem(IShellFolder* folder, PCUITEMID_CHILD item, bool renamesFiles, FolderRecord& into) {
        std::wstring path = DisplayName(folder, item, SHGDN_FORPARSING);
        // The shell's file functions refuse paths this long, and so did the reading of them.
        if (path.empty() || path.size() >= MAX_PATH) return;
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_LINK;
        if (FAILED(folder->GetAttributesOf(1, &item, &attributes))) return;
        if (attributes & SFGAO_FOLDER) {
            ComPtr<IShellFolder> sub;
            if (FAILED(folder->BindToObject(item, nullptr, IID_PPV_ARGS(&sub)))) return;
            FolderRecord& record = into.AddSubfolder();
            record.name = DisplayName(folder, item, SHGDN_NORMAL);
            Counted();
            ComPtr<IEnumIDList> subItems;
            if (sub->EnumObjects(nullptr, kEnumFlags, &subItems) == S_OK && subItems) {
                Walk(sub.Get(), subItems.Get(), path, record);
            }
        } else if ((attributes & SFGAO_LINK) || IsShortcutFile(path)) {
            FavorRecord& favor = into.favors.emplace_back();
            favor.name = m_names.NameOf(folder, item, renamesFiles);
            Counted();
            m_reader.Add(into, into.favors.size() - 1, std::move(path));
        }
    }

    void Counted() {
        ++m_count;
        const ULONGLONG now = GetTickCount64();
        if (!m_progress || (m_reported && now - m_lastReport < kProgressIntervalMs)) return;
        m_reported = true;
        m_lastReport = now;
        m_progress(m_count);
    }

    int& m_count;
    const ReadProgress& m_progress;
    bool m_reported = false;
    ULONGLONG m_lastReport = 0;
    FileNames m_names;
    LocationReader m_reader;
};

}  // namespace

bool ReadShellFolder(const std::wstring& path, FolderRecord& root, int& count, const ReadProgress& progress) {
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
    FolderWalk walk(count, progress);
    walk.Walk(folder.Get(), items.Get(), path, root);
    walk.Finish(root);
    return true;
}
