#include "ui/TrayMenu.h"
#include "res/resource.h"

bool BuildTrayMenu(BCMenu& menu, bool canAdd, bool offerRestore) {
    if (!menu.CreatePopupMenu()) return false;
    menu.AppendItem(IDM_TRAY_EXIT, L"&Exit", IDI_MENU_EXIT);
    menu.AppendItem(IDM_TRAY_HELP, L"&Help", IDI_MENU_HELP);
    menu.AppendItem(IDM_TRAY_PREFERENCES, L"&Preferences...", IDI_MENU_PREFERENCES);
    if (offerRestore) menu.AppendItem(IDM_FILE_RESTORE, L"Restore from &Backup...", 0);
    menu.AppendSeparator();
    menu.AppendItem(IDM_TRAY_FIND, L"&Find Favor...", IDI_MENU_FIND);
    menu.AppendItem(IDM_TRAY_ADD, L"&Add New Favor...", IDI_MENU_ADD, canAdd);
    menu.AppendSeparator();
    menu.AppendItem(IDM_TRAY_QUICKPANEL, L"Goto &Quick Panel", IDI_MENU_QUICKPANEL);
    menu.AppendItem(IDM_TRAY_BROWSER, L"Goto Favorite &Browser", IDI_MENU_BROWSER);
    return true;
}
