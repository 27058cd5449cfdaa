// A TCP relay on 127.0.0.1 (an ephemeral port) in front of a real server: it passes
// every connection through until `cutAfter` bytes have gone in the chosen direction,
// then drops both sides, as a network that fails in the middle of a transfer.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CutOffProxy {
public:
    enum class Direction { Upload, Download };
    CutOffProxy(int targetPort, Direction direction, size_t cutAfter);
    ~CutOffProxy();
    CutOffProxy(const CutOffProxy&) = delete;
    CutOffProxy& operator=(const CutOffProxy&) = delete;

    // `url` with its port replaced by the proxy's.
    std::wstring Through(const std::wstring& url) const;
    static int PortOf(const std::wstring& url);

private:
    void AcceptLoop();
    void Relay(SOCKET client);

    const int m_target;
    const Direction m_direction;
    const size_t m_cutAfter;
    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptor;
    std::mutex m_lock;
    std::vector<std::thread> m_relays;
    std::vector<SOCKET> m_open;
};
