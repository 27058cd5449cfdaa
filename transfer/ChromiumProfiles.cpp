#include "transfer/ChromiumProfiles.h"
#include "framework/Seams.h"
#include "store/TextConv.h"
#include "transfer/FileBytes.h"
#include <windows.h>
#include <shlobj.h>
#include <nlohmann/json.hpp>

namespace {

struct Browser {
    const wchar_t* label;
    const wchar_t* shortName;
    int csidl;
    const wchar_t* folder;  // below the special folder
    bool userData;          // profiles below a "User Data" folder; else the folder is the profile
};
constexpr Browser kBrowsers[] = {
    {L"Google Chrome", L"Chrome", CSIDL_LOCAL_APPDATA, L"Google\\Chrome\\User Data", true},
    {L"Microsoft Edge", L"Edge", CSIDL_LOCAL_APPDATA, L"Microsoft\\Edge\\User Data", true},
    {L"Brave", L"Brave", CSIDL_LOCAL_APPDATA, L"BraveSoftware\\Brave-Browser\\User Data", true},
    {L"Vivaldi", L"Vivaldi", CSIDL_LOCAL_APPDATA, L"Vivaldi\\User Data", true},
    {L"Chromium", L"Chromium", CSIDL_LOCAL_APPDATA, L"Chromium\\User Data", true},
    {L"Opera", L"Opera", CSIDL_APPDATA, L"Opera Software\\Opera Stable", false},
};

std::wstring BrowserFolder(const Browser& b) {
    const std::wstring base = seams::ShellFolderPath(b.csidl);
    return base.empty() ? std::wstring() : base + L"\\" + b.folder;
}

bool IsFile(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::vector<std::wstring> ProfileFolders(std::string_view localState) {
    std::vector<std::wstring> folders;
    const nlohmann::json state = nlohmann::json::parse(localState.begin(), localState.end(), nullptr, false);
    if (state.is_object()) {
        const auto profile = state.find("profile");
        if (profile != state.end() && profile->is_object()) {
            const auto cache = profile->find("info_cache");
            if (cache != profile->end() && cache->is_object())
                for (const auto& entry : cache->items()) folders.push_back(FromUtf8(entry.key()));
        }
    }
    if (folders.empty()) folders.push_back(L"Default");
    return folders;
}

std::vector<ChromiumProfile> FindChromiumProfiles() {
    std::vector<ChromiumProfile> found;
    for (const Browser& b : kBrowsers) {
        const std::wstring folder = BrowserFolder(b);
        if (folder.empty()) continue;
        if (!b.userData) {
            if (IsFile(folder + L"\\Bookmarks"))
                found.push_back({std::wstring(b.label) + L" \u2014 " + (folder.substr(folder.rfind(L'\\') + 1)),
                                 folder + L"\\Bookmarks"});
            continue;
        }
        std::string localState;
        std::wstring unread;  // no profile list: its Default profile is still looked for
        ReadFileBytes(folder + L"\\Local State", localState, unread, size_t{1} << 26);
        for (const std::wstring& profile : ProfileFolders(localState)) {
            if (profile.find_first_of(L"\\/:") != std::wstring::npos || profile == L".." || profile == L".") continue;
            const std::wstring path = folder + L"\\" + profile + L"\\Bookmarks";
            if (IsFile(path)) found.push_back({std::wstring(b.label) + L" \u2014 " + profile, path});
        }
    }
    return found;
}

std::wstring ChromiumBrowserName(const std::wstring& bookmarksPath) {
    for (const Browser& b : kBrowsers) {
        const std::wstring folder = BrowserFolder(b);
        if (folder.empty() || bookmarksPath.size() <= folder.size() || bookmarksPath[folder.size()] != L'\\') continue;
        if (CompareStringOrdinal(bookmarksPath.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                 static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL)
            return b.shortName;
    }
    return L"Chromium";
}
