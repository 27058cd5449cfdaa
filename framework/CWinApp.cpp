#include "framework/CWinApp.h"
#include "framework/CWnd.h"

namespace fw {

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp(const wchar_t* appName) : m_appName(appName ? appName : L"") { s_current = this; }

CWinApp::~CWinApp() {
    if (s_current == this) s_current = nullptr;
}

HINSTANCE CWinApp::ResourceInstance() {
    if (s_current && s_current->m_instance) return s_current->m_instance;
    return GetModuleHandleW(nullptr);
}

HWND CWinApp::MainHwnd() { return s_current && s_current->m_mainWnd ? s_current->m_mainWnd->Hwnd() : nullptr; }

std::wstring CWinApp::AppName() { return s_current ? s_current->m_appName : std::wstring(L"Tidemarker"); }

int CWinApp::Run(HINSTANCE instance) {
    m_instance = instance;
    if (!InitInstance()) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND top = m_mainWnd ? m_mainWnd->Hwnd() : nullptr;
        if (PreTranslateChain(msg, top)) continue;
        if (top && IsDialogMessageW(top, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace fw
