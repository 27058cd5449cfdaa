// What the program says about syncs: the status line, the result line of Preferences,
// and the questions that need the user. Plain text, no window.
#pragma once
#include "sync/CSyncJob.h"
#include <windows.h>
#include <string>

namespace synctexts {

constexpr const wchar_t* kCaption = L"Tidemarker Sync";
constexpr const wchar_t* kNotYet = L"Not synced yet";
constexpr const wchar_t* kSyncing = L"Syncing...";
constexpr const wchar_t* kNoServer = L"Not synced: no server set (Preferences, Sync)";
constexpr const wchar_t* kReadOnly = L"Not synced: the favorites file is read-only";

// "Synced 14:05", or "Not synced: <why>" / "Sync waits: <why>" in a few words.
std::wstring StatusText(const SyncJobResult& result, const SYSTEMTIME& at);
// The status text with the time of a failure ("..., 14:05") for Preferences.
std::wstring ResultLine(const SyncJobResult& result, const SYSTEMTIME& at);

// The question before many deletions, with the counts of each side.
std::wstring DeletionQuestion(const SyncJobResult& result);
// The certificate the server showed, and whether to trust this one certificate.
std::wstring CertificateQuestion(const std::wstring& url, const ServerCertificate& certificate);
// Told once when the server refuses the user name or password.
std::wstring PasswordRefusedText(const std::wstring& url);
// Asked before a password would travel unencrypted.
std::wstring PlainHttpQuestion(const std::wstring& url);

// An http:// address whose host is not this machine (localhost, 127.x.x.x, [::1]):
// the password would cross the network unencrypted.
bool IsPlainHttpToOtherHost(const std::wstring& url);
// An address a sync can use: http:// or https:// with a host.
bool IsServerUrl(const std::wstring& url);

}  // namespace synctexts
