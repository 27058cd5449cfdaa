#include "browser/CShellWindowsSource.h"
#include "browser/BstrText.h"
#include <exdisp.h>
#include <oleauto.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

bool ReadPage(IDispatch* item, ShellPage& page) {
    ComPtr<IWebBrowser2> browser;
    if (FAILED(item->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.GetAddressOf()))))
        return false;
    BSTR name = nullptr;
    BSTR url = nullptr;
    SHANDLE_PTR window = 0;
    const bool ok = SUCCEEDED(browser->get_LocationName(&name)) &&
                    SUCCEEDED(browser->get_LocationURL(&url)) &&
                    SUCCEEDED(browser->get_HWND(&window));
    page.name = TakeBstr(name);
    page.url = TakeBstr(url);
    page.window = reinterpret_cast<HWND>(window);
    return ok;
}

}  // namespace

std::vector<ShellPage> CShellWindowsSource::Pages() {
    std::vector<ShellPage> pages;
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                                reinterpret_cast<void**>(windows.GetAddressOf()))))
        return pages;
    long count = 0;
    if (FAILED(windows->get_Count(&count))) return pages;
    for (long i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        V_VT(&index) = VT_I4;
        V_I4(&index) = i;
        ComPtr<IDispatch> item;
        if (FAILED(windows->Item(index, item.GetAddressOf())) || !item) continue;
        ShellPage page;
        if (ReadPage(item.Get(), page)) pages.push_back(std::move(page));
    }
    return pages;
}
