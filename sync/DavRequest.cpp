#include "sync/DavRequest.h"
#include "framework/WinHttpText.h"
#include "store/TextConv.h"
#include "sync/ServerCertificateCheck.h"
#include <winhttp.h>
#include <wincrypt.h>
#include <cwctype>
#include <vector>

struct CDavRequests::Target : fw::HttpUrlParts {};

// What the status callback checks when Windows' own certificate check is off: the
// certificate must be the trusted one or one Windows trusts for the host; `capture`
// only records it and stops the request before anything is sent.
struct CDavRequests::CertCheck {
    CDavRequests* owner;
    std::wstring host;
    std::wstring trusted;  // upper-case hex
    bool capture = false;
    bool refused = false;
    bool windowsTrusts = false;
    ServerCertificate seen;
};

namespace {

constexpr DWORD kIgnoreCertificateErrors = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID |
                                           SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                                           SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE;

bool IsCertificateError(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE: return true;
    default: return false;
    }
}

std::wstring HexOnlyUpper(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (iswxdigit(c)) out += static_cast<wchar_t>(towupper(c));
    return out;
}

std::optional<long long> QueryTime(HINTERNET request, DWORD what) {
    SYSTEMTIME st{};
    DWORD size = sizeof st;
    FILETIME ft{};
    if (!WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_SYSTEMTIME, WINHTTP_HEADER_NAME_BY_INDEX, &st, &size,
                             WINHTTP_NO_HEADER_INDEX) ||
        !SystemTimeToFileTime(&st, &ft))
        return std::nullopt;
    return static_cast<long long>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 10000000);
}

void CALLBACK OnRequestStatus(HINTERNET request, DWORD_PTR context, DWORD status, void*, DWORD) {
    if (status != WINHTTP_CALLBACK_STATUS_SENDING_REQUEST || !context) return;
    auto* check = reinterpret_cast<CDavRequests::CertCheck*>(context);
    PCCERT_CONTEXT cert = nullptr;
    DWORD size = sizeof cert;
    if (WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &cert, &size) && cert) {
        check->seen = DescribeCertificate(cert);
        check->windowsTrusts = WindowsTrustsCertificate(cert, check->host);
        check->refused = check->capture || (check->seen.thumbprint != check->trusted && !check->windowsTrusts);
        CertFreeCertificateContext(cert);
    } else {
        check->refused = true;
    }
    // Closing the request here keeps its headers, with the password, from being sent.
    if (check->refused) check->owner->Close(request);
}

}  // namespace

CDavRequests::CDavRequests(const WebDavSettings& settings, const std::atomic<bool>& cancelled)
    : m_settings(settings), m_cancelled(cancelled) {
    const std::string pair = ToUtf8(settings.user + L":" + settings.password);
    DWORD n = 0;
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    const auto* bytes = reinterpret_cast<const BYTE*>(pair.data());
    if (CryptBinaryToStringW(bytes, static_cast<DWORD>(pair.size()), flags, nullptr, &n)) {
        std::wstring encoded(n, L'\0');
        if (CryptBinaryToStringW(bytes, static_cast<DWORD>(pair.size()), flags, encoded.data(), &n)) {
            encoded.resize(n);
            m_authorization = L"Authorization: Basic " + encoded + L"\r\n";
        }
        SecureZeroMemory(encoded.data(), encoded.size() * sizeof(wchar_t));
    }
}

CDavRequests::~CDavRequests() {
    if (m_session) WinHttpCloseHandle(m_session);
    SecureZeroMemory(m_authorization.data(), m_authorization.size() * sizeof(wchar_t));
}

void CDavRequests::Cancel() {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_request) WinHttpCloseHandle(std::exchange(m_request, nullptr));
}

void CDavRequests::Close(void* request) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_request == request) WinHttpCloseHandle(std::exchange(m_request, nullptr));
}

void* CDavRequests::Open(void* connection, const wchar_t* method, const Target& target, CertCheck& check) {
    HINTERNET r = WinHttpOpenRequest(connection, method, target.path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                     WINHTTP_DEFAULT_ACCEPT_TYPES, target.secure ? WINHTTP_FLAG_SECURE : 0);
    if (!r) return nullptr;
    // Windows' certificate check is off for a request whose certificate the status
    // callback checks itself; its connection is then never kept for another request,
    // which could expect Windows' check to have been made.
    const bool ownCheck = target.secure && (check.capture || !check.trusted.empty());
    bool set = fw::KeepRequestToItself(r, m_settings.timeoutMs, ownCheck ? WINHTTP_DISABLE_KEEP_ALIVE : 0);
    if (set && ownCheck) {
        DWORD flags = kIgnoreCertificateErrors;
        set = WinHttpSetOption(r, WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags) &&
              WinHttpSetStatusCallback(r, &OnRequestStatus, WINHTTP_CALLBACK_FLAG_SEND_REQUEST, 0) !=
                  WINHTTP_INVALID_STATUS_CALLBACK;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    if (!set || m_cancelled) {
        const DWORD error = set ? static_cast<DWORD>(ERROR_WINHTTP_OPERATION_CANCELLED) : GetLastError();
        WinHttpCloseHandle(r);
        SetLastError(error);
        return nullptr;
    }
    m_request = r;
    return r;
}

DavResult CDavRequests::Failure(DWORD error, const Target& target) {
    DavResult r;
    if (m_cancelled) {
        r.status = DavStatus::Cancelled;
    } else if (target.secure && (IsCertificateError(error) || error == ERROR_WINHTTP_SECURE_CHANNEL_ERROR)) {
        // Some TLS stacks end the handshake over an untrusted certificate with a channel
        // error: it counts as the certificate's fault only when Windows does not trust it.
        CertCheck check{this, target.host, {}, true};
        CheckCertificate(target, check);
        const bool blamed = !check.seen.thumbprint.empty() && (IsCertificateError(error) || !check.windowsTrusts);
        r.status = blamed ? DavStatus::Certificate : DavStatus::Network;
        r.error = error;
        if (blamed) r.certificate = check.seen;
    } else {
        r.status = DavStatus::Network;
        r.error = error;
    }
    return r;
}

// An OPTIONS request without the password, whose certificate the status callback
// checks (or only records, when `check.capture` is set).
void CDavRequests::CheckCertificate(const Target& target, CertCheck& check) {
    void* connection = WinHttpConnect(m_session, target.host.c_str(), target.port, 0);
    if (!connection) return;
    if (HINTERNET request = static_cast<HINTERNET>(Open(connection, L"OPTIONS", target, check))) {
        if (WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                               reinterpret_cast<DWORD_PTR>(&check)) &&
            WinHttpReceiveResponse(request, nullptr)) {
            char drain[4096];
            DWORD got = 0;
            while (WinHttpReadData(request, drain, sizeof drain, &got) && got > 0) {
            }
        }
        Close(request);
    }
    WinHttpCloseHandle(connection);
}



