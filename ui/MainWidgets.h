// The main window's widgets: flat icon buttons with their tooltips, the splitter bar
// between tree and list, the notification-area icon, and what follows the display
// scale: the controls' font, the panes' image list and the window's icons.
#pragma once
#include "ui/widgets/CSplitterBar.h"
#include <windows.h>
#include <memory>

class MainWidgets {
public:
    MainWidgets();
    ~MainWidgets();
    MainWidgets(const MainWidgets&) = delete;
    MainWidgets& operator=(const MainWidgets&) = delete;

    // Icons on every button and the tooltips of the seven edit buttons.
    void AttachButtons(HWND dialog);
    // Names for screen readers where a control's text does not say what it does; after
    // the splitter and the panes exist.
    void NameControls(HWND dialog);
    // The splitter bar over the placeholder static of the template, which goes away.
    void CreateSplitter(HWND dialog);
    void SetSplitterRange(int minX, int maxX);
    // The application icon at the notification area's size.
    void CreateTray(HWND dialog);
    void RemoveTrayIcon();

    // Remembers the dialog's template font as made for the scale the window starts at.
    void KeepTemplateFont(HWND dialog, int dpi);
    // Fonts, icons and image list for a display scale (pixels per inch).
    void ApplyDpi(HWND dialog, HWND tree, HWND list, int dpi);

    // The menu bar drawn in the dark palette, or the system's menu bar again.
    void FollowScheme(HMENU menuBar, bool dark, int dpi);

    static int SplitterDelta(LPARAM lp) { return reinterpret_cast<const NMSPLITTER*>(lp)->delta; }

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
