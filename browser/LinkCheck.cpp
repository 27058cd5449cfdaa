#include "browser/LinkCheck.h"
#include <windows.h>
#include <shlwapi.h>
#include <winhttp.h>
#include <climits>
#include <cwchar>

namespace {

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    const size_t n = wcslen(prefix);
    return text.size() >= n && _wcsnicmp(text.c_str(), prefix, n) == 0;
}

bool IsRedirect(int status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }
bool IsPermanent(int status) { return status == 301 || status == 308; }
bool IsBusy(int status) { return status == 429 || status == 503; }

// A server that answers HEAD with an error may only refuse the method; a busy one does
// not want a second request at once.
bool AskAgainWithGet(const HttpAnswer& a) {
    return (a.error == 0 && a.status >= 400 && !IsBusy(a.status)) || a.error == ERROR_WINHTTP_INVALID_SERVER_RESPONSE ||
           a.error == ERROR_WINHTTP_CONNECTION_ERROR;
}

// One answer for the current location: HEAD (GET when HEAD is refused), and once more
// after the wait a busy server asks for, when it asks for a short one.
HttpAnswer AskOnce(const std::wstring& url, const LinkWalk& walk, bool& waited) {
    const wchar_t* method = L"HEAD";
    HttpAnswer a = walk.ask(url, method);
    if (AskAgainWithGet(a)) a = walk.ask(url, method = L"GET");
    if (a.error != 0 || !IsBusy(a.status) || waited || a.retryAfter < 0 || a.retryAfter > kMaxRetryAfterSeconds)
        return a;
    waited = true;
    if (walk.pause && !walk.pause(static_cast<unsigned long>(a.retryAfter) * 1000)) return a;
    return walk.ask(url, method);
}

// The Location header resolved against the location that sent it.
std::wstring Resolve(const std::wstring& base, const std::wstring& target) {
    std::wstring combined(base.size() + target.size() + 64, L'\0');
    DWORD size = static_cast<DWORD>(combined.size());
    HRESULT hr = UrlCombineW(base.c_str(), target.c_str(), combined.data(), &size, 0);
    if (hr == E_POINTER) {  // `size` now holds what it needs
        combined.assign(size + 1, L'\0');
        size = static_cast<DWORD>(combined.size());
        hr = UrlCombineW(base.c_str(), target.c_str(), combined.data(), &size, 0);
    }
    if (FAILED(hr)) return target;
    combined.resize(size);
    return combined;
}

LinkCheckResult Finish(LinkOutcome outcome, int status, const wchar_t* detail = L"") {
    LinkCheckResult r;
    r.outcome = outcome;
    r.status = status;
    r.detail = detail;
    return r;
}

}  // namespace

bool IsWebLocation(const std::wstring& location) {
    return StartsWithNoCase(location, L"http://") || StartsWithNoCase(location, L"https://");
}

bool IsReservedInvalidName(const std::wstring& host) {
    std::wstring h = host;
    while (!h.empty() && h.back() == L'.') h.pop_back();  // "name.invalid." is the same name
    return _wcsicmp(h.c_str(), L"invalid") == 0 || (h.size() > 8 && _wcsicmp(h.c_str() + h.size() - 8, L".invalid") == 0);
}

LinkOutcome OutcomeOfStatus(int status) {
    if (status >= 200 && status < 400) return LinkOutcome::Ok;
    if (status == 404 || status == 410) return LinkOutcome::NotFound;
    if (IsBusy(status)) return LinkOutcome::Busy;
    if (status >= 500) return LinkOutcome::ServerError;
    return LinkOutcome::Refused;  // 401, 403 and the other refusals
}

LinkOutcome OutcomeOfError(unsigned long error) {
    switch (error) {
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
    case ERROR_WINHTTP_INVALID_URL:
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
        return LinkOutcome::NameNotFound;
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case WSAECONNREFUSED:
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
        return LinkOutcome::Refused;
    default:  // timeouts (WinHTTP's, or the socket's WSAETIMEDOUT), resets, broken answers
        return LinkOutcome::NoAnswer;
    }
}

