#include "app/CFavorApp.h"
#include "app/CAppSettings.h"
#include "app/Startup.h"
#include "store/CFavorStore.h"
#include "ui/CFavorMainDlg.h"
#include "ui/StoreProblems.h"
#include <commctrl.h>
#include <ole2.h>
#include <memory>

namespace {

// OLE for the window's drop targets and drag source; a failure is ignored.
class OleScope {
public:
    OleScope() : m_ok(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (m_ok) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool m_ok;
};

}  // namespace

CFavorApp::CFavorApp() : CWinApp(L"Tidemarker") {}

bool CFavorApp::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&icc);
    OleScope ole;

    CFavorStore& store = FavorStore();
    CAppSettings& settings = AppSettings();
    StartupHooks hooks;
    hooks.openStore = [&store](const std::wstring& path) { return store.Open(path); };
    hooks.storeWriteProblem = [&store] { return CheckStoreWritable(store); };
    hooks.setVisitListSizes = [&store](int most, int latest) { store.SetVisitListSizes(most, latest); };
    hooks.runMainWindow = [this, &store, &settings] {
        auto mainWnd = std::make_unique<CFavorMainDlg>(store, settings);
        SetMainWnd(mainWnd.get());
        mainWnd->DoModal(nullptr);
        SetMainWnd(nullptr);
    };
    RunStartup(settings, hooks);
    return false;
}
