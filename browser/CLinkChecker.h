// Checks web locations with WinHTTP on worker threads of its own: at most `parallel`
// requests at once and at most `perHost` of them to one host, each with its own timeout,
// never with cookies or credentials. The links are taken in order, each worker taking the
// next one whose host has a request to spare.
//
// The threads share the checker with whoever started it (it lives until both let go)
// and reach the caller only through its callbacks, which run on those threads: report
// one result, and say when every link has been answered. Cancel stops the job: no
// callback starts once it has returned (one already under way may still finish),
// requests under way are closed, and a thread still blocked in one (where WinHTTP does
// not end a request that another thread closes) ends when that request times out.
#pragma once
#include "browser/LinkCheck.h"
#include <windows.h>
#include <winhttp.h>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

struct sockaddr;

struct LinkCheckOptions {
    DWORD timeoutMs = 10000;    // resolving, connecting, sending and waiting for the answer, each
    int parallel = 8;           // requests at once
    int perHost = 2;            // requests at once to one host
    bool systemProxy = true;    // the machine's WinHTTP proxy setting, or always direct
    // Which addresses count as the user's own network (IsPrivateAddress when empty);
    // tests let one loopback address stand for such a network.
    std::function<bool(const sockaddr&)> isPrivateAddress;
};

class CLinkChecker : public std::enable_shared_from_this<CLinkChecker> {
public:
    using Report = std::function<void(const LinkCheckResult&)>;
    using Done = std::function<void()>;

    // The user agent of a current desktop browser: some servers turn away anything else.
    static const wchar_t kUserAgent[];
    // What new checks use; tests shorten the timeout and go direct.
    static LinkCheckOptions& Defaults();

    // Starts checking; null when WinHTTP cannot be opened or a thread cannot start.
    static std::shared_ptr<CLinkChecker> Start(std::vector<std::wstring> locations, const LinkCheckOptions& options,
                                               Report report, Done done);
    ~CLinkChecker();
    CLinkChecker(const CLinkChecker&) = delete;
    CLinkChecker& operator=(const CLinkChecker&) = delete;

    void Cancel();
    // Waits up to `ms` for every thread to end, handling messages sent to this thread's
    // windows meanwhile. True when they all ended.
    bool Wait(DWORD ms);

    // One request, as FollowLink asks it (public for the tests of the rules).
    HttpAnswer Ask(const std::wstring& url, const wchar_t* method);

private:
    CLinkChecker(std::vector<std::wstring> locations, const LinkCheckOptions& options, Report report, Done done);
    static unsigned __stdcall ThreadEntry(void* param);
    void Work();
    HINTERNET OpenRequest(HINTERNET connection, const wchar_t* method, const std::wstring& path, bool secure);
    void CloseRequest(HINTERNET request);
    bool IsPrivateHost(const std::wstring& url) const;
    bool Pause(DWORD ms) const;
    // The next link to check (false: none left, or cancelled), preferring one whose host
    // has a request to spare.
    bool TakeNext(size_t& index);
    // Waits for a request to the host to spare (false: cancelled), and gives it back.
    bool AcquireHost(const std::wstring& host);
    void ReleaseHost(const std::wstring& host);

    const std::vector<std::wstring> m_locations;
    const LinkCheckOptions m_options;
    const Report m_report;
    const Done m_done;
    HINTERNET m_session = nullptr;
    bool m_winsock = false;           // started for the address look-ups
    HANDLE m_cancelEvent = nullptr;   // set by Cancel: ends a wait for a busy server
    std::vector<HANDLE> m_threads;
    std::mutex m_hostLock;            // guards the three below
    std::condition_variable m_hostFreed;
    std::list<size_t> m_pending;      // links not yet taken, in order
    std::map<std::wstring, int> m_busyHosts;  // requests under way, by host
    std::vector<std::wstring> m_linkHosts;    // the host of each link, by index
    std::atomic<int> m_running{0};
    std::atomic<bool> m_cancelled{false};
    std::mutex m_lock;                // guards m_open and the callbacks against Cancel
    std::set<HINTERNET> m_open;       // requests under way
};
