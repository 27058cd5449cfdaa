// The WinHTTP chores every caller of it repeats: an http(s) URL split into what
// WinHttpConnect and WinHttpOpenRequest take, a request kept to itself, and a response
// header read as text.
#pragma once
#include <windows.h>
#include <winhttp.h>
#include <string>

namespace fw {

struct HttpUrlParts {
    std::wstring host;
    std::wstring path;  // from its '/', with the query, without the fragment
    INTERNET_PORT port = 0;
    bool secure = false;
};

// 0, or the WinHTTP error (ERROR_WINHTTP_UNRECOGNIZED_SCHEME for anything but http and https).
inline DWORD CrackHttpUrl(const std::wstring& url, HttpUrlParts& out) {
    URL_COMPONENTS c{};
    c.dwStructSize = sizeof c;
    c.dwHostNameLength = c.dwUrlPathLength = c.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &c)) return GetLastError();
    if (c.nScheme != INTERNET_SCHEME_HTTP && c.nScheme != INTERNET_SCHEME_HTTPS) return ERROR_WINHTTP_UNRECOGNIZED_SCHEME;
    out.host.assign(c.lpszHostName ? c.lpszHostName : L"", c.dwHostNameLength);
    if (out.host.empty()) return ERROR_WINHTTP_INVALID_URL;
    out.path.assign(c.lpszUrlPath ? c.lpszUrlPath : L"", c.dwUrlPathLength);
    out.path.append(c.lpszExtraInfo ? c.lpszExtraInfo : L"", c.dwExtraInfoLength);
    out.path = out.path.substr(0, out.path.find(L'#'));  // the fragment never goes to the server
    if (out.path.empty() || out.path[0] != L'/') out.path.insert(0, L"/");
    out.port = c.nPort;
    out.secure = c.nScheme == INTERNET_SCHEME_HTTPS;
    return 0;
}

// A request that sends nothing of the user's by itself and follows nothing: no cookies, no
// redirects, no automatic authentication or logon (`alsoDisabled` adds features such as
// WINHTTP_DISABLE_KEEP_ALIVE), and `timeoutMs` on every step. False with GetLastError set.
inline bool KeepRequestToItself(HINTERNET request, DWORD timeoutMs, DWORD alsoDisabled = 0) {
    DWORD off = WINHTTP_DISABLE_COOKIES | WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_AUTHENTICATION | alsoDisabled;
    DWORD logon = WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH;
    const int t = static_cast<int>(timeoutMs);
    return WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &off, sizeof off) &&
           WinHttpSetOption(request, WINHTTP_OPTION_AUTOLOGON_POLICY, &logon, sizeof logon) &&
           WinHttpSetTimeouts(request, t, t, t, t) &&
           // Waiting for the answer's headers has a timeout of its own.
           WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &timeoutMs, sizeof timeoutMs);
}

// A header of the answer (WINHTTP_QUERY_LOCATION, WINHTTP_QUERY_ETAG, ...); empty when absent.
inline std::wstring QueryHeaderText(HINTERNET request, DWORD what) {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return {};
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &bytes, WINHTTP_NO_HEADER_INDEX))
        return {};
    text.resize(bytes / sizeof(wchar_t));
    return text;
}

}  // namespace fw
