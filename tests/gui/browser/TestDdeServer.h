// A browser stand-in for the tests: a thread of its own with a message loop that
// registers the DDE service "FireFox" and answers "WWW_GetWindowInfo" requests with
// chosen replies, one per request in order (the last one repeats).
#pragma once
#include <windows.h>
#include <ddeml.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestDdeServer {
public:
    explicit TestDdeServer(std::vector<std::string> replies);
    ~TestDdeServer();
    TestDdeServer(const TestDdeServer&) = delete;
    TestDdeServer& operator=(const TestDdeServer&) = delete;

    bool Running() const { return m_running; }
    int Requests() const;

private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    void Run(HANDLE ready);
    HDDEDATA Answer(HSZ item, UINT format);

    std::vector<std::string> m_replies;
    mutable std::mutex m_lock;
    int m_requests = 0;
    bool m_running = false;
    DWORD m_instance = 0;
    HSZ m_topic = nullptr;
    DWORD m_threadId = 0;
    std::thread m_thread;
};
