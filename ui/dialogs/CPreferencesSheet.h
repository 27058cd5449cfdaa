// The Preferences sheet: pages "General" and "Hotkeys", no Help button. The caller
// re-applies the main window's z-order after it closes, whatever the result.
#pragma once
#include "framework/CPropertySheet.h"
#include "ui/dialogs/CGeneralPage.h"
#include "ui/dialogs/CHotkeysPage.h"

class CPreferencesSheet : public fw::CPropertySheet {
public:
    // mainWindow receives the hotkeys; topMost is its Favorite Browser top-most switch.
    CPreferencesSheet(HWND mainWindow, bool& topMost, CAppSettings& settings, CFavorStore& store);
    // With the program's settings and store.
    CPreferencesSheet(HWND mainWindow, bool& topMost);

    CGeneralPage& General() { return m_general; }
    CHotkeysPage& Hotkeys() { return m_hotkeys; }

private:
    CGeneralPage m_general;
    CHotkeysPage m_hotkeys;
};
