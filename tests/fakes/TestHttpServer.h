// A small HTTP server on 127.0.0.1 (an ephemeral port), on threads of its own, for the
// link check's tests. It never listens beyond the loopback address. Paths:
//   /ok 200, /moved 301 -> /ok (with a cookie), /temp 302 -> /ok, /gone 404, /gone410 410,
//   /error 500, /nohead 405 to HEAD and 200 to GET, /silent reads the request and never
//   answers (until the server stops), /loop 302 -> /loop. Anything else: 404.
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

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool Listening() const { return m_listener != INVALID_SOCKET; }
    std::wstring Url(const char* path) const;
    std::vector<Request> Requests() const;
    // A loopback address where nothing listens: connecting is refused.
    static std::wstring ClosedPortUrl();

private:
    void AcceptLoop();
    void Serve(SOCKET client);

    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    HANDLE m_stop = nullptr;  // manual-reset: set when the server stops
    std::thread m_acceptor;
    mutable std::mutex m_lock;
    std::vector<std::thread> m_clients;
    std::vector<Request> m_requests;
};
