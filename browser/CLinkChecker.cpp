#include <winsock2.h>  // before windows.h, which the program's headers bring
#include <ws2tcpip.h>
#include "browser/CLinkChecker.h"
#include "browser/AddressScope.h"
#include "framework/Owned.h"
#include "framework/WinHttpText.h"
#include <process.h>
#include <algorithm>
#include <cwctype>

namespace {

void CloseInternet(HINTERNET h) { WinHttpCloseHandle(h); }
using OwnedInternet = fw::Owned<HINTERNET, &CloseInternet>;

// The host a request goes to, as the limit per host counts it: in lower case, without
// brackets around an IPv6 address; empty for what is no URL.
std::wstring HostOf(const std::wstring& url) {
    fw::HttpUrlParts parts;
    if (fw::CrackHttpUrl(url, parts) != 0) return {};
    std::wstring host = parts.host;
    if (host.size() >= 2 && host.front() == L'[' && host.back() == L']') host = host.substr(1, host.size() - 2);
    for (wchar_t& c : host) c = static_cast<wchar_t>(std::towlower(c));
    return host;
}

}  // namespace

const wchar_t CLinkChecker::kUserAgent[] =
    L"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/126.0.0.0 "
    L"Safari/537.36";

LinkCheckOptions& CLinkChecker::Defaults() {
    static LinkCheckOptions options;
    return options;
}

CLinkChecker::CLinkChecker(std::vector<std::wstring> locations, const LinkCheckOptions& options, Report report,
                           Done done)
    : m_locations(std::move(locations)), m_options(options), m_report(std::move(report)), m_done(std::move(done)) {
    for (size_t i = 0; i < m_locations.size(); ++i) {
        m_pending.push_back(i);
        m_linkHosts.push_back(HostOf(m_locations[i]));
    }
}

CLinkChecker::~CLinkChecker() {
    for (HANDLE h : m_threads) CloseHandle(h);
    if (m_session) WinHttpCloseHandle(m_session);
    if (m_cancelEvent) CloseHandle(m_cancelEvent);
    if (m_winsock) WSACleanup();
}

std::shared_ptr<CLinkChecker> CLinkChecker::Start(std::vector<std::wstring> locations, const LinkCheckOptions& options,
                                                  Report report, Done done) {
    std::shared_ptr<CLinkChecker> checker(new CLinkChecker(std::move(locations), options, std::move(report),
                                                           std::move(done)));
    checker->m_session = WinHttpOpen(kUserAgent,
                                     options.systemProxy ? WINHTTP_ACCESS_TYPE_DEFAULT_PROXY : WINHTTP_ACCESS_TYPE_NO_PROXY,
                                     WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!checker->m_session) return nullptr;
    WSADATA winsock;
    checker->m_winsock = WSAStartup(MAKEWORD(2, 2), &winsock) == 0;
    checker->m_cancelEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!checker->m_cancelEvent) return nullptr;
    // One thread for an empty job too: it says that everything was answered.
    const size_t wanted = std::clamp<size_t>(checker->m_locations.size(), 1, std::max(1, options.parallel));
    // Started suspended and resumed together, so the count of running threads is known
    // before any of them can finish.
    for (size_t i = 0; i < wanted; ++i) {
        auto* hold = new std::shared_ptr<CLinkChecker>(checker);
        const uintptr_t h = _beginthreadex(nullptr, 0, &CLinkChecker::ThreadEntry, hold, CREATE_SUSPENDED, nullptr);
        if (!h) {
            delete hold;
            break;
        }
        checker->m_threads.push_back(reinterpret_cast<HANDLE>(h));
    }
    if (checker->m_threads.empty()) return nullptr;
    checker->m_running = static_cast<int>(checker->m_threads.size());
    for (HANDLE h : checker->m_threads) ResumeThread(h);
    return checker;
}

unsigned __stdcall CLinkChecker::ThreadEntry(void* param) {
    const std::unique_ptr<std::shared_ptr<CLinkChecker>> hold(static_cast<std::shared_ptr<CLinkChecker>*>(param));
    (*hold)->Work();
    return 0;
}

void CLinkChecker::Work() {
    try {
        LinkWalk walk;
        walk.ask = [this](const std::wstring& url, const wchar_t* method) { return Ask(url, method); };
        walk.isPrivate = [this](const std::wstring& url) { return IsPrivateHost(url); };
        walk.pause = [this](unsigned long ms) { return Pause(ms); };
        size_t i = 0;
        while (!m_cancelled && TakeNext(i)) {
            LinkCheckResult result = FollowLink(m_locations[i], walk);
            result.index = static_cast<int>(i);
            if (m_cancelled) break;
            m_report(result);
        }
    } catch (...) {  // nothing may unwind out of the thread
    }
    if (--m_running == 0 && !m_cancelled && m_done) m_done();
}

void CLinkChecker::Cancel() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_cancelled = true;
        for (HINTERNET h : m_open) WinHttpCloseHandle(h);  // ends a request under way, where WinHTTP can
        m_open.clear();
    }
    if (m_cancelEvent) SetEvent(m_cancelEvent);
    std::lock_guard<std::mutex> hosts(m_hostLock);  // a worker between its check and its wait sees it
    m_hostFreed.notify_all();
}

bool CLinkChecker::Pause(DWORD ms) const { return WaitForSingleObject(m_cancelEvent, ms) == WAIT_TIMEOUT; }

