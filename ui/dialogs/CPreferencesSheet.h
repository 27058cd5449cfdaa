// The Preferences sheet: pages "General" and "Hotkeys", no Help button. The caller
// re-applies the main window's z-order after it closes, whatever the result.
#pragma once
#include "framework/CPropertySheet.h"
#include "ui/dialogs/CGeneralPage.h"
#include "ui/dialogs/CHotkeysPage.h"
#include "ui/dialogs/CSyncPage.h"
#include <memory>

class CPreferencesSheet : public fw::CPropertySheet {
public:
    // mainWindow receives the hotkeys; topMost is its Favorite Browser top-most switch.
    CPreferencesSheet(HWND mainWindow, bool& topMost, CAppSettings& settings, CFavorStore& store);
    // With the program's settings and store.
    CPreferencesSheet(HWND mainWindow, bool& topMost);
    // And the page "Sync", over the program's sync and its folder tree.
    CPreferencesSheet(HWND mainWindow, bool& topMost, CAppSettings& settings, CFavorStore& store, ISyncControl& sync,
                      const FolderRecord& root);

    CGeneralPage& General() { return m_general; }
    CHotkeysPage& Hotkeys() { return m_hotkeys; }
    CSyncPage* Sync() { return m_sync.get(); }

private:
    CGeneralPage m_general;
    CHotkeysPage m_hotkeys;
    std::unique_ptr<CSyncPage> m_sync;
};
