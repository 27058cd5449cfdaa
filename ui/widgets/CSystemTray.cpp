#include "ui/widgets/CSystemTray.h"
#include <algorithm>
#include <cwchar>

namespace {
const wchar_t kClassName[] = L"TidemarkerTrayWnd";

bool SystemHasNotificationArea() {
    const DWORD version = GetVersion();
    return LOBYTE(LOWORD(version)) >= 4;
}
}  // namespace

size_t CopyToField(wchar_t* field, size_t fieldChars, const std::wstring& text) {
    if (!field || fieldChars == 0) return 0;
    const size_t n = std::min(text.size(), fieldChars - 1);
    std::wmemcpy(field, text.data(), n);
    field[n] = L'\0';
    return n;
}

CSystemTray::~CSystemTray() { RemoveIcon(); }

bool CSystemTray::Create(HWND parent, UINT callbackMessage, const std::wstring& tip, HICON icon, UINT id) {
    if (m_added || m_hwnd || !SystemHasNotificationArea()) return false;
    if (!RegisterClassOnce(kClassName, nullptr, nullptr, 0)) return false;
    if (!CreateEx(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) return false;
    m_parent = parent;
    m_callbackMessage = callbackMessage;
    m_nid = NOTIFYICONDATAW{};
    m_nid.cbSize = sizeof(m_nid);  // a tip field of 128 characters
    m_nid.hWnd = m_hwnd;
    m_nid.uID = id;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = callbackMessage;
    m_nid.hIcon = icon;
    CopyToField(m_nid.szTip, std::size(m_nid.szTip), tip);
    m_added = Shell_NotifyIconW(NIM_ADD, &m_nid) != FALSE;
    return m_added;
}

bool CSystemTray::SetTooltipText(const std::wstring& text) {
    if (!m_added) return false;
    CopyToField(m_nid.szTip, std::size(m_nid.szTip), text);
    m_nid.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &m_nid) != FALSE;
}

bool CSystemTray::RemoveIcon() {
    if (!m_added) return false;
    m_added = false;
    m_nid.uFlags = 0;
    return Shell_NotifyIconW(NIM_DELETE, &m_nid) != FALSE;
}

bool CSystemTray::Dispatch(const fw::Msg& m, LRESULT& result) {
    if (m_callbackMessage && m.id == m_callbackMessage) {
        result = m_parent && IsWindow(m_parent) ? SendMessageW(m_parent, m.id, m.wp, m.lp) : 0;
        return true;
    }
    return CCustomWindow::Dispatch(m, result);
}
