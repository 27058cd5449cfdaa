#include "gui/browser/TestDdeServer.h"

namespace {
thread_local TestDdeServer* tServer = nullptr;
}

TestDdeServer::TestDdeServer(std::vector<std::string> replies) : m_replies(std::move(replies)) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

TestDdeServer::~TestDdeServer() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
}

int TestDdeServer::Requests() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

void TestDdeServer::Run(HANDLE ready) {
    tServer = this;
    m_threadId = GetCurrentThreadId();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts
    HSZ service = nullptr;
    if (DdeInitializeA(&m_instance, &TestDdeServer::Callback, APPCLASS_STANDARD, 0) ==
        DMLERR_NO_ERROR) {
        service = DdeCreateStringHandleA(m_instance, "FireFox", CP_WINANSI);
        m_topic = DdeCreateStringHandleA(m_instance, "WWW_GetWindowInfo", CP_WINANSI);
        m_running = service && m_topic && DdeNameService(m_instance, service, nullptr, DNS_REGISTER);
    }
    SetEvent(ready);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (m_instance) {
        DdeNameService(m_instance, nullptr, nullptr, DNS_UNREGISTER);
        if (service) DdeFreeStringHandle(m_instance, service);
        if (m_topic) DdeFreeStringHandle(m_instance, m_topic);
        DdeUninitialize(m_instance);
    }
}

HDDEDATA CALLBACK TestDdeServer::Callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2,
                                          HDDEDATA, ULONG_PTR, ULONG_PTR) {
    TestDdeServer* self = tServer;
    if (!self) return nullptr;
    if (type == XTYP_CONNECT)
        return reinterpret_cast<HDDEDATA>(
            static_cast<ULONG_PTR>(DdeCmpStringHandles(hsz1, self->m_topic) == 0));
    if (type == XTYP_REQUEST) return self->Answer(hsz2, format);
    return nullptr;
}

HDDEDATA TestDdeServer::Answer(HSZ item, UINT format) {
    char name[16] = {};
    DdeQueryStringA(m_instance, item, name, sizeof(name), CP_WINANSI);
    if (format != CF_TEXT || std::string(name) != "1" || m_replies.empty()) return nullptr;
    std::string reply;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        reply = m_replies[std::min<size_t>(m_requests, m_replies.size() - 1)];
        ++m_requests;
    }
    return DdeCreateDataHandle(m_instance, reinterpret_cast<BYTE*>(reply.data()),
                               static_cast<DWORD>(reply.size() + 1), 0, item, CF_TEXT, 0);
}
