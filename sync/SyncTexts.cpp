#include "sync/SyncTexts.h"
#include <cwctype>

namespace synctexts {

namespace {

std::wstring Clock(const SYSTEMTIME& at) {
    wchar_t text[8] = {};
    swprintf(text, 8, L"%02u:%02u", at.wHour % 24, at.wMinute % 60);
    return text;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// The host of an http(s) address in lower case, without port or brackets; empty when
// the address has none.
std::wstring HostOf(const std::wstring& url, size_t schemeEnd) {
    const size_t start = schemeEnd + 3;
    size_t end = url.find_first_of(L"/?#", start);
    std::wstring authority = url.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    const size_t at = authority.rfind(L'@');
    if (at != std::wstring::npos) authority.erase(0, at + 1);
    if (!authority.empty() && authority[0] == L'[') return Lower(authority.substr(1, authority.find(L']') - 1));
    return Lower(authority.substr(0, authority.find(L':')));
}

// 127.0.0.0/8 written as four decimal numbers.
bool IsLoopbackIPv4(const std::wstring& host) {
    if (host.rfind(L"127.", 0) != 0) return false;
    int dots = 0;
    for (wchar_t c : host) {
        if (c == L'.') ++dots;
        else if (c < L'0' || c > L'9') return false;
    }
    return dots == 3;
}

size_t SchemeEnd(const std::wstring& url, const wchar_t* scheme) {
    const std::wstring prefix = std::wstring(scheme) + L"://";
    return Lower(url.substr(0, prefix.size())) == prefix ? prefix.size() - 3 : std::wstring::npos;
}

}  // namespace

std::wstring StatusText(const SyncJobResult& r, const SYSTEMTIME& at) {
    switch (r.end) {
    case SyncEnd::Synced: return L"Synced " + Clock(at);
    case SyncEnd::LockHeld: return L"Sync waits: another device is syncing";
    case SyncEnd::Stopped: return L"Sync stopped";
    case SyncEnd::AskDeletions:
        return L"Not synced: it would delete " + std::to_wstring(r.localFavorsDeleted + r.serverFavorsDeleted) +
               L" favorites";
    case SyncEnd::Failed: break;
    }
    return L"Not synced: " + (r.reason.empty() ? DescribeDavResult(r.dav) : r.reason);
}

std::wstring ResultLine(const SyncJobResult& r, const SYSTEMTIME& at) {
    const std::wstring status = StatusText(r, at);
    return r.end == SyncEnd::Synced ? status : status + L", " + Clock(at);
}

std::wstring DeletionQuestion(const SyncJobResult& r) {
    std::wstring text = L"This sync would delete";
    if (r.localFavorsDeleted)
        text += L" " + std::to_wstring(r.localFavorsDeleted) + L" of the " + std::to_wstring(r.localFavors) +
                L" favorites here";
    if (r.localFavorsDeleted && r.serverFavorsDeleted) text += L" and";
    if (r.serverFavorsDeleted)
        text += L" " + std::to_wstring(r.serverFavorsDeleted) + L" of the " + std::to_wstring(r.serverFavors) +
                L" favorites on the server";
    return text + L".\n\nDelete them and go on with the sync?";
}

std::wstring CertificateQuestion(const std::wstring& url, const ServerCertificate& c) {
    return L"The server " + url + L" shows a certificate that Windows does not trust.\n\nSubject: " + c.subject +
           L"\nSHA-256 thumbprint: " + c.thumbprint +
           L"\n\nTrust this one certificate for syncing? Compare the thumbprint with the one your server "
           L"shows before you answer Yes.";
}

std::wstring PasswordRefusedText(const std::wstring& url) {
    return L"The server " + url + L" refused the user name or password.\n\nSyncing stops until you change them "
                                  L"in Preferences, Sync.";
}

std::wstring PlainHttpQuestion(const std::wstring& url) {
    return L"The address " + url + L" is not https: your user name and password would travel over the network "
                                   L"unencrypted, and anyone on the way could read them.\n\nSync with it anyway?";
}

bool IsServerUrl(const std::wstring& url) {
    const size_t http = SchemeEnd(url, L"http"), https = SchemeEnd(url, L"https");
    const size_t end = https != std::wstring::npos ? https : http;
    return end != std::wstring::npos && !HostOf(url, end).empty();
}

bool IsPlainHttpToOtherHost(const std::wstring& url) {
    const size_t end = SchemeEnd(url, L"http");
    if (end == std::wstring::npos) return false;
    const std::wstring host = HostOf(url, end);
    return !(host == L"localhost" || host == L"::1" || IsLoopbackIPv4(host));
}

}  // namespace synctexts
