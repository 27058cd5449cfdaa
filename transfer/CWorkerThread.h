// The worker thread of a transfer page. `running` is set by the job when it starts
// and cleared as its last step; the page reads it to refuse Cancel meanwhile.
#pragma once
#include <windows.h>
#include <atomic>

class CWorkerThread {
public:
    // Whoever does the work: the page passes itself.
    class Delegate {
    public:
        virtual ~Delegate() = default;
        virtual void Run() = 0;
    };

    explicit CWorkerThread(Delegate* delegate = nullptr) : m_delegate(delegate) {}
    virtual ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts a run unless one is still alive; closes the handle of a finished run first.
    bool Start();
    bool IsAlive() const;
    // Waits for the thread to return, still handling the messages the thread sends
    // to this thread's windows meanwhile.
    void Join();

    std::atomic<bool> running{false};

protected:
    virtual void Run() {}

private:
    static unsigned __stdcall Entry(void* self);
    Delegate* m_delegate;
    HANDLE m_thread = nullptr;
};
