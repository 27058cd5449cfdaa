#include "fakes/CutOffProxy.h"
#include <ws2tcpip.h>
#include <algorithm>

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<u_short>(port));
    return a;
}

}  // namespace

CutOffProxy::CutOffProxy(int targetPort, Direction direction, size_t cutAfter)
    : m_target(targetPort), m_direction(direction), m_cutAfter(cutAfter) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = Loopback(0);
    int size = sizeof a;
    if (m_listener == INVALID_SOCKET || bind(m_listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        listen(m_listener, 8) != 0 || getsockname(m_listener, reinterpret_cast<sockaddr*>(&a), &size) != 0)
        return;
    m_port = ntohs(a.sin_port);
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

CutOffProxy::~CutOffProxy() {
    m_stopping = true;
    if (m_acceptor.joinable()) m_acceptor.join();
    closesocket(m_listener);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        for (SOCKET s : m_open) shutdown(s, SD_BOTH);
    }
    for (std::thread& t : m_relays) t.join();
    WSACleanup();
}

int CutOffProxy::PortOf(const std::wstring& url) {
    const size_t colon = url.find(L':', url.find(L"//") + 2);
    return colon == std::wstring::npos ? 0 : _wtoi(url.c_str() + colon + 1);
}

std::wstring CutOffProxy::Through(const std::wstring& url) const {
    const size_t colon = url.find(L':', url.find(L"//") + 2);
    const size_t slash = url.find(L'/', colon);
    return url.substr(0, colon + 1) + std::to_wstring(m_port) + url.substr(slash);
}

// Waits in select, not in accept: closing a socket need not wake another thread's accept.
void CutOffProxy::AcceptLoop() {
    while (!m_stopping) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_listener, &readable);
        timeval wait{0, 100000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET || m_stopping) {
            if (client != INVALID_SOCKET) closesocket(client);
            return;
        }
        std::lock_guard<std::mutex> guard(m_lock);
        m_relays.emplace_back([this, client] { Relay(client); });
    }
}

// Both directions on one thread: select, copy, count, cut.
void CutOffProxy::Relay(SOCKET client) {
    SOCKET server = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in a = Loopback(m_target);
    if (connect(server, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        closesocket(server);
        closesocket(client);
        return;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_open.push_back(client);
        m_open.push_back(server);
    }
    size_t counted = 0;
    char buffer[16384];
    for (bool open = true; open && !m_stopping;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        FD_SET(server, &readable);
        timeval wait{0, 200000};
        if (select(0, &readable, nullptr, nullptr, &wait) < 0) break;
        for (SOCKET from : {client, server}) {
            if (!open || !FD_ISSET(from, &readable)) continue;
            const SOCKET to = from == client ? server : client;
            const bool watched = (from == client) == (m_direction == Direction::Upload);
            int n = recv(from, buffer, sizeof buffer, 0);
            if (n <= 0) {
                open = false;
                break;
            }
            if (watched) {
                n = static_cast<int>(std::min<size_t>(static_cast<size_t>(n), m_cutAfter - counted));
                counted += static_cast<size_t>(n);
            }
            if (n > 0 && send(to, buffer, n, 0) != n) open = false;
            if (watched && counted >= m_cutAfter) open = false;
        }
    }
    // A hard close on both sides: the connection breaks rather than ends.
    const linger hard{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
    setsockopt(server, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
    std::lock_guard<std::mutex> guard(m_lock);
    m_open.erase(std::remove_if(m_open.begin(), m_open.end(), [&](SOCKET s) { return s == client || s == server; }),
                 m_open.end());
    closesocket(client);
    closesocket(server);
}
