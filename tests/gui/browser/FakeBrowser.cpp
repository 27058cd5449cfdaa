#include "gui/browser/FakeBrowser.h"
#include "framework/SdkExtras.h"
#include "browser/FindBrowserWindow.h"
#include <commctrl.h>
#include <oleacc.h>
#include <thread>
#include <vector>

// One object of the fake's accessible tree; the fake owns every node.
class FakeAccessible final : public IAccessible {
public:
    FakeAccessible(long role, std::wstring name, std::wstring value = L"")
        : m_role(role), m_name(std::move(name)), m_value(std::move(value)) {}
    FakeAccessible* Add(long role, std::wstring name, std::wstring value = L"") {
        m_children.push_back(std::make_unique<FakeAccessible>(role, std::move(name), std::move(value)));
        return m_children.back().get();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) ? this : nullptr;
        return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP get_accChildCount(long* n) override { *n = static_cast<long>(m_children.size()); return S_OK; }
    STDMETHODIMP get_accChild(VARIANT id, IDispatch** out) override {
        const bool valid = V_VT(&id) == VT_I4 && V_I4(&id) >= 1 && V_I4(&id) <= static_cast<long>(m_children.size());
        *out = valid ? m_children[static_cast<size_t>(V_I4(&id) - 1)].get() : nullptr;
        return valid ? S_OK : E_INVALIDARG;
    }
    STDMETHODIMP get_accName(VARIANT, BSTR* out) override { return Text(m_name, out); }
    STDMETHODIMP get_accValue(VARIANT, BSTR* out) override { return Text(m_value, out); }
    STDMETHODIMP get_accRole(VARIANT, VARIANT* out) override { V_VT(out) = VT_I4; V_I4(out) = m_role; return S_OK; }
    STDMETHODIMP get_accState(VARIANT, VARIANT* out) override { V_VT(out) = VT_I4; V_I4(out) = 0; return S_OK; }
    // Nothing else is asked of a browser's address field.
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accParent(IDispatch** out) override { *out = nullptr; return S_FALSE; }
    STDMETHODIMP get_accDescription(VARIANT, BSTR* out) override { return Text(L"", out); }
    STDMETHODIMP get_accHelp(VARIANT, BSTR* out) override { return Text(L"", out); }
    STDMETHODIMP get_accHelpTopic(BSTR* out, VARIANT, long*) override { *out = nullptr; return E_NOTIMPL; }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR* out) override { return Text(L"", out); }
    STDMETHODIMP get_accDefaultAction(VARIANT, BSTR* out) override { return Text(L"", out); }
    STDMETHODIMP get_accFocus(VARIANT* out) override { V_VT(out) = VT_EMPTY; return S_FALSE; }
    STDMETHODIMP get_accSelection(VARIANT* out) override { V_VT(out) = VT_EMPTY; return S_FALSE; }
    STDMETHODIMP accSelect(long, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP accLocation(long*, long*, long*, long*, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP accNavigate(long, VARIANT, VARIANT* out) override { V_VT(out) = VT_EMPTY; return E_NOTIMPL; }
    STDMETHODIMP accHitTest(long, long, VARIANT* out) override { V_VT(out) = VT_EMPTY; return E_NOTIMPL; }
    STDMETHODIMP accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    static HRESULT Text(const std::wstring& text, BSTR* out) {
        *out = text.empty() ? nullptr : SysAllocString(text.c_str());
        return *out ? S_OK : S_FALSE;
    }
    long m_role;
    std::wstring m_name, m_value;
    std::vector<std::unique_ptr<FakeAccessible>> m_children;
};

namespace {

constexpr wchar_t kImageProperty[] = L"TmFakeBrowserImage";  // the image name a fake claims, a string literal
constexpr UINT kCreateFake = WM_APP + 1, kDestroyFake = WM_APP + 2;  // to the host, lParam = the fake

// Under Wine, COM drops the RPC registration of an interface with the last object
// marshaled for it and registers it anew with the next one, and that restart can
// deadlock inside rpcrt4 (start_listen). An object marshaled for the whole run, in
// the test thread's apartment, keeps the interfaces the fakes hand out registered:
// IAccessible from WM_GETOBJECT, IDispatch from get_accChild.
void KeepInterfacesRegistered() {
    static FakeAccessible anchor(ROLE_SYSTEM_CLIENT, L"");
    static const bool marshaled = [] {
        bool ok = true;
        for (const IID* iid : {&kIidAccessible, &IID_IDispatch}) {
            IStream* stream = nullptr;  // kept: the marshaled object lives as long as its data
            ok = ok && SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
                 SUCCEEDED(CoMarshalInterface(stream, *iid, &anchor, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG));
        }
        return ok;
    }();
    (void)marshaled;
}

}  // namespace

// The one thread, with one COM apartment, all fakes live on for the whole run: under
// Wine, an apartment that starts remoting for each fake and stops it again can also
// deadlock inside rpcrt4.
HWND FakeBrowser::Host() {
    static const HWND host = [] {
        HWND window = nullptr;
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread([&window, ready] {
            OleInitialize(nullptr);
            WNDCLASSW wc{0, &FakeBrowser::HostProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
                         nullptr, L"TmFakeBrowserHost"};
            RegisterClassW(&wc);
            window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                     nullptr);
            SetEvent(ready);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        }).detach();
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
        return window;
    }();
    return host;
}

