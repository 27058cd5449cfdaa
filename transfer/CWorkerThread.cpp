#include "transfer/CWorkerThread.h"
#include <process.h>

CWorkerThread::~CWorkerThread() {
    Join();
    if (m_thread) CloseHandle(m_thread);
}

bool CWorkerThread::IsAlive() const {
    return m_thread && WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

bool CWorkerThread::Start() {
    if (IsAlive()) return false;
    if (m_thread) {
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    const uintptr_t h = _beginthreadex(nullptr, 0, &CWorkerThread::Entry, this, 0, nullptr);
    if (!h) return false;
    m_thread = reinterpret_cast<HANDLE>(h);
    return true;
}

void CWorkerThread::Join() {
    while (IsAlive()) {
        // The job sends messages to the pages and the tree; keep them flowing, a message
        // that was already waiting (seen but not yet handled) included.
        const DWORD r = MsgWaitForMultipleObjectsEx(1, &m_thread, INFINITE, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (r != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

unsigned __stdcall CWorkerThread::Entry(void* param) {
    auto* self = static_cast<CWorkerThread*>(param);
    try {
        if (self->m_delegate) self->m_delegate->Run();
        else self->Run();
    } catch (...) {
        self->running = false;
    }
    return 0;
}
