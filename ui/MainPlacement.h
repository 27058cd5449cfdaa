// Moves the main window's controls to where the layout puts them, at the window's
// display scale: the toolbar, both modes' controls for the client size, the list area
// after the tree's width (the splitter drag, the collapse button).
#pragma once
#include "ui/MainLayout.h"
#include <windows.h>

class MainWidgets;

class MainPlacement {
public:
    void Attach(HWND dialog, MainWidgets& widgets, int dpi);
    int Dpi() const { return m_dpi; }
    void SetDpi(int dpi) { m_dpi = dpi; }
    int TreeWidth() const { return m_treeWidth; }

    // The toolbar's fixed boxes.
    void PlaceToolbar() const;
    // Everything of the mode for the current client size; the tree gets its usual width.
    void LayOut(bool browser, bool detailsExpanded);
    // The list, the collapse button and (when expanded) the details area.
    void PlaceListArea(bool detailsExpanded) const;
    // The tree widened by the splitter's drag distance (kept inside the client area).
    void DragTree(int delta, bool detailsExpanded);
    layout::Size MinWindowSize(bool browser) const { return layout::MinWindowSize(browser, m_dpi); }

private:
    SIZE ClientSize() const;
    void LayOutBrowser(int cx, int cy, bool detailsExpanded);
    void LayOutQuickPanel(int cx, int cy) const;

    HWND m_dialog = nullptr;
    MainWidgets* m_widgets = nullptr;
    int m_dpi = fw::kBaseDpi;
    int m_treeWidth = layout::kTreeWidth;
};
