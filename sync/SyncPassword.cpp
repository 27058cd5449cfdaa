#include "sync/SyncPassword.h"
#include <windows.h>
#include <wincred.h>

std::wstring SyncPasswordTarget(const std::wstring& folderUrl) { return L"Tidemarker:" + folderUrl; }

bool SaveSyncPassword(const std::wstring& folderUrl, const std::wstring& user, const std::wstring& password) {
    std::wstring target = SyncPasswordTarget(folderUrl);
    std::wstring userName = user;
    std::wstring secret = password;
    CREDENTIALW cred{};
    cred.Type = CRED_TYPE_GENERIC;
    cred.TargetName = target.data();
    cred.UserName = userName.data();
    cred.CredentialBlob = reinterpret_cast<BYTE*>(secret.data());
    cred.CredentialBlobSize = static_cast<DWORD>(secret.size() * sizeof(wchar_t));
    cred.Persist = CRED_PERSIST_LOCAL_MACHINE;
    const bool ok = CredWriteW(&cred, 0) != FALSE;
    SecureZeroMemory(secret.data(), secret.size() * sizeof(wchar_t));
    return ok;
}

std::optional<std::wstring> LoadSyncPassword(const std::wstring& folderUrl) {
    PCREDENTIALW cred = nullptr;
    if (!CredReadW(SyncPasswordTarget(folderUrl).c_str(), CRED_TYPE_GENERIC, 0, &cred)) return std::nullopt;
    std::wstring password(reinterpret_cast<const wchar_t*>(cred->CredentialBlob),
                          cred->CredentialBlobSize / sizeof(wchar_t));
    SecureZeroMemory(cred->CredentialBlob, cred->CredentialBlobSize);
    CredFree(cred);
    return password;
}

bool DeleteSyncPassword(const std::wstring& folderUrl) {
    return CredDeleteW(SyncPasswordTarget(folderUrl).c_str(), CRED_TYPE_GENERIC, 0) || GetLastError() == ERROR_NOT_FOUND;
}