DavResult CDavRequests::Send(const wchar_t* method, const std::wstring& url, const std::wstring& headers,
                             const std::string& body, DavReply& reply, size_t maxBody) {
    if (m_cancelled) return {DavStatus::Cancelled};
    Target target;
    if (fw::CrackHttpUrl(url, target) != 0 || body.size() > 0xFFFFFFFFu)
        return {DavStatus::BadSettings};
    if (!m_session) {
        m_session = WinHttpOpen(L"Tidemarker", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                WINHTTP_NO_PROXY_BYPASS, 0);
        if (!m_session) return Failure(GetLastError(), target);
    }
    // A certificate trusted by thumbprint is first checked on a request that carries no
    // password, so a session never sends one to a server showing another certificate;
    // each request's certificate is checked again before the request is sent.
    const std::wstring trusted = HexOnlyUpper(m_settings.trustedThumbprint);
    if (target.secure && !trusted.empty() && !m_certificateChecked) {
        CertCheck check{this, target.host, trusted};
        CheckCertificate(target, check);
        if (check.refused || check.seen.thumbprint.empty()) {
            DavResult r = m_cancelled ? DavResult{DavStatus::Cancelled} : DavResult{DavStatus::Certificate};
            r.certificate = check.seen;
            return r;
        }
        m_certificateChecked = true;
    }
    return Exchange(target, method, headers, body, reply, maxBody);
}

DavResult CDavRequests::Exchange(const Target& target, const wchar_t* method, const std::wstring& headers,
                                 const std::string& body, DavReply& reply, size_t maxBody) {
    struct Connection {
        HINTERNET h;
        ~Connection() {
            if (h) WinHttpCloseHandle(h);
        }
    } connection{WinHttpConnect(m_session, target.host.c_str(), target.port, 0)};
    if (!connection.h) return Failure(GetLastError(), target);
    CertCheck check{this, target.host, HexOnlyUpper(m_settings.trustedThumbprint)};
    HINTERNET request = static_cast<HINTERNET>(Open(connection.h, method, target, check));
    if (!request) return Failure(GetLastError(), target);
    struct Closer {
        CDavRequests& self;
        HINTERNET request;
        ~Closer() { self.Close(request); }
    } closer{*this, request};

    const std::wstring all = m_authorization + headers;
    const BOOL sent = WinHttpSendRequest(request, all.c_str(), static_cast<DWORD>(-1), const_cast<char*>(body.data()),
                                         static_cast<DWORD>(body.size()), static_cast<DWORD>(body.size()),
                                         reinterpret_cast<DWORD_PTR>(&check));
    if (check.refused) {
        DavResult r{DavStatus::Certificate};
        r.certificate = check.seen;
        return r;
    }
    if (!sent || !WinHttpReceiveResponse(request, nullptr)) return Failure(GetLastError(), target);

    DWORD status = 0, size = sizeof status;
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return Failure(GetLastError(), target);
    reply = {};
    reply.status = static_cast<int>(status);
    reply.etag = fw::QueryHeaderText(request, WINHTTP_QUERY_ETAG);
    reply.location = fw::QueryHeaderText(request, WINHTTP_QUERY_LOCATION);
    reply.date = QueryTime(request, WINHTTP_QUERY_DATE);
    reply.lastModified = QueryTime(request, WINHTTP_QUERY_LAST_MODIFIED);
    const std::wstring declared = fw::QueryHeaderText(request, WINHTTP_QUERY_CONTENT_LENGTH);

    std::vector<char> chunk(64 * 1024);
    for (;;) {
        DWORD got = 0;
        if (!WinHttpReadData(request, chunk.data(), static_cast<DWORD>(chunk.size()), &got))
            return Failure(GetLastError(), target);
        if (got == 0) break;
        if (reply.body.size() + got > maxBody) return {DavStatus::Refused};
        reply.body.append(chunk.data(), got);
    }
    // An answer that ends before its declared length was cut off on the way.
    if (!declared.empty() && _wtoi64(declared.c_str()) != static_cast<long long>(reply.body.size()) &&
        wcscmp(method, L"HEAD") != 0)
        return Failure(ERROR_WINHTTP_CONNECTION_ERROR, target);
    return {};
}