LRESULT CALLBACK FakeBrowser::HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* fake = reinterpret_cast<FakeBrowser*>(lp);
    if (msg == kCreateFake) fake->Create();
    else if (msg == kDestroyFake) DestroyWindow(fake->m_window);
    else return DefWindowProcW(hwnd, msg, wp, lp);
    return 0;
}

FakeBrowser::FakeBrowser(FakeBrowserSpec spec)
    : m_spec(std::move(spec)), m_release(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    KeepInterfacesRegistered();
    if (m_spec.ownTree) {
        m_tree = std::make_unique<FakeAccessible>(ROLE_SYSTEM_CLIENT, m_spec.title);
        FakeAccessible* toolbar = m_tree->Add(ROLE_SYSTEM_TOOLBAR, L"");
        toolbar->Add(ROLE_SYSTEM_PUSHBUTTON, L"Reload");
        toolbar->Add(ROLE_SYSTEM_TEXT, m_spec.fieldName, m_spec.fieldText);
    }
    SendMessageW(Host(), kCreateFake, 0, reinterpret_cast<LPARAM>(this));
    browser_seams::SetProcessImageHandler([](HWND w) {
        const auto* image = static_cast<const wchar_t*>(GetPropW(w, kImageProperty));
        return std::wstring(image ? image : L"");
    });
}

FakeBrowser::~FakeBrowser() {
    browser_seams::SetProcessImageHandler({});
    Release();
    SendMessageW(Host(), kDestroyFake, 0, reinterpret_cast<LPARAM>(this));
    CloseHandle(m_release);
}

void FakeBrowser::BringToTop() const {
    SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FakeBrowser::Create() {
    WNDCLASSW wc{0, &FakeBrowser::WndProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr,
                 m_spec.className};
    RegisterClassW(&wc);  // fails harmlessly when an earlier fake registered it
    m_window = CreateWindowExW(0, m_spec.className, m_spec.title.c_str(), WS_OVERLAPPEDWINDOW, 60, 60, 500, 300,
                               nullptr, nullptr, wc.hInstance, this);
    if (!m_spec.ownTree) {
        HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE, 0, 0, 500, 30,
                                   m_window, nullptr, nullptr, nullptr);
        CreateWindowExW(0, L"STATIC", m_spec.fieldName.c_str(), WS_CHILD | WS_VISIBLE, 4, 4, 150, 20, bar, nullptr,
                        nullptr, nullptr);
        CreateWindowExW(0, L"EDIT", m_spec.fieldText.c_str(), WS_CHILD | WS_VISIBLE, 160, 4, 320, 20, bar, nullptr,
                        nullptr, nullptr);
    }
    SetPropW(m_window, kImageProperty, const_cast<wchar_t*>(m_spec.image));
    ShowWindow(m_window, SW_SHOWNOACTIVATE);
}

LRESULT CALLBACK FakeBrowser::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) RemovePropW(hwnd, kImageProperty);
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<FakeBrowser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || msg != WM_GETOBJECT) return DefWindowProcW(hwnd, msg, wp, lp);
    ++self->m_requests;
    if (self->m_spec.hangs) WaitForSingleObject(self->m_release, INFINITE);
    if (self->m_tree && static_cast<LONG>(lp) == OBJID_CLIENT)
        return LresultFromObject(kIidAccessible, wp, self->m_tree.get());
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool PumpUntil(const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + 20000;
    for (MSG msg;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (done()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}
