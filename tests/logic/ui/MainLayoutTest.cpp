// The main window's pixel layout at the client widths where something changes.
#include "ui/MainLayout.h"
#include <gtest/gtest.h>

using layout::Box;

namespace {

struct SearchCase {
    int cx;
    Box search, searchButton;
    bool sep3, exportShown, importShown, sep2;
};

}  // namespace

TEST(MainLayout, BrowserSearchBoxAndToolbarFollowTheWidthThresholds) {
    const SearchCase cases[] = {
        {800, {594, 4, 113, 22}, {574, 4, 20, 22}, true, true, true, true},
        {757, {551, 4, 113, 22}, {531, 4, 20, 22}, true, true, true, true},
        {756, {550, 4, 113, 22}, {530, 4, 20, 22}, true, true, true, true},
        {720, {550, 4, 77, 22}, {530, 4, 20, 22}, true, true, true, true},
        {719, {550, 4, 76, 22}, {530, 4, 20, 22}, false, true, true, true},
        {717, {550, 4, 74, 22}, {530, 4, 20, 22}, false, true, true, true},
        {716, {548, 4, 70, 22}, {528, 4, 20, 22}, false, true, true, true},
        {710, {542, 4, 70, 22}, {522, 4, 20, 22}, false, true, true, true},
        {709, {541, 4, 70, 22}, {521, 4, 20, 22}, false, false, true, true},
        {650, {482, 4, 70, 22}, {462, 4, 20, 22}, false, false, true, true},
        {649, {481, 4, 70, 22}, {461, 4, 20, 22}, false, false, false, true},
        {590, {422, 4, 70, 22}, {402, 4, 20, 22}, false, false, false, true},
        {589, {421, 4, 70, 22}, {401, 4, 20, 22}, false, false, false, false},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.cx);
        const layout::BrowserLayout l = layout::ComputeBrowserLayout(c.cx, 480, true);
        EXPECT_EQ(l.search, c.search);
        EXPECT_EQ(l.searchButton, c.searchButton);
        EXPECT_EQ(l.showSeparator3, c.sep3);
        EXPECT_EQ(l.showExport, c.exportShown);
        EXPECT_EQ(l.showImport, c.importShown);
        EXPECT_EQ(l.showSeparator2, c.sep2);
        EXPECT_EQ(l.quickPanelButton, (Box{c.cx - 88, 2, 85, 25}));
        EXPECT_EQ(l.splitterMin, 100);
        EXPECT_EQ(l.splitterMax, c.cx - 100);
    }
}

TEST(MainLayout, ToolbarNeverRunsUnderTheSearchButtonWhileShown) {
    // Each toolbar piece that a threshold can hide ends left of the search button at
    // the smallest width at which it is still shown.
    const struct { int id; int from; } hideable[] = {{1053, 720}, {1050, 710}, {1049, 650}, {1054, 590}};
    for (const auto& h : hideable) {
        const layout::BrowserLayout l = layout::ComputeBrowserLayout(h.from, 400, true);
        for (const layout::ToolbarSlot& slot : layout::kToolbar) {
            if (slot.id != h.id) continue;
            EXPECT_LE(slot.box.x + slot.box.w, l.searchButton.x) << h.id;
        }
    }
}

TEST(MainLayout, BrowserPanesExpandedAndCollapsed) {
    const layout::BrowserLayout e = layout::ComputeBrowserLayout(722, 486, true);
    EXPECT_EQ(e.tree, (Box{3, 30, 180, 436}));
    EXPECT_EQ(e.splitter, (Box{183, 30, 5, 436}));
    EXPECT_EQ(e.list, (Box{188, 30, 531, 314}));
    EXPECT_EQ(e.detailsToggle, (Box{188, 344, 531, 8}));
    EXPECT_EQ(e.status, (Box{3, 467, 546, 18}));

    const layout::BrowserLayout c = layout::ComputeBrowserLayout(722, 486, false);
    EXPECT_EQ(c.list.h - e.list.h, 114);  // collapsing gives the list 114 pixels
    EXPECT_EQ(c.detailsToggle, (Box{188, 458, 531, 8}));
    EXPECT_EQ(c.tree, e.tree);
}

TEST(MainLayout, DetailsAreaFromTheConstants) {
    const int cx = 722, cy = 486;  // Yd = 344, Xd = 191, half = 265
    const layout::DetailsLayout d = layout::ComputeDetailsLayout(cx, cy, layout::kTreeWidth);
    const Box labels[] = {{191, 354, 50, 22}, {191, 382, 50, 22}, {191, 410, 50, 22},
                          {191, 438, 100, 22}, {456, 438, 100, 22}};
    const Box fields[] = {{241, 352, cx - 349, 22}, {241, 380, cx - 253, 22}, {241, 408, cx - 253, 22},
                          {291, 436, 80, 22}, {556, 436, 120, 22}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d.labels[i], labels[i]) << i;
        EXPECT_EQ(d.fields[i], fields[i]) << i;
    }
    EXPECT_EQ(d.save, (Box{cx - 99, 352, 90, 22}));
    // Save ends one gap left of the margin, the name field one gap before Save.
    EXPECT_EQ(d.fields[0].x + d.fields[0].w + 3 * layout::kGap, d.save.x);
}

TEST(MainLayout, DraggedTreeWidthMovesListAndDetails) {
    const int cx = 800, cy = 500, tree = 250;  // dragged 70 pixels to the right
    const layout::ListAreaLayout a = layout::ComputeListArea(cx, cy, tree, true);
    EXPECT_EQ(a.list, (Box{258, 30, cx - 261, cy - 122 - 50}));
    EXPECT_EQ(a.detailsToggle, (Box{258, cy - 142, cx - 261, 8}));
    const layout::DetailsLayout d = layout::ComputeDetailsLayout(cx, cy, tree);
    EXPECT_EQ(d.labels[0].x, 261);
    EXPECT_EQ(d.fields[0], (Box{311, cy - 134, cx - 419, 22}));
    EXPECT_EQ(d.fields[1].w, cx - 323);
    EXPECT_EQ(d.labels[4].x, 261 + (cx - 261) / 2);
    EXPECT_EQ(d.save.x, cx - 99);  // Save stays at the right edge
}

TEST(MainLayout, QuickPanelAtBothSidesOfTheButtonThreshold) {
    const layout::QuickPanelLayout wide = layout::ComputeQuickPanelLayout(370, 400);
    EXPECT_FALSE(wide.browserTopIconOnly);
    EXPECT_EQ(wide.browserTop, (Box{262, 2, 105, 22}));
    EXPECT_EQ(wide.magicAdd, (Box{3, 2, 80, 22}));
    EXPECT_EQ(wide.mostVisited, (Box{83, 2, 84, 22}));
    EXPECT_EQ(wide.latestVisited, (Box{169, 2, 88, 22}));
    EXPECT_EQ(wide.folderCombo, (Box{3, 26, 364, 400}));
    EXPECT_EQ(wide.list, (Box{3, 50, 364, 317}));
    EXPECT_EQ(wide.searchButton, (Box{3, 373, 20, 22}));
    EXPECT_EQ(wide.search, (Box{23, 373, 209, 22}));
    EXPECT_EQ(wide.browserBottom, (Box{262, 371, 105, 24}));

    const layout::QuickPanelLayout narrow = layout::ComputeQuickPanelLayout(369, 400);
    EXPECT_TRUE(narrow.browserTopIconOnly);
    EXPECT_EQ(narrow.browserTop, (Box{336, 2, 30, 22}));
}
