// A small HTTP server on a loopback address (127.0.0.1 unless told; an ephemeral port), on
// threads of its own, for the link check's tests. It never listens beyond loopback. Paths:
//   /ok 200, /moved 301 -> /ok (with a cookie), /temp 302 -> /ok, /gone 404, /gone410 410,
//   /error 500, /nohead 405 to HEAD and 200 to GET, /silent reads the request and never
//   answers (until the server stops), /loop 302 -> /loop, /slow 200 after 300 ms,
//   /busy 429 with Retry-After: 1, /busylong 429 with Retry-After: 120, /busy503 503,
//   /toftp 301 -> an ftp address, /301?URL 301 -> URL. Anything else: 404.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestHttpServer {
public:
    struct Request {
        std::string method, path, userAgent;
        bool cookie = false;
    };

    explicit TestHttpServer(const char* address = "127.0.0.1");
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool Listening() const { return m_listener != INVALID_SOCKET; }
    std::wstring Url(const char* path) const;
    std::vector<Request> Requests() const;
    // The most requests it was answering at one time.
    int MostAtOnce() const;
    // A loopback address where nothing listens: connecting is refused.
    static std::wstring ClosedPortUrl();

private:
    void AcceptLoop();
    void Serve(SOCKET client);

    SOCKET m_listener = INVALID_SOCKET;
    std::string m_address;
    int m_port = 0;
    int m_atOnce = 0, m_mostAtOnce = 0;
    HANDLE m_stop = nullptr;  // manual-reset: set when the server stops
    std::thread m_acceptor;
    mutable std::mutex m_lock;
    std::vector<std::thread> m_clients;
    std::vector<Request> m_requests;
};
