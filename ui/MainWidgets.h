// The main window's widgets: flat icon buttons with their tooltips, the splitter bar
// between tree and list, and the notification-area icon.
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
    // The splitter bar over the placeholder static of the template, which goes away.
    void CreateSplitter(HWND dialog);
    void SetSplitterRange(int minX, int maxX);
    void CreateTray(HWND dialog, HICON icon);
    void RemoveTrayIcon();

    static int SplitterDelta(LPARAM lp) { return reinterpret_cast<const NMSPLITTER*>(lp)->delta; }

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
