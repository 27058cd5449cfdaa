// One WebDAV server folder and the sync file in it, spoken to over WinHTTP with the
// lock floccus uses. Every call blocks until the server has answered (or the timeout
// has run out), so calls run on the sync worker thread, never on the GUI thread. One
// thread uses a session at a time; only Cancel may come from another thread.
//
// Nothing is followed blindly: redirects are never followed (the password would go
// along), Basic authentication goes with every request and a 401 is reported, never
// retried; an https certificate that Windows does not trust is refused unless its
// SHA-256 thumbprint is the one the user trusted.
#pragma once
#include <windows.h>
#include <atomic>
#include <memory>
#include <string>

struct WebDavSettings {
    std::wstring folderUrl;                    // http(s)://host[:port]/path; a missing final '/' is added
    std::wstring fileName = L"bookmarks.xbel";  // the file in that folder (no '/')
    std::wstring user;
    std::wstring password;
    std::wstring trustedThumbprint;  // SHA-256 of the one untrusted certificate accepted, 64 hex digits
    DWORD timeoutMs = 30000;          // connecting, sending and each wait for the server
};

enum class DavStatus {
    Ok,
    NotFound,      // Download: the server has no file yet (a first sync)
    BadSettings,   // the URL is not http(s) or the file name is unusable
    Network,       // no connection, a lost connection or a timeout (`error`)
    Unauthorized,  // 401 or 403: user name or password wrong; the caller must not retry
    Certificate,   // https: the certificate is not trusted (`certificate` says which)
    Stale,         // 412: the file changed on the server since it was downloaded
    Refused,       // the file is cut short, too large, or an upload did not arrive whole
    LockHeld,      // another client holds a lock that is not stale
    Redirected,    // the server answered with a redirect (`location`), not followed
    HttpError,     // any other answer (`httpStatus`)
    Cancelled,     // Cancel was called
};

struct ServerCertificate {
    std::wstring thumbprint;  // SHA-256 of the DER bytes, 64 upper-case hex digits
    std::wstring subject;     // as Windows shows it, e.g. "CN=dav.example.org, O=Example"
};

struct DavResult {
    DavStatus status = DavStatus::Ok;
    int httpStatus = 0;         // the server's answer, where there was one
    DWORD error = 0;            // Network: the WinHTTP or system error
    ServerCertificate certificate;  // Certificate
    std::wstring location;      // Redirected
    bool Ok() const { return status == DavStatus::Ok; }
};

// A short English text for the status line ("wrong user name or password", ...). It
// never holds the password.
std::wstring DescribeDavResult(const DavResult& result);

struct DavFile {
    std::string bytes;   // exactly as the server sent them
    std::wstring etag;   // the ETag of what was downloaded, as the server wrote it (may be weak, W/"...")
};

enum class UploadWay {
    IfMatch,      // PUT with If-Match (If-None-Match: * for a new file): a 412 says Stale
    TempAndMove,  // PUT FILE.temp, check its length with PROPFIND, MOVE it over FILE
};

class CDavRequests;
struct DavReply;

class CWebDavSession {
public:
    // Age at which another client's lock counts as abandoned, by the server's clock.
    static constexpr int kLockStaleSeconds = 15 * 60;
    // How often a held lock is written again while a sync works.
    static constexpr DWORD kLockRefreshMs = 2 * 60 * 1000;
    static constexpr char kLockBody[] = "<html><body>I am a lock file</body></html>";

    explicit CWebDavSession(WebDavSettings settings);
    ~CWebDavSession();
    CWebDavSession(const CWebDavSession&) = delete;
    CWebDavSession& operator=(const CWebDavSession&) = delete;

    const WebDavSettings& Settings() const { return m_settings; }
    std::wstring FileUrl() const;  // folder URL + file name

    // floccus's lock, FILE.lock. TakeLock reads it (GET) and, when it is missing or its
    // Last-Modified is kLockStaleSeconds or more before the server's Date, writes it
    // (PUT); a fresh one gives LockHeld. RefreshLock writes it again; KeepLock does so
    // only when kLockRefreshMs have passed since the last write. ReleaseLock deletes it
    // (a lock already gone is fine) and is a no-op when this session holds none.
    DavResult TakeLock();
    DavResult RefreshLock();
    DavResult KeepLock();
    DavResult ReleaseLock();
    bool HoldsLock() const { return m_holdsLock; }

    // The file with its ETag: PROPFIND for its length, then GET; Refused (and `file`
    // untouched) when what arrived is not exactly getcontentlength bytes or passes
    // kMaxDownloadBytes. NotFound when there is no file.
    DavResult Download(DavFile& file);
    static constexpr size_t kMaxDownloadBytes = 256u * 1024 * 1024;

    // Whether the server honours If-Match: a scratch file FILE.probe is written, then
    // written again with a stale ETag, which must get 412; then deleted. Ask once per
    // server and remember the answer.
    DavResult ProbeIfMatch(bool& honoured);

    // Writes the file. `etag` is what Download gave (empty when there was no file).
    DavResult Upload(const std::string& bytes, const std::wstring& etag, UploadWay way);

    // From another thread: ends the call under way (it returns Cancelled) and every
    // later one.
    void Cancel();

private:
    DavResult Call(const wchar_t* method, const std::wstring& url, const std::wstring& headers, const std::string& body,
                   DavReply& reply, size_t maxBody);
    static DavResult Expect2xx(DavResult r, const DavReply& reply);
    DavResult Propfind(const std::wstring& url, long long& length, std::wstring& etag);
    DavResult PutLock();
    DavResult Delete(const std::wstring& url);

    const WebDavSettings m_settings;
    std::wstring m_folderUrl;  // with its final '/'
    std::atomic<bool> m_cancelled{false};
    std::unique_ptr<CDavRequests> m_http;
    bool m_holdsLock = false;
    ULONGLONG m_lockWritten = 0;  // GetTickCount64 of the last lock write
};
