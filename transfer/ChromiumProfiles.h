// The Chromium-family browsers' profiles on this machine: each profile folder named in
// "User Data\Local State" (profile.info_cache, else "Default") that holds a Bookmarks
// file, for Google Chrome, Microsoft Edge, Brave, Vivaldi and Chromium below
// %LOCALAPPDATA%, and Opera's own folder below %APPDATA%.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct ChromiumProfile {
    std::wstring label;          // "Google Chrome — Default"
    std::wstring bookmarksPath;  // ...\User Data\Default\Bookmarks
};

// The profile folder names of a Local State file, in its order; {"Default"} when it
// names none or is no JSON.
std::vector<std::wstring> ProfileFolders(std::string_view localState);

// Every profile found, browser by browser in the order above.
std::vector<ChromiumProfile> FindChromiumProfiles();

// The short name of the browser whose data folder holds `bookmarksPath` ("Chrome",
// "Edge", "Brave", "Vivaldi", "Opera"), or "Chromium" for a file elsewhere.
std::wstring ChromiumBrowserName(const std::wstring& bookmarksPath);
