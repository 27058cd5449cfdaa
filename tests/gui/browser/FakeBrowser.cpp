#include "gui/browser/FakeBrowser.h"
#include "browser/AccessibleIid.h"
#include "browser/FindBrowserWindow.h"
#include <commctrl.h>
#include <oleacc.h>
#include <map>
#include <vector>

// One accessible object of the fake's tree. The fake owns every node; COM's counts
// only keep the stubs honest.
class FakeAccessible : public IAccessible {
public:
    FakeAccessible(long role, std::wstring name, std::wstring value = L"")
        : m_role(role), m_name(std::move(name)), m_value(std::move(value)) {}
    FakeAccessible* Add(std::unique_ptr<FakeAccessible> child) {
        child->m_parent = this;
        m_children.push_back(std::move(child));
        return m_children.back().get();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) ? this : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        *out = m_parent;
        if (m_parent) m_parent->AddRef();
        return m_parent ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
        *n = static_cast<long>(m_children.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override {
        *out = nullptr;
        if (V_VT(&id) != VT_I4 || V_I4(&id) < 1 || V_I4(&id) > static_cast<long>(m_children.size()))
            return E_INVALIDARG;
        *out = m_children[static_cast<size_t>(V_I4(&id) - 1)].get();
        (*out)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR* out) override { return Text(m_name, out); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* out) override { return Text(m_value, out); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT* out) override {
        V_VT(out) = VT_I4;
        V_I4(out) = m_role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT* out) override {
        V_VT(out) = VT_I4;
        V_I4(out) = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return Text(L"", out); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return Text(L"", out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* out, VARIANT, long*) override { *out = nullptr; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { return Text(L"", out); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* out) override { return Text(L"", out); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { V_VT(out) = VT_EMPTY; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override { V_VT(out) = VT_EMPTY; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long*, long*, long*, long*, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* out) override { V_VT(out) = VT_EMPTY; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT* out) override { V_VT(out) = VT_EMPTY; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    static HRESULT Text(const std::wstring& text, BSTR* out) {
        *out = text.empty() ? nullptr : SysAllocString(text.c_str());
        return *out ? S_OK : S_FALSE;
    }

    long m_role;
    std::wstring m_name, m_value;
    FakeAccessible* m_parent = nullptr;
    std::vector<std::unique_ptr<FakeAccessible>> m_children;
    std::atomic<ULONG> m_refs{1};
};

namespace {

std::map<HWND, std::wstring>& Images() {  // the test thread's view of the live fakes
    static std::map<HWND, std::wstring> images;
    return images;
}

}  // namespace

FakeBrowser::FakeBrowser(FakeBrowserSpec spec)
    : m_spec(std::move(spec)), m_release(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (m_spec.ownTree) {  // window, toolbar, a button and the address field
        m_tree = std::make_unique<FakeAccessible>(ROLE_SYSTEM_CLIENT, m_spec.title);
        FakeAccessible* toolbar = m_tree->Add(std::make_unique<FakeAccessible>(ROLE_SYSTEM_TOOLBAR, L""));
        toolbar->Add(std::make_unique<FakeAccessible>(ROLE_SYSTEM_PUSHBUTTON, L"Reload"));
        toolbar->Add(std::make_unique<FakeAccessible>(ROLE_SYSTEM_TEXT, m_spec.fieldName, m_spec.fieldText));
    }
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    if (Images().empty())
        browser_seams::SetProcessImageHandler([](HWND w) {
            const auto it = Images().find(w);
            return it == Images().end() ? std::wstring() : it->second;
        });
    Images()[m_window] = m_spec.image;
}

FakeBrowser::~FakeBrowser() {
    Images().erase(m_window);
    if (Images().empty()) browser_seams::SetProcessImageHandler({});
    Release();
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    CloseHandle(m_release);
}

void FakeBrowser::BringToTop() const {
    SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FakeBrowser::Run(HANDLE ready) {
    m_threadId = GetCurrentThreadId();
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    WNDCLASSW wc{};
    wc.lpfnWndProc = &FakeBrowser::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = m_spec.className;
    RegisterClassW(&wc);  // fails harmlessly when an earlier fake registered it
    m_window = CreateWindowExW(0, m_spec.className, m_spec.title.c_str(), WS_OVERLAPPEDWINDOW, 60, 60, 500, 300,
                               nullptr, nullptr, wc.hInstance, this);
    if (!m_spec.ownTree) CreateEditField();
    ShowWindow(m_window, SW_SHOWNOACTIVATE);
    SetEvent(ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(m_window);
    if (ole) OleUninitialize();
}

void FakeBrowser::CreateEditField() {
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                   0, 0, 500, 30, m_window, nullptr, nullptr, nullptr);
    CreateWindowExW(0, L"STATIC", m_spec.fieldName.c_str(), WS_CHILD | WS_VISIBLE, 4, 4, 150, 20, toolbar, nullptr,
                    nullptr, nullptr);
    CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", m_spec.fieldText.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 160,
                    4, 320, 20, toolbar, nullptr, nullptr, nullptr);
}

LRESULT CALLBACK FakeBrowser::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<FakeBrowser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_GETOBJECT) return self->AnswerGetObject(wp, lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT FakeBrowser::AnswerGetObject(WPARAM wp, LPARAM lp) {
    ++m_requests;
    if (m_spec.hangs) WaitForSingleObject(m_release, INFINITE);
    if (m_tree && static_cast<LONG>(lp) == OBJID_CLIENT) return LresultFromObject(kIidAccessible, wp, m_tree.get());
    return DefWindowProcW(m_window, WM_GETOBJECT, wp, lp);
}
