#include "framework/CWnd.h"

namespace fw {
namespace {
const wchar_t kObjectProp[] = L"fw.object";
}

CWnd::~CWnd() { DetachHandle(); }

CWnd* CWnd::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProp)) : nullptr;
}

void CWnd::AttachHandle(HWND hwnd) {
    m_hwnd = hwnd;
    if (hwnd) SetPropW(hwnd, kObjectProp, this);
}

void CWnd::DetachHandle() {
    if (m_hwnd && GetPropW(m_hwnd, kObjectProp) == this) RemovePropW(m_hwnd, kObjectProp);
    m_hwnd = nullptr;
}

bool CWnd::PreTranslateMessage(MSG&) { return false; }
bool CWnd::Dispatch(const Msg&, LRESULT&) { return false; }

std::wstring WindowText(HWND hwnd) {
    if (!hwnd) return {};
    const int n = GetWindowTextLengthW(hwnd);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::wstring CWnd::Text() const { return WindowText(m_hwnd); }
void CWnd::SetText(const std::wstring& text) const { SetWindowTextW(m_hwnd, text.c_str()); }
std::wstring CWnd::ItemText(int id) const { return WindowText(Item(id)); }
void CWnd::SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(m_hwnd, id, text.c_str()); }

void CWnd::ShowItem(int id, bool show) const {
    if (HWND h = Item(id)) ShowWindow(h, show ? SW_SHOW : SW_HIDE);
}

void CWnd::EnableItem(int id, bool enable) const {
    if (HWND h = Item(id)) EnableWindow(h, enable ? TRUE : FALSE);
}

void CWnd::MoveItem(int id, int x, int y, int w, int h, bool repaint) const {
    if (HWND c = Item(id)) MoveWindow(c, x, y, w, h, repaint ? TRUE : FALSE);
}

bool ReflectToChild(HWND child, const Msg& m, LRESULT& result) {
    CWnd* target = CWnd::FromHandle(child);
    if (!target) return false;
    const Msg reflected{kReflectBase + m.id, m.wp, m.lp};
    return target->Dispatch(reflected, result);
}

bool PreTranslateChain(MSG& msg, HWND top) {
    for (HWND w = msg.hwnd; w; w = GetParent(w)) {
        if (CWnd* obj = CWnd::FromHandle(w); obj && obj->PreTranslateMessage(msg)) return true;
        if (w == top) break;
    }
    return false;
}

}  // namespace fw
