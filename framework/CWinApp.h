// The application object: one per process, started from wWinMain. Its instance
// start-up decides whether a message loop runs afterwards (false: the process ends).
#pragma once
#include <windows.h>
#include <string>

namespace fw {

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called by wWinMain: runs InitInstance and, if it asks for one, a message loop.
    int Run(HINSTANCE instance);
    virtual bool InitInstance() = 0;

    static CWinApp* Current() { return s_current; }
    // The module that holds dialog templates, menus, icons: the executable.
    static HINSTANCE ResourceInstance();
    // The title used by framework messages (validation) and message boxes.
    static std::wstring AppName();

    CWnd* MainWnd() const { return m_mainWnd; }
    // The main window's handle, or null: the owner of a sheet run without one.
    static HWND MainHwnd();
    void SetMainWnd(CWnd* wnd) { m_mainWnd = wnd; }

protected:
    HINSTANCE m_instance = nullptr;
    CWnd* m_mainWnd = nullptr;

private:
    std::wstring m_appName;
    static CWinApp* s_current;
};

}  // namespace fw
