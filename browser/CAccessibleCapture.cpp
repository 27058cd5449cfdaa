#include "browser/CAccessibleCapture.h"
#include "app/AppMessages.h"
#include "browser/CAccessibleTree.h"
#include "browser/CBrowserDdeClient.h"
#include "browser/CapturePage.h"
#include "browser/FindBrowserWindow.h"
#include "store/Records.h"
#include <atomic>
#include <memory>

namespace {

constexpr wchar_t kClassName[] = L"TidemarkerPageCapture";
constexpr UINT_PTR kBoundTimer = 1;

std::atomic<int> gRunningWorkers{0};

struct WorkerJob {
    HWND browser;
    HWND report;
    WPARAM serial;
};

class ComApartment {
public:
    ComApartment() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_ok) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

DWORD WINAPI ReadInWorker(void* param) {
    try {
        const std::unique_ptr<WorkerJob> job(static_cast<WorkerJob*>(param));
        std::unique_ptr<std::wstring> address;
        {
            ComApartment com;
            if (com.ok())
                if (std::optional<std::wstring> read = ReadAddressByAccessibility(job->browser))
                    address = std::make_unique<std::wstring>(std::move(*read));
        }
        if (PostMessageW(job->report, WM_ADDRESS_READ, job->serial, reinterpret_cast<LPARAM>(address.get())))
            address.release();  // the capture window owns it now
    } catch (...) {
        // nothing may unwind out of a thread
    }
    --gRunningWorkers;
    return 0;
}

std::unique_ptr<FavorRecord> Page(const std::wstring& name, const std::wstring& location) {
    auto record = std::make_unique<FavorRecord>();
    record->name = name;
    record->location = location;
    return record;
}

}  // namespace

const fw::MapEntry<CAccessibleCapture> CAccessibleCapture::kMap[] = {
    fw::OnMessage(WM_ADDRESS_READ, &Self::OnAddressRead),
    fw::OnMessage(WM_TIMER, &Self::OnTimer),
};
bool CAccessibleCapture::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CAccessibleCapture::~CAccessibleCapture() {
    if (!m_hwnd) return;
    MSG msg;
    while (PeekMessageW(&msg, m_hwnd, WM_ADDRESS_READ, WM_ADDRESS_READ, PM_REMOVE))
        delete reinterpret_cast<std::wstring*>(msg.lParam);
}

CAccessibleCapture& CAccessibleCapture::Process() {
    static CAccessibleCapture capture(CBrowserDdeClient::Process());
    return capture;
}

int CAccessibleCapture::RunningWorkers() { return gRunningWorkers; }

bool CAccessibleCapture::EnsureWindow() {
    if (m_hwnd) return true;
    return RegisterClassOnce(kClassName, nullptr, nullptr, 0) &&
           CreateEx(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

bool CAccessibleCapture::Start(HWND mainWindow) {
    const std::optional<BrowserWindow> browser = FindBrowserWindow();
    if (!browser || !EnsureWindow()) return false;
    StopWaiting();  // a capture still waiting is replaced
    m_mainWindow = mainWindow;
    if (browser->window == m_unanswered) {  // a reader still waits for it: no second one
        PostFavorCaptured(mainWindow, nullptr);
        return true;
    }
    if (!StartWorker(browser->window)) return false;
    m_reading = browser->window;
    m_pageTitle = browser->pageTitle;
    m_waiting = true;
    return true;
}

bool CAccessibleCapture::StartWorker(HWND browser) {
    if (!SetTimer(m_hwnd, kBoundTimer, kAccessibleCaptureBoundMs, nullptr)) return false;
    auto job = std::make_unique<WorkerJob>(WorkerJob{browser, m_hwnd, ++m_serial});
    ++gRunningWorkers;
    const HANDLE thread = CreateThread(nullptr, 0, &ReadInWorker, job.get(), 0, nullptr);
    if (!thread) {
        --gRunningWorkers;
        KillTimer(m_hwnd, kBoundTimer);
        return false;
    }
    job.release();  // the worker's now
    CloseHandle(thread);
    return true;
}

void CAccessibleCapture::StopWaiting() {
    m_waiting = false;
    KillTimer(m_hwnd, kBoundTimer);
}

LRESULT CAccessibleCapture::OnAddressRead(const fw::Msg& m) {
    const std::unique_ptr<std::wstring> address(reinterpret_cast<std::wstring*>(m.lp));
    if (m.wp == m_unansweredSerial) m_unanswered = nullptr;  // it answered after all
    if (!m_waiting || m.wp != m_serial) return 0;  // past the bound, or replaced by a newer capture
    StopWaiting();
    if (address) {
        PostFavorCaptured(m_mainWindow, Page(m_pageTitle, *address));
        return 0;
    }
    if (m_dde.RequestWindowInfo(kDdeBrowserService, kDdeWindowItem)) return 0;  // its answer comes by itself
    PostFavorCaptured(m_mainWindow, m_pageTitle.empty() ? nullptr : Page(m_pageTitle, L""));
    return 0;
}

LRESULT CAccessibleCapture::OnTimer(const fw::Msg& m) {
    if (m.wp != kBoundTimer) {
        m.passOn = true;
        return 0;
    }
    if (!m_waiting) return 0;
    StopWaiting();
    m_unanswered = m_reading;
    m_unansweredSerial = m_serial;
    PostFavorCaptured(m_mainWindow, nullptr);  // the browser did not answer in time
    return 0;
}
