// Where every control of the main window goes, for both modes, computed from the
// client size, the display scale, the tree's width and the state of the details pane.
// Every constant below is in pixels at 96 pixels per inch and is scaled to the
// window's scale with fw::ScaleToDpi. No windows here: CFavorMainDlg reads the client
// size, calls these and moves the controls.
#pragma once
#include "framework/Dpi.h"
#include <array>

namespace layout {

constexpr int kMarginLeft = 3;
constexpr int kMarginRight = 3;
constexpr int kToolbarHeight = 30;
constexpr int kStatusHeight = 20;
constexpr int kSplitterWidth = 5;
constexpr int kDetailsExpanded = 122;
constexpr int kDetailsCollapsed = 8;  // also the height of the collapse button
constexpr int kGap = 3;
constexpr int kLabelWidth = 54;  // "Location:" in a wide font
constexpr int kRowHeight = 22;
constexpr int kRowGap = 3;
constexpr int kLabelDrop = 2;
constexpr int kSaveWidth = 90;
constexpr int kTreeWidth = 180;  // the tree's width after every resize

// Smallest window sizes the user can drag the window to. The Quick Panel's leaves
// room for its top row of buttons, with "Favor Browser" as an icon.
constexpr int kBrowserMinWidth = 580, kBrowserMinHeight = 400;
constexpr int kQuickPanelMinWidth = 340, kQuickPanelMinHeight = 100;

// Client widths from which the right end of the toolbar is shown.
constexpr int kShowSeparator3From = 720;
constexpr int kShowExportFrom = 710;
constexpr int kShowImportFrom = 650;
constexpr int kShowSeparator2From = 590;
// Client widths from which the search box sits at a fixed place, then follows the right edge.
constexpr int kSearchFixedFrom = 726;
constexpr int kSearchFollowsFrom = 766;
// Below this width the Quick Panel's top "Favor Browser" button shows its icon only.
constexpr int kQuickPanelFullButtonFrom = 401;
// The splitter keeps this far from either edge of the client area.
constexpr int kSplitterEdge = 100;

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const Box& a, const Box& b) {
        return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
    }
};

struct Size {
    int w = 0, h = 0;
};

// The Favorite Browser's panes and bands.
struct BrowserLayout {
    Box quickPanelButton, search, searchButton;
    Box tree, splitter, list, detailsToggle, status;
    Box syncStatus;  // the status line's end: the last sync's time or why it failed
    bool showSeparator3 = false, showExport = false, showImport = false, showSeparator2 = false;
    int splitterMin = 0, splitterMax = 0;  // range of the splitter bar
};

// The details area under the list: labels and fields in the order name, location,
// tags, visit count, last visit time.
struct DetailsLayout {
    std::array<Box, 5> labels, fields;
    Box save;
};

// The parts under the toolbar that follow the tree's width (the splitter drag and the
// collapse button move only these).
struct ListAreaLayout {
    Box list, detailsToggle;
};

struct QuickPanelLayout {
    Box magicAdd, mostVisited, latestVisited, browserTop, folderCombo, list, searchButton, search,
        browserBottom;
    bool browserTopIconOnly = false;
};

// Toolbar buttons and separators of the Favorite Browser: fixed positions, never moved
// by a resize (only the right end is hidden on narrow windows).
struct ToolbarSlot {
    int id;
    Box box;
};
using Toolbar = std::array<ToolbarSlot, 11>;

// Widths and lengths below are in pixels of the window (treeWidth too).
Toolbar ToolbarAt(int dpi);
Size MinWindowSize(bool browser, int dpi);
int TreeWidth(int dpi);
BrowserLayout ComputeBrowserLayout(int cx, int cy, int dpi, bool detailsExpanded);
ListAreaLayout ComputeListArea(int cx, int cy, int dpi, int treeWidth, bool detailsExpanded);
DetailsLayout ComputeDetailsLayout(int cx, int cy, int dpi, int treeWidth);
QuickPanelLayout ComputeQuickPanelLayout(int cx, int cy, int dpi);

}  // namespace layout
