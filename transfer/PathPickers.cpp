#include "transfer/PathPickers.h"
#include "framework/Owned.h"
#include <commdlg.h>
#include <shlobj.h>
#include <vector>

namespace PathPickers {
namespace {

Override gOverride;

// The file dialogs change the process's current directory; put it back.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() {
        const DWORD n = GetCurrentDirectoryW(0, nullptr);
        m_dir.resize(n);
        if (n) m_dir.resize(GetCurrentDirectoryW(n, m_dir.data()));
    }
    ~CurrentDirectoryKeeper() {
        if (!m_dir.empty()) SetCurrentDirectoryW(m_dir.c_str());
    }

private:
    std::wstring m_dir;
};

std::optional<std::wstring> RunFileDialog(HWND owner, const wchar_t* filter, const wchar_t* defExt,
                                          const wchar_t* defName, bool save) {
    CurrentDirectoryKeeper keep;
    std::vector<wchar_t> file(32768, L'\0');
    if (defName) lstrcpynW(file.data(), defName, static_cast<int>(file.size()));
    const std::wstring filters = FilterForDialog(filter);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = defExt;
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return std::nullopt;
    return std::wstring(file.data());
}

}  // namespace

void SetOverride(Override answer) { gOverride = std::move(answer); }

std::wstring FilterForDialog(const wchar_t* filter) {
    std::wstring out = filter ? filter : L"";
    for (wchar_t& c : out)
        if (c == L'|') c = L'\0';
    out.push_back(L'\0');
    return out;
}

std::optional<std::wstring> BrowseForFolder(const wchar_t* title) {
    if (gOverride) return gOverride("folder");
    BROWSEINFOW bi{};
    bi.lpszTitle = title;
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    if (!pidl) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListW(pidl, path);
    CoTaskMemFree(pidl);
    if (!ok) return std::nullopt;
    return std::wstring(path);
}

std::optional<std::wstring> OpenFile(HWND owner, const wchar_t* filter) {
    if (gOverride) return gOverride("open");
    return RunFileDialog(owner, filter, nullptr, nullptr, false);
}

std::optional<std::wstring> SaveFile(HWND owner, const wchar_t* filter, const wchar_t* defaultExt,
                                     const wchar_t* defaultName) {
    if (gOverride) return gOverride("save");
    return RunFileDialog(owner, filter, defaultExt, defaultName, true);
}

}  // namespace PathPickers
