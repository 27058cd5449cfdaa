// The sync password, kept only in Windows Credential Manager: a generic credential
// whose target is "Tidemarker:" followed by the server folder URL, with the user name
// beside it. It is never written to the settings file or shown.
#pragma once
#include <optional>
#include <string>

std::wstring SyncPasswordTarget(const std::wstring& folderUrl);

// False when Windows refused to store it (GetLastError says why).
bool SaveSyncPassword(const std::wstring& folderUrl, const std::wstring& user, const std::wstring& password);
// Nothing when none is stored for that URL.
std::optional<std::wstring> LoadSyncPassword(const std::wstring& folderUrl);
// True also when there was none.
bool DeleteSyncPassword(const std::wstring& folderUrl);
