#include "ui/dialogs/CPreferencesSheet.h"
#include "app/CAppSettings.h"
#include "store/CFavorStore.h"

CPreferencesSheet::CPreferencesSheet(HWND mainWindow, bool& topMost, CAppSettings& settings, CFavorStore& store)
    : CPropertySheet(L"Preferences", false), m_general(topMost, settings, store), m_hotkeys(mainWindow, settings) {
    AddPage(&m_general);
    AddPage(&m_hotkeys);
}

CPreferencesSheet::CPreferencesSheet(HWND mainWindow, bool& topMost)
    : CPreferencesSheet(mainWindow, topMost, AppSettings(), FavorStore()) {}

CPreferencesSheet::CPreferencesSheet(HWND mainWindow, bool& topMost, CAppSettings& settings, CFavorStore& store,
                                     ISyncControl& sync, const FolderRecord& root)
    : CPreferencesSheet(mainWindow, topMost, settings, store) {
    m_sync = std::make_unique<CSyncPage>(settings, sync, root);
    AddPage(m_sync.get());
}