std::wstring OutcomeText(const LinkCheckResult& r) {
    static const wchar_t* const kNames[] = {L"OK",      L"Moved",     L"Not found",      L"Server error",
                                           L"Refused", L"No answer", L"Name not found", L"Busy",
                                           L"Redirected to private address"};
    std::wstring text = kNames[static_cast<int>(r.outcome)];
    if (!r.detail.empty()) return text + L" (" + r.detail + L")";
    if (r.status > 0 && r.outcome != LinkOutcome::Ok && r.outcome != LinkOutcome::Moved)
        text += L" (" + std::to_wstring(r.status) + L")";
    return text;
}

int RetryAfterSeconds(const std::wstring& value, const SYSTEMTIME& now) {
    if (!value.empty() && value.find_first_not_of(L"0123456789") == std::wstring::npos)
        return value.size() > 6 ? INT_MAX : std::stoi(value);
    // An HTTP date ends in "GMT"; the parser itself takes almost any text for one.
    if (value.size() < 4 || value.compare(value.size() - 3, 3, L"GMT") != 0) return -1;
    SYSTEMTIME when{};
    FILETIME whenFile{}, nowFile{};
    if (!WinHttpTimeToSystemTime(value.c_str(), &when) || !SystemTimeToFileTime(&when, &whenFile) ||
        !SystemTimeToFileTime(&now, &nowFile))
        return -1;
    const auto ticks = [](const FILETIME& f) { return (static_cast<long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    const long long seconds = (ticks(whenFile) - ticks(nowFile)) / 10000000;
    return seconds < 0 ? 0 : seconds > INT_MAX ? INT_MAX : static_cast<int>(seconds);
}

LinkCheckResult FollowLink(const std::wstring& location, const LinkWalk& walk) {
    std::wstring current = location;
    std::wstring movedTo;     // the end of the leading chain of permanent redirects
    bool permanentSoFar = true;
    bool waited = false;      // for a busy server, once per link
    int startPrivate = -1;    // whether the link itself is on a private host: asked at its first redirect
    for (int hop = 0;; ++hop) {
        const HttpAnswer a = AskOnce(current, walk, waited);
        if (a.error == ERROR_WINHTTP_INVALID_URL || a.error == ERROR_WINHTTP_UNRECOGNIZED_SCHEME)
            return Finish(LinkOutcome::NameNotFound, 0, L"bad address");
        if (a.error != 0) return Finish(OutcomeOfError(a.error), 0);
        if (!IsRedirect(a.status) || a.location.empty()) {
            LinkCheckResult r = Finish(OutcomeOfStatus(a.status), a.status);
            if (r.outcome == LinkOutcome::Ok && !movedTo.empty()) {
                r.outcome = LinkOutcome::Moved;
                r.newLocation = movedTo;
            }
            return r;
        }
        if (hop == kMaxRedirects) return Finish(LinkOutcome::ServerError, a.status, L"too many redirects");
        const std::wstring next = Resolve(current, a.location);
        permanentSoFar = permanentSoFar && IsPermanent(a.status);
        if (!IsWebLocation(next)) {  // it left the web: as far as it can be checked, and never a new location
            if (permanentSoFar) return Finish(LinkOutcome::Moved, a.status, L"not a web address");
            LinkCheckResult r = Finish(movedTo.empty() ? LinkOutcome::Ok : LinkOutcome::Moved, a.status);
            r.newLocation = movedTo;
            return r;
        }
        if (startPrivate < 0) startPrivate = walk.isPrivate && walk.isPrivate(location) ? 1 : 0;
        if (!startPrivate && walk.isPrivate && walk.isPrivate(next))
            return Finish(LinkOutcome::PrivateRedirect, a.status);
        if (permanentSoFar) movedTo = next;
        current = next;
    }
}
