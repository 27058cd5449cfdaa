#include "sync/CWebDavSession.h"
#include "store/TextConv.h"
#include "sync/DavRequest.h"
#include "sync/XmlLiteReader.h"
#include <cwchar>

namespace {

constexpr size_t kMaxSmallAnswer = 64 * 1024;  // PROPFIND answers, lock files, error pages
constexpr wchar_t kStaleEtag[] = L"\"tidemarker-probe-never-matches\"";

// Percent-encodes a file name for the path of a URL.
std::wstring EncodePathSegment(const std::wstring& name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    for (unsigned char c : ToUtf8(name)) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || strchr("-._~", c)) {
            out += static_cast<wchar_t>(c);
        } else {
            out += L'%';
            out += static_cast<wchar_t>(kHex[c >> 4]);
            out += static_cast<wchar_t>(kHex[c & 15]);
        }
    }
    return out;
}

bool UsableFileName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"/\\") == std::wstring::npos &&
           name.size() <= 255;
}

// getcontentlength and getetag of a PROPFIND answer (Depth 0: one resource).
bool ReadPropfind(const std::string& xml, long long& length, std::wstring& etag) {
    XmlLiteReader r = OpenXmlReader(xml, 32);
    if (!r.reader) return false;
    XmlNodeType type;
    std::wstring* into = nullptr;
    std::wstring lengthText;
    bool sawLength = false;
    while (r.Read(&type) == S_OK) {
        const wchar_t *name = nullptr, *ns = nullptr, *value = nullptr;
        if (type == XmlNodeType_Element) {
            r.reader->GetLocalName(&name, nullptr);
            r.reader->GetNamespaceUri(&ns, nullptr);
            into = nullptr;
            if (ns && wcscmp(ns, L"DAV:") == 0 && wcscmp(name, L"getcontentlength") == 0 && !sawLength) {
                into = &lengthText;
                sawLength = true;
            } else if (ns && wcscmp(ns, L"DAV:") == 0 && wcscmp(name, L"getetag") == 0 && etag.empty()) {
                into = &etag;
            }
        } else if (type == XmlNodeType_EndElement) {
            into = nullptr;
        } else if (into && (type == XmlNodeType_Text || type == XmlNodeType_CDATA)) {
            UINT n = 0;
            r.reader->GetValue(&value, &n);
            if (into->size() + n <= 1024) into->append(value, n);
        }
    }
    const size_t begin = lengthText.find_first_not_of(L" \t\r\n");
    if (begin == std::wstring::npos) return false;
    wchar_t* end = nullptr;
    length = wcstoll(lengthText.c_str() + begin, &end, 10);
    return end != lengthText.c_str() + begin && length >= 0;
}

bool Success(int status) { return status >= 200 && status < 300; }

}  // namespace

std::wstring DescribeDavResult(const DavResult& r) {
    switch (r.status) {
    case DavStatus::Ok: return L"done";
    case DavStatus::NotFound: return L"no sync file on the server yet";
    case DavStatus::BadSettings: return L"the server URL or the file name is not usable";
    case DavStatus::Network: return L"the server could not be reached (error " + std::to_wstring(r.error) + L")";
    case DavStatus::Unauthorized: return L"the server refused the user name or password";
    case DavStatus::Certificate: return L"the server's certificate is not trusted";
    case DavStatus::Stale: return L"the sync file changed on the server meanwhile";
    case DavStatus::Refused: return L"the sync file on the server is incomplete";
    case DavStatus::LockHeld: return L"another device is syncing";
    case DavStatus::Redirected: return L"the server sent Tidemarker to another address: " + r.location;
    case DavStatus::HttpError: return L"the server answered " + std::to_wstring(r.httpStatus);
    case DavStatus::Cancelled: return L"cancelled";
    }
    return {};
}

CWebDavSession::CWebDavSession(WebDavSettings settings) : m_settings(std::move(settings)) {
    m_folderUrl = m_settings.folderUrl;
    if (!m_folderUrl.empty() && m_folderUrl.back() != L'/') m_folderUrl += L'/';
    m_http = std::make_unique<CDavRequests>(m_settings, m_cancelled);
}

CWebDavSession::~CWebDavSession() = default;

std::wstring CWebDavSession::FileUrl() const { return m_folderUrl + EncodePathSegment(m_settings.fileName); }

void CWebDavSession::Cancel() {
    m_cancelled = true;
    m_http->Cancel();
}

DavResult CWebDavSession::Call(const wchar_t* method, const std::wstring& url, const std::wstring& headers,
                               const std::string& body, DavReply& reply, size_t maxBody) {
    if (!UsableFileName(m_settings.fileName)) return {DavStatus::BadSettings};
    DavResult r = m_http->Send(method, url, headers, body, reply, maxBody);
    if (!r.Ok()) return r;
    r.httpStatus = reply.status;
    if (reply.status == 401 || reply.status == 403) r.status = DavStatus::Unauthorized;
    else if (reply.status == 412) r.status = DavStatus::Stale;
    else if (reply.status >= 300 && reply.status < 400) {
        r.status = DavStatus::Redirected;
        r.location = reply.location;
    }
    return r;
}

DavResult CWebDavSession::Expect2xx(DavResult r, const DavReply& reply) {
    if (r.Ok() && !Success(reply.status)) r.status = DavStatus::HttpError;
    return r;
}

