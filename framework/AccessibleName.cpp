#include "framework/AccessibleName.h"
#include "framework/Owned.h"
#include "framework/SdkExtras.h"
#include <commctrl.h>
#include <oleacc.h>
#include <memory>

namespace fw {
namespace {

constexpr UINT_PTR kSubclassId = 0x4E616D65;  // "Name"
constexpr wchar_t kNameProperty[] = L"TidemarkerAccessibleName";  // the name, found again for a new one

// The system's object for the control with another name for the control itself.
class CNamedAccessible final : public IAccessible {
public:
    CNamedAccessible(ComPtr<IAccessible> inner, std::wstring name) : m_inner(std::move(inner)), m_name(std::move(name)) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return m_inner->QueryInterface(iid, out);  // enumeration, window handle
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&m_refs);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    STDMETHODIMP GetTypeInfoCount(UINT* n) override { return m_inner->GetTypeInfoCount(n); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID lcid, ITypeInfo** info) override { return m_inner->GetTypeInfo(i, lcid, info); }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT n, LCID lcid, DISPID* ids) override {
        return m_inner->GetIDsOfNames(iid, names, n, lcid, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* info, UINT* arg) override {
        return m_inner->Invoke(id, iid, lcid, flags, params, result, info, arg);
    }

    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return m_inner->get_accName(child, name);
        *name = SysAllocString(m_name.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP get_accParent(IDispatch** parent) override { return m_inner->get_accParent(parent); }
    STDMETHODIMP get_accChildCount(LONG* count) override { return m_inner->get_accChildCount(count); }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override { return m_inner->get_accChild(child, out); }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override { return m_inner->get_accValue(child, value); }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
        return m_inner->get_accDescription(child, text);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override { return m_inner->get_accRole(child, role); }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override { return m_inner->get_accState(child, state); }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override { return m_inner->get_accHelp(child, help); }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_inner->get_accHelpTopic(file, child, topic);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return m_inner->get_accKeyboardShortcut(child, keys);
    }
    STDMETHODIMP get_accFocus(VARIANT* focus) override { return m_inner->get_accFocus(focus); }
    STDMETHODIMP get_accSelection(VARIANT* selection) override { return m_inner->get_accSelection(selection); }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
        return m_inner->get_accDefaultAction(child, action);
    }
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override { return m_inner->accSelect(flags, child); }
    STDMETHODIMP accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT child) override {
        return m_inner->accLocation(x, y, w, h, child);
    }
    STDMETHODIMP accNavigate(LONG dir, VARIANT start, VARIANT* end) override {
        return m_inner->accNavigate(dir, start, end);
    }
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override { return m_inner->accHitTest(x, y, child); }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override { return m_inner->accDoDefaultAction(child); }
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override { return m_inner->put_accName(child, name); }
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override { return m_inner->put_accValue(child, value); }

private:
    LONG m_refs = 1;
    ComPtr<IAccessible> m_inner;
    std::wstring m_name;
};

LRESULT CALLBACK NamedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* name = reinterpret_cast<std::wstring*>(data);
    if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CLIENT) {
        ComPtr<IAccessible> inner;
        if (SUCCEEDED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, kIidAccessible, inner.put_void()))) {
            auto* named = new CNamedAccessible(std::move(inner), *name);
            const LRESULT answer = LresultFromObject(kIidAccessible, wp, named);
            named->Release();  // the answer holds its own reference
            if (answer >= 0) return answer;
        }
    }
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &NamedProc, id);
        RemovePropW(hwnd, kNameProperty);
        delete name;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

bool SetAccessibleName(HWND control, const std::wstring& name) {
    if (!control) return false;
    if (auto* named = static_cast<std::wstring*>(GetPropW(control, kNameProperty))) {
        *named = name;
        return true;
    }
    auto owned = std::make_unique<std::wstring>(name);
    if (!SetPropW(control, kNameProperty, owned.get())) return false;
    if (!SetWindowSubclass(control, &NamedProc, kSubclassId, reinterpret_cast<DWORD_PTR>(owned.get()))) {
        RemovePropW(control, kNameProperty);
        return false;
    }
    owned.release();  // freed at WM_NCDESTROY
    return true;
}

}  // namespace fw
