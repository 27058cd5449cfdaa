#include "browser/CLinkChecker.h"
#include "framework/Owned.h"
#include "framework/WinHttpText.h"
#include <process.h>
#include <algorithm>

namespace {

void CloseInternet(HINTERNET h) { WinHttpCloseHandle(h); }
using OwnedInternet = fw::Owned<HINTERNET, &CloseInternet>;

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
    : m_locations(std::move(locations)), m_options(options), m_report(std::move(report)), m_done(std::move(done)) {}

CLinkChecker::~CLinkChecker() {
    for (HANDLE h : m_threads) CloseHandle(h);
    if (m_session) WinHttpCloseHandle(m_session);
}

std::shared_ptr<CLinkChecker> CLinkChecker::Start(std::vector<std::wstring> locations, const LinkCheckOptions& options,
                                                  Report report, Done done) {
    std::shared_ptr<CLinkChecker> checker(new CLinkChecker(std::move(locations), options, std::move(report),
                                                           std::move(done)));
    checker->m_session = WinHttpOpen(kUserAgent,
                                     options.systemProxy ? WINHTTP_ACCESS_TYPE_DEFAULT_PROXY : WINHTTP_ACCESS_TYPE_NO_PROXY,
                                     WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!checker->m_session) return nullptr;
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
        const AskFunction ask = [this](const std::wstring& url, const wchar_t* method) { return Ask(url, method); };
        while (!m_cancelled) {
            const size_t i = m_next++;
            if (i >= m_locations.size()) break;
            LinkCheckResult result = FollowLink(m_locations[i], ask);
            result.index = static_cast<int>(i);
            if (m_cancelled) break;
            m_report(result);
        }
    } catch (...) {  // nothing may unwind out of the thread
    }
    if (--m_running == 0 && !m_cancelled && m_done) m_done();
}

void CLinkChecker::Cancel() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_cancelled = true;
    for (HINTERNET h : m_open) WinHttpCloseHandle(h);  // ends a request under way, where WinHTTP can
    m_open.clear();
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
    DWORD off = WINHTTP_DISABLE_COOKIES | WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_AUTHENTICATION;
    DWORD logon = WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH;
    DWORD t = m_options.timeoutMs;
    const int ti = static_cast<int>(t);
    const bool set = WinHttpSetOption(r, WINHTTP_OPTION_DISABLE_FEATURE, &off, sizeof off) &&
                     WinHttpSetOption(r, WINHTTP_OPTION_AUTOLOGON_POLICY, &logon, sizeof logon) &&
                     WinHttpSetTimeouts(r, ti, ti, ti, ti) &&
                     // Waiting for the answer's headers has a timeout of its own.
                     WinHttpSetOption(r, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &t, sizeof t);
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
    return a;
}