DavResult CWebDavSession::Propfind(const std::wstring& url, long long& length, std::wstring& etag) {
    static const char kBody[] =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:getcontentlength/><d:getetag/></d:prop></d:propfind>";
    DavReply reply;
    DavResult r = Call(L"PROPFIND", url, L"Depth: 0\r\nContent-Type: application/xml; charset=utf-8\r\n", kBody,
                       reply, kMaxSmallAnswer);
    if (r.Ok() && reply.status == 404) r.status = DavStatus::NotFound;
    else if (r.Ok() && reply.status != 207) r.status = DavStatus::HttpError;
    else if (r.Ok() && !ReadPropfind(reply.body, length, etag)) r.status = DavStatus::HttpError;
    return r;
}

DavResult CWebDavSession::Delete(const std::wstring& url) {
    DavReply reply;
    DavResult r = Call(L"DELETE", url, L"", {}, reply, kMaxSmallAnswer);
    if (r.Ok() && reply.status == 404) return r;  // already gone
    return Expect2xx(r, reply);
}

DavResult CWebDavSession::PutLock() {
    DavReply reply;
    DavResult r = Call(L"PUT", FileUrl() + L".lock", L"Content-Type: text/html\r\n", kLockBody, reply, kMaxSmallAnswer);
    if (r.Ok() && (reply.status == 423 || reply.status == 409)) r.status = DavStatus::LockHeld;
    r = Expect2xx(r, reply);
    if (r.Ok()) {
        m_holdsLock = true;
        m_lockWritten = GetTickCount64();
    }
    return r;
}

DavResult CWebDavSession::TakeLock() {
    DavReply reply;
    DavResult r = Call(L"GET", FileUrl() + L".lock", L"Cache-Control: no-cache\r\n", {}, reply, kMaxSmallAnswer);
    if (!r.Ok()) return r;
    if (reply.status == 200) {
        // Judged by the server's clock alone: the two times come from the same machine.
        if (!reply.lastModified || !reply.date || *reply.date - *reply.lastModified < kLockStaleSeconds) {
            r.status = DavStatus::LockHeld;
            return r;
        }
    } else if (reply.status != 404) {
        return Expect2xx(r, reply);
    }
    return PutLock();
}

DavResult CWebDavSession::RefreshLock() { return PutLock(); }

DavResult CWebDavSession::KeepLock() {
    if (m_holdsLock && GetTickCount64() - m_lockWritten < kLockRefreshMs) return {};
    return PutLock();
}

DavResult CWebDavSession::ReleaseLock() {
    if (!m_holdsLock) return {};
    DavResult r = Delete(FileUrl() + L".lock");
    if (r.Ok()) m_holdsLock = false;
    return r;
}

DavResult CWebDavSession::Download(DavFile& file) {
    long long length = -1;
    std::wstring etag;
    DavResult r = Propfind(FileUrl(), length, etag);
    if (!r.Ok()) return r;
    if (static_cast<unsigned long long>(length) > kMaxDownloadBytes) {
        r.status = DavStatus::Refused;
        return r;
    }
    DavReply reply;
    r = Expect2xx(Call(L"GET", FileUrl(), L"Cache-Control: no-cache\r\n", {}, reply, kMaxDownloadBytes), reply);
    if (r.Ok() && reply.status == 404) r.status = DavStatus::NotFound;
    if (!r.Ok()) return r;
    // A file cut short in transfer, or replaced between the two requests, is never
    // taken for the whole file.
    if (reply.body.size() != static_cast<unsigned long long>(length)) {
        r.status = DavStatus::Refused;
        return r;
    }
    file.bytes = std::move(reply.body);
    file.etag = reply.etag.empty() ? etag : reply.etag;
    return r;
}

DavResult CWebDavSession::ProbeIfMatch(bool& honoured) {
    const std::wstring probe = FileUrl() + L".probe";
    DavReply reply;
    DavResult r = Expect2xx(Call(L"PUT", probe, L"Content-Type: text/plain\r\n", "probe", reply, kMaxSmallAnswer), reply);
    if (!r.Ok()) return r;
    r = Call(L"PUT", probe, L"Content-Type: text/plain\r\nIf-Match: " + std::wstring(kStaleEtag) + L"\r\n", "probe",
             reply, kMaxSmallAnswer);
    if (r.status == DavStatus::Stale) {
        honoured = true;
        r = {};
    } else if (r.Ok()) {
        r = Expect2xx(r, reply);
        honoured = false;
    }
    if (!r.Ok()) return r;
    return Delete(probe);
}

DavResult CWebDavSession::Upload(const std::string& bytes, const std::wstring& etag, UploadWay way) {
    DavReply reply;
    if (way == UploadWay::IfMatch) {
        const std::wstring condition = etag.empty() ? L"If-None-Match: *\r\n" : L"If-Match: " + etag + L"\r\n";
        return Expect2xx(Call(L"PUT", FileUrl(), L"Content-Type: application/xml\r\n" + condition, bytes, reply,
                              kMaxSmallAnswer),
                         reply);
    }
    const std::wstring temp = FileUrl() + L".temp";
    DavResult r = Expect2xx(Call(L"PUT", temp, L"Content-Type: application/xml\r\n", bytes, reply, kMaxSmallAnswer), reply);
    if (!r.Ok()) return r;
    long long length = -1;
    std::wstring ignored;
    r = Propfind(temp, length, ignored);
    if (r.Ok() && length != static_cast<long long>(bytes.size())) r.status = DavStatus::Refused;
    if (!r.Ok()) {
        Delete(temp);
        return r;
    }
    return Expect2xx(Call(L"MOVE", temp, L"Destination: " + FileUrl() + L"\r\nOverwrite: T\r\n", {}, reply,
                          kMaxSmallAnswer),
                     reply);
}
