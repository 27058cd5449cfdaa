#include "app/CFavorApp.h"
#include "app/CAppSettings.h"
#include "app/Startup.h"
#include "app/StartupRecovery.h"
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
    bool keptDamaged = false;  // the user kept a damaged file: it is only read
    hooks.openStore = [&store](const std::wstring& path) { return store.Open(path); };
    hooks.openStoreReadOnly = [&store, &keptDamaged](const std::wstring& path) {
        keptDamaged = true;
        return store.Open(path, true);
    };
    hooks.recoverStore = OfferStoreRecovery;
    hooks.storeWriteProblem = [&store, &keptDamaged] {
        const std::wstring problem = CheckStoreWritable(store);
        return keptDamaged && !problem.empty() ? DamagedStoreKeptText() : problem;
    };
    hooks.setVisitListSizes = [&store](int most, int latest) { store.SetVisitListSizes(most, latest); };
    hooks.runMainWindow = [this, &store, &settings] {
        auto mainWnd = std::make_unique<CFavorMainDlg>(store, settings);
        mainWnd->KeepDailyBackups();
        SetMainWnd(mainWnd.get());
        mainWnd->DoModal(nullptr);
        SetMainWnd(nullptr);
    };
    RunStartup(settings, hooks);
    return false;
}
