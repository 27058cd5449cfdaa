// What the notification-area icon says and offers.
#pragma once
#include "ui/widgets/BCMenu.h"

// The tip the icon is added with, replaced at once by kTrayTooltip.
inline constexpr wchar_t kTrayInitialTip[] = L"Tidemark 1.0";
// Three lines, 68 characters.
inline constexpr wchar_t kTrayTooltip[] = L"Tidemarker\nLeft click -> Show Tidemarker\nRight click -> Context menu";

// Fills a new pop-up menu with the tray commands, top to bottom: Exit, Help,
// Preferences, Restore from Backup (only with offerRestore: the Favorite Browser, whose
// File menu has it, is not on screen), separator, Find, Add New Favor (greyed unless
// canAdd), separator, Quick Panel, Browser.
bool BuildTrayMenu(BCMenu& menu, bool canAdd = true, bool offerRestore = false);
