// The two WinHTTP chores every caller of it repeats: an http(s) URL split into what
// WinHttpConnect and WinHttpOpenRequest take, and a response header read as text.
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
