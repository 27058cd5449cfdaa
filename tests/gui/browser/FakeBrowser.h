// A browser stand-in made of real windows on a thread of their own: a visible top-level
// window with a browser's class name and title, whose address field is either a
// standard Edit control in a toolbar, named by the label before it, or part of the
// window's own accessible tree, answered to WM_GETOBJECT and shaped like Chromium's
// (window, toolbar, editable text). While it lives, the program is told that its
// window belongs to the given process image.
#pragma once
#include <windows.h>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

struct FakeBrowserSpec {
    const wchar_t* className;
    const wchar_t* image;
    std::wstring title, fieldName, fieldText;  // fieldName: the label, or the accessible name
    bool ownTree = false;                      // answers WM_GETOBJECT with its own tree
    bool hangs = false;                        // a WM_GETOBJECT waits until Release()
};

class FakeAccessible;

class FakeBrowser {
public:
    explicit FakeBrowser(FakeBrowserSpec spec);
    ~FakeBrowser();
    FakeBrowser(const FakeBrowser&) = delete;
    FakeBrowser& operator=(const FakeBrowser&) = delete;
    // Raises the window to the top of the non-topmost windows, without activating it.
    void BringToTop() const;
    void Release() const { SetEvent(m_release); }
    int ObjectRequests() const { return m_requests; }

private:
    static HWND Host();
    static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Create();  // on the host thread

    FakeBrowserSpec m_spec;
    std::unique_ptr<FakeAccessible> m_tree;
    HWND m_window = nullptr;
    HANDLE m_release;
    std::atomic<int> m_requests{0};
};

// Pumps this thread's messages until `done` holds; false when the hang guard passed first.
bool PumpUntil(const std::function<bool()>& done);
