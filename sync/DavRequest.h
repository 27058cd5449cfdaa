// The HTTP exchanges of a WebDAV session over WinHTTP: one request at a time, Basic
// authentication sent with each, no redirect followed, no cookie kept, timeouts on
// every step, and https certificates checked by Windows or, for the one certificate the
// user trusted, by its SHA-256 thumbprint before the request (and its password) leaves.
#pragma once
#include "sync/CWebDavSession.h"
#include <mutex>
#include <optional>
#include <utility>

struct DavReply {
    int status = 0;
    std::string body;
    std::wstring etag, location;
    std::optional<long long> date, lastModified;  // the server's clock, in seconds
};

class CDavRequests {
public:
    CDavRequests(const WebDavSettings& settings, const std::atomic<bool>& cancelled);
    ~CDavRequests();
    CDavRequests(const CDavRequests&) = delete;
    CDavRequests& operator=(const CDavRequests&) = delete;

    // Ok whenever the server answered, whatever its status (in `reply`); otherwise why
    // there was no whole answer: Network (also for an answer cut short), Certificate,
    // Cancelled, BadSettings, or Refused for a body over `maxBody` bytes.
    DavResult Send(const wchar_t* method, const std::wstring& url, const std::wstring& headers,
                   const std::string& body, DavReply& reply, size_t maxBody);
    // From another thread: closes the request under way.
    void Cancel();

    struct CertCheck;
    // Closes `request` unless Cancel or the certificate check already did.
    void Close(void* request);

private:
    struct Target;
    DavResult Exchange(const Target& target, const wchar_t* method, const std::wstring& headers,
                       const std::string& body, DavReply& reply, size_t maxBody);
    DavResult Failure(DWORD error, const Target& target);
    void CheckCertificate(const Target& target, CertCheck& check);
    void* Open(void* connection, const wchar_t* method, const Target& target, CertCheck& check);

    const WebDavSettings& m_settings;
    const std::atomic<bool>& m_cancelled;
    std::wstring m_authorization;  // the header line
    void* m_session = nullptr;     // HINTERNET
    bool m_certificateChecked = false;  // the trusted thumbprint was checked without the password
    std::mutex m_lock;             // guards m_request against Cancel and the certificate check
    void* m_request = nullptr;     // HINTERNET of the request under way
};
