#include "fakes/TestHttpServer.h"
#include <ws2tcpip.h>
#include <algorithm>
#include <cstring>

namespace {

struct Route {
    const char* path;
    int status;
    const char* location;
    int headStatus;           // what HEAD gets, 0: the same
    const char* retryAfter;   // the Retry-After header, or none
};

const Route kRoutes[] = {
    {"/ok", 200, nullptr, 0, nullptr},       {"/moved", 301, "/ok", 0, nullptr},
    {"/temp", 302, "/ok", 0, nullptr},       {"/gone", 404, nullptr, 0, nullptr},
    {"/gone410", 410, nullptr, 0, nullptr},  {"/error", 500, nullptr, 0, nullptr},
    {"/nohead", 200, nullptr, 405, nullptr}, {"/loop", 302, "/loop", 0, nullptr},
    {"/slow", 200, nullptr, 0, nullptr},     {"/busy", 429, nullptr, 0, "1"},
    {"/busylong", 429, nullptr, 0, "120"},   {"/busy503", 503, nullptr, 0, nullptr},
    {"/toftp", 301, "ftp://files.example/f", 0, nullptr},
};

struct WinsockUser {
    WinsockUser() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { WSACleanup(); }
};

sockaddr_in Loopback(int port, const char* address = "127.0.0.1") {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, address, &a.sin_addr);
    a.sin_port = htons(static_cast<u_short>(port));
    return a;
}

int BoundPort(SOCKET s) {
    sockaddr_in a{};
    int size = sizeof a;
    return getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) == 0 ? ntohs(a.sin_port) : 0;
}

std::string HeaderValue(const std::string& head, const char* name) {
    const size_t at = head.find(name);
    if (at == std::string::npos) return {};
    const size_t from = at + std::strlen(name);
    return head.substr(from, head.find("\r\n", from) - from);
}

}  // namespace

TestHttpServer::TestHttpServer(const char* address) : m_address(address) {
    static WinsockUser winsock;
    m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in a = Loopback(0, address);
    if (m_listener == INVALID_SOCKET || bind(m_listener, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 ||
        listen(m_listener, 32) != 0) {
        if (m_listener != INVALID_SOCKET) closesocket(m_listener);
        m_listener = INVALID_SOCKET;
        return;
    }
    m_port = BoundPort(m_listener);
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
    SetEvent(m_stop);
    if (m_listener != INVALID_SOCKET) closesocket(m_listener);  // ends accept()
    if (m_acceptor.joinable()) m_acceptor.join();
    std::vector<std::thread> clients;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        clients.swap(m_clients);
    }
    for (std::thread& t : clients) t.join();
    CloseHandle(m_stop);
}

std::wstring TestHttpServer::Url(const char* path) const {
    return L"http://" + std::wstring(m_address.begin(), m_address.end()) + L":" + std::to_wstring(m_port) +
           std::wstring(path, path + std::strlen(path));
}

std::vector<TestHttpServer::Request> TestHttpServer::Requests() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

int TestHttpServer::MostAtOnce() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_mostAtOnce;
}

std::wstring TestHttpServer::ClosedPortUrl() {
    static WinsockUser winsock;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in a = Loopback(0);
    bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    const int port = BoundPort(s);
    closesocket(s);
    return L"http://127.0.0.1:" + std::to_wstring(port) + L"/";
}

void TestHttpServer::AcceptLoop() {
    for (;;) {
        const SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> guard(m_lock);
        m_clients.emplace_back([this, client] { Serve(client); });
    }
}

void TestHttpServer::Serve(SOCKET client) {
    std::string head;
    char buffer[2048];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384) {
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<size_t>(n));
    }
    Request seen;
    seen.method = head.substr(0, head.find(' '));
    const size_t pathAt = seen.method.size() + 1;
    seen.path = head.size() > pathAt ? head.substr(pathAt, head.find(' ', pathAt) - pathAt) : "";
    seen.userAgent = HeaderValue(head, "User-Agent: ");
    seen.cookie = head.find("\r\nCookie:") != std::string::npos;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_requests.push_back(seen);
        m_mostAtOnce = std::max(m_mostAtOnce, ++m_atOnce);
    }
    if (seen.path == "/silent") {
        WaitForSingleObject(m_stop, INFINITE);
    } else {
        Route route{"", 404, nullptr, 0, nullptr};
        for (const Route& r : kRoutes)
            if (seen.path == r.path) route = r;
        const std::string to = seen.path.rfind("/301?", 0) == 0 ? seen.path.substr(5) : "";
        if (!to.empty()) route = {"", 301, to.c_str(), 0, nullptr};
        if (seen.path == "/slow") WaitForSingleObject(m_stop, 300);
        const int status = seen.method == "HEAD" && route.headStatus ? route.headStatus : route.status;
        std::string reply = "HTTP/1.1 " + std::to_string(status) + " Test\r\nContent-Length: 0\r\nConnection: close\r\n";
        if (route.location) reply += std::string("Location: ") + route.location + "\r\nSet-Cookie: seen=1; Path=/\r\n";
        if (route.retryAfter) reply += std::string("Retry-After: ") + route.retryAfter + "\r\n";
        reply += "\r\n";
        {
            std::lock_guard<std::mutex> guard(m_lock);
            --m_atOnce;  // answered: before the client can see it and ask again
        }
        send(client, reply.data(), static_cast<int>(reply.size()), 0);
        shutdown(client, SD_SEND);
    }
    closesocket(client);
}