bool CLinkChecker::TakeNext(size_t& index) {
    std::unique_lock<std::mutex> lock(m_hostLock);
    for (;;) {
        if (m_cancelled || m_pending.empty()) return false;
        // Few hosts are at their limit at any time (a handful of requests run at once).
        std::vector<const std::wstring*> full;
        for (const auto& [host, requests] : m_busyHosts)
            if (requests >= std::max(1, m_options.perHost)) full.push_back(&host);
        for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
            const std::wstring& host = m_linkHosts[*it];
            if (std::any_of(full.begin(), full.end(), [&](const std::wstring* f) { return *f == host; })) continue;
            index = *it;
            m_pending.erase(it);
            return true;
        }
        m_hostFreed.wait(lock);  // every host left is at its limit
    }
}

bool CLinkChecker::AcquireHost(const std::wstring& host) {
    std::unique_lock<std::mutex> lock(m_hostLock);
    m_hostFreed.wait(lock, [&] { return m_cancelled || m_busyHosts[host] < std::max(1, m_options.perHost); });
    if (m_cancelled) return false;
    ++m_busyHosts[host];
    return true;
}

void CLinkChecker::ReleaseHost(const std::wstring& host) {
    std::lock_guard<std::mutex> lock(m_hostLock);
    if (--m_busyHosts[host] <= 0) m_busyHosts.erase(host);
    m_hostFreed.notify_all();
}

// The host as the system resolves it: private when any of its addresses is.
bool CLinkChecker::IsPrivateHost(const std::wstring& url) const {
    const std::wstring host = HostOf(url);
    if (host.empty() || IsReservedInvalidName(host)) return false;
    ADDRINFOW hints{};
    hints.ai_socktype = SOCK_STREAM;
    ADDRINFOW* found = nullptr;
    if (GetAddrInfoW(host.c_str(), nullptr, &hints, &found) != 0) return false;  // the request will say so
    bool isPrivate = false;
    for (const ADDRINFOW* a = found; a && !isPrivate; a = a->ai_next) {
        if (!a->ai_addr) continue;
        isPrivate = m_options.isPrivateAddress ? m_options.isPrivateAddress(*a->ai_addr) : IsPrivateAddress(*a->ai_addr);
    }
    FreeAddrInfoW(found);
    return isPrivate;
}

bool CLinkChecker::Wait(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        std::vector<HANDLE> alive;
        for (HANDLE h : m_threads)
            if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) alive.push_back(h);
        if (alive.empty()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        const DWORD r = MsgWaitForMultipleObjects(static_cast<DWORD>(alive.size()), alive.data(), FALSE,
                                                  static_cast<DWORD>(end - now), QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0 + alive.size()) {
            MSG msg;  // delivers the messages the threads send meanwhile
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else if (r == WAIT_FAILED) {
            return false;
        }
    }
}

HINTERNET CLinkChecker::OpenRequest(HINTERNET connection, const wchar_t* method, const std::wstring& path,
                                    bool secure) {
    HINTERNET r = WinHttpOpenRequest(connection, method, path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                     WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0);
    if (!r) return nullptr;
    // Each redirect is asked for by hand; no cookie, password or logon ever leaves.
    const bool set = fw::KeepRequestToItself(r, m_options.timeoutMs);
    std::lock_guard<std::mutex> guard(m_lock);
    if (!set || m_cancelled) {
        const DWORD error = set ? static_cast<DWORD>(ERROR_WINHTTP_OPERATION_CANCELLED) : GetLastError();
        WinHttpCloseHandle(r);
        SetLastError(error);
        return nullptr;
    }
    m_open.insert(r);
    return r;
}

void CLinkChecker::CloseRequest(HINTERNET request) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_open.erase(request)) WinHttpCloseHandle(request);  // else Cancel closed it
}

HttpAnswer CLinkChecker::Ask(const std::wstring& url, const wchar_t* method) {
    HttpAnswer a;
    fw::HttpUrlParts parts;
    if ((a.error = fw::CrackHttpUrl(url, parts)) != 0) return a;
    if (IsReservedInvalidName(parts.host)) {
        a.error = ERROR_WINHTTP_NAME_NOT_RESOLVED;
        return a;
    }
    const std::wstring host = HostOf(url);
    if (!AcquireHost(host)) {
        a.error = ERROR_WINHTTP_OPERATION_CANCELLED;
        return a;
    }
    struct HostRelease {
        CLinkChecker& self;
        const std::wstring& host;
        ~HostRelease() { self.ReleaseHost(host); }
    } release{*this, host};
    const OwnedInternet connection(WinHttpConnect(m_session, parts.host.c_str(), parts.port, 0));
    if (!connection) {
        a.error = GetLastError();
        return a;
    }
    HINTERNET request = OpenRequest(connection.get(), method, parts.path, parts.secure);
    if (!request) {
        a.error = GetLastError();
        return a;
    }
    struct Closer {
        CLinkChecker& self;
        HINTERNET request;
        ~Closer() { self.CloseRequest(request); }
    } closer{*this, request};
    // The answer's body is never read: closing the request drops it.
    DWORD status = 0, size = sizeof status;
    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr) ||
        !WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        a.error = GetLastError();
        if (a.error == 0) a.error = ERROR_WINHTTP_INVALID_SERVER_RESPONSE;
        return a;
    }
    a.status = static_cast<int>(status);
    a.location = fw::QueryHeaderText(request, WINHTTP_QUERY_LOCATION);
    if (a.status == 429 || a.status == 503) {
        SYSTEMTIME now{};
        GetSystemTime(&now);
        a.retryAfter = RetryAfterSeconds(fw::QueryHeaderText(request, WINHTTP_QUERY_RETRY_AFTER), now);
    }
    return a;
}
