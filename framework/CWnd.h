// The base of every window object: the window handle, the lookup from a handle back
// to its object, message dispatch through the class's table, and the hook through
// which a modal loop lets windows see messages before they are dispatched.
#pragma once
#include "framework/MessageMap.h"
#include <windows.h>
#include <string>

namespace fw {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    explicit operator bool() const { return m_hwnd != nullptr; }
    static CWnd* FromHandle(HWND hwnd);

    // Messages of this window and of its children pass here first inside the
    // program's modal loops; return true when the message was dealt with.
    virtual bool PreTranslateMessage(MSG& msg);
    // Runs the class's message table; derived classes chain to their base.
    virtual bool Dispatch(const Msg& m, LRESULT& result);
    // The page of the help file that explains this window (F1), or empty.
    virtual std::wstring HelpPage() const { return {}; }

    // Small conveniences over the window and its dialog children.
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    std::wstring Text() const;
    void SetText(const std::wstring& text) const;
    std::wstring ItemText(int id) const;
    void SetItemText(int id, const std::wstring& text) const;
    void ShowItem(int id, bool show) const;
    void EnableItem(int id, bool enable) const;
    void MoveItem(int id, int x, int y, int w, int h, bool repaint = true) const;
    bool IsVisible() const { return m_hwnd && IsWindowVisible(m_hwnd); }

protected:
    void AttachHandle(HWND hwnd);
    void DetachHandle();

    HWND m_hwnd = nullptr;
};

// Sends a notification or command a parent received to the control that sent it
// (as kReflectBase + message) when that control has a window object.
bool ReflectToChild(HWND child, const Msg& m, LRESULT& result);

// Window text of any window as a wide string.
std::wstring WindowText(HWND hwnd);

// Posts; when the queue refuses the post (it is full), sends instead, so the message
// reaches a window that still exists. Never from a thread that holds a lock the
// receiver may wait for.
void PostOrSend(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Gives each window on the path from msg.hwnd up to `top` the first look at a message.
bool PreTranslateChain(MSG& msg, HWND top);

}  // namespace fw
