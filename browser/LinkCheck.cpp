#include "browser/LinkCheck.h"
#include <windows.h>
#include <shlwapi.h>
#include <winhttp.h>
#include <cwchar>

namespace {

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    const size_t n = wcslen(prefix);
    return text.size() >= n && _wcsnicmp(text.c_str(), prefix, n) == 0;
}

bool IsRedirect(int status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }
bool IsPermanent(int status) { return status == 301 || status == 308; }

// A server that answers HEAD with an error may only refuse the method.
bool AskAgainWithGet(const HttpAnswer& a) {
    return (a.error == 0 && a.status >= 400) || a.error == ERROR_WINHTTP_INVALID_SERVER_RESPONSE ||
           a.error == ERROR_WINHTTP_CONNECTION_ERROR;
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
    if (status >= 500) return LinkOutcome::ServerError;
    return LinkOutcome::Refused;  // 401, 403, 429 and the other refusals
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
    static const wchar_t* const kNames[] = {L"OK", L"Moved", L"Not found", L"Server error",
                                           L"Refused", L"No answer", L"Name not found"};
    std::wstring text = kNames[static_cast<int>(r.outcome)];
    if (!r.detail.empty()) return text + L" (" + r.detail + L")";
    if (r.status > 0 && r.outcome != LinkOutcome::Ok && r.outcome != LinkOutcome::Moved)
        text += L" (" + std::to_wstring(r.status) + L")";
    return text;
}

LinkCheckResult FollowLink(const std::wstring& location, const AskFunction& ask) {
    std::wstring current = location;
    std::wstring movedTo;     // the end of the leading chain of permanent redirects
    bool permanentSoFar = true;
    for (int hop = 0;; ++hop) {
        HttpAnswer a = ask(current, L"HEAD");
        if (AskAgainWithGet(a)) a = ask(current, L"GET");
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
        if (permanentSoFar) movedTo = next;
        if (!IsWebLocation(next)) {  // it left the web: as far as it can be checked
            LinkCheckResult r = Finish(movedTo.empty() ? LinkOutcome::Ok : LinkOutcome::Moved, a.status);
            r.newLocation = movedTo;
            return r;
        }
        current = next;
    }
}
