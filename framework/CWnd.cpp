#include "framework/CWnd.h"
#include <unordered_map>

namespace fw {
namespace {

// Handle to object, for this process only. Window properties would do the same, but
// every property lookup is a round trip to the window server under Wine, and the
// lookup runs for each message a modal loop pulls and each notification reflected.
struct HandleMap {
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> objects;
};

HandleMap& Handles() {
    static HandleMap* map = new HandleMap;  // never freed: windows may detach during exit
    return *map;
}

}  // namespace

CWnd::~CWnd() { DetachHandle(); }

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    HandleMap& map = Handles();
    AcquireSRWLockShared(&map.lock);
    const auto found = map.objects.find(hwnd);
    CWnd* object = found == map.objects.end() ? nullptr : found->second;
    ReleaseSRWLockShared(&map.lock);
    return object;
}

void CWnd::AttachHandle(HWND hwnd) {
    m_hwnd = hwnd;
    if (!hwnd) return;
    HandleMap& map = Handles();
    AcquireSRWLockExclusive(&map.lock);
    map.objects[hwnd] = this;
    ReleaseSRWLockExclusive(&map.lock);
}

void CWnd::DetachHandle() {
    if (m_hwnd) {
        HandleMap& map = Handles();
        AcquireSRWLockExclusive(&map.lock);
        const auto found = map.objects.find(m_hwnd);
        if (found != map.objects.end() && found->second == this) map.objects.erase(found);
        ReleaseSRWLockExclusive(&map.lock);
    }
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

void PostOrSend(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (!PostMessageW(hwnd, msg, wp, lp) && IsWindow(hwnd)) SendMessageW(hwnd, msg, wp, lp);
}

bool PreTranslateChain(MSG& msg, HWND top) {
    for (HWND w = msg.hwnd; w; w = GetParent(w)) {
        if (CWnd* obj = CWnd::FromHandle(w); obj && obj->PreTranslateMessage(msg)) return true;
        if (w == top) break;
    }
    return false;
}

}  // namespace fw
