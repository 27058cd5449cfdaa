// The main window's pixel layout at the client widths where something changes, at
// 96 pixels per inch and at 120, 144 and 192, where every box is the 96-pixel one scaled.
#include "ui/MainLayout.h"
#include <gtest/gtest.h>

using layout::Box;

namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

int S(int px, int dpi) { return fw::ScaleToDpi(px, dpi); }

// The box at a scale, to the pixel: a size is the difference of two rounded edges, and
// the details' second column halves the scaled width.
void ExpectScaled(const Box& got, const Box& at96, int dpi) {
    const int tolerance = dpi == 96 ? 0 : 1;
    EXPECT_NEAR(got.x, S(at96.x, dpi), tolerance);
    EXPECT_NEAR(got.y, S(at96.y, dpi), tolerance);
    EXPECT_NEAR(got.w, S(at96.w, dpi), tolerance);
    EXPECT_NEAR(got.h, S(at96.h, dpi), tolerance);
}

struct SearchCase {
    int cx;
    Box search, searchButton;
    bool sep3, exportShown, importShown, sep2;
};

}  // namespace

TEST(MainLayout, ScaleRoundsToTheNearestPixelAndIconsComeInDrawnSizes) {
    const struct { int px, dpi, scaled; } scales[] = {
        {3, 96, 3}, {3, 120, 4}, {5, 120, 6}, {3, 144, 5}, {-3, 144, -5}, {180, 144, 270}, {25, 192, 50}};
    for (const auto& c : scales) EXPECT_EQ(S(c.px, c.dpi), c.scaled) << c.px << " at " << c.dpi;
    const struct { int dpi, size; } icons[] = {{72, 16}, {96, 16}, {120, 20}, {144, 24}, {168, 24}, {192, 32}, {288, 32}};
    for (const auto& c : icons) EXPECT_EQ(fw::SmallIconSizeForDpi(c.dpi), c.size) << c.dpi;
}

TEST(MainLayout, BrowserSearchBoxAndToolbarFollowTheWidthThresholds) {
    const SearchCase cases[] = {
        {800, {585, 4, 113, 22}, {565, 4, 20, 22}, true, true, true, true},
        {766, {551, 4, 113, 22}, {531, 4, 20, 22}, true, true, true, true},
        {765, {550, 4, 113, 22}, {530, 4, 20, 22}, true, true, true, true},
        {726, {550, 4, 74, 22}, {530, 4, 20, 22}, true, true, true, true},
        {725, {548, 4, 70, 22}, {528, 4, 20, 22}, true, true, true, true},
        {720, {543, 4, 70, 22}, {523, 4, 20, 22}, true, true, true, true},
        {719, {542, 4, 70, 22}, {522, 4, 20, 22}, false, true, true, true},
        {710, {533, 4, 70, 22}, {513, 4, 20, 22}, false, true, true, true},
        {709, {532, 4, 70, 22}, {512, 4, 20, 22}, false, false, true, true},
        {650, {473, 4, 70, 22}, {453, 4, 20, 22}, false, false, true, true},
        {649, {472, 4, 70, 22}, {452, 4, 20, 22}, false, false, false, true},
        {590, {413, 4, 70, 22}, {393, 4, 20, 22}, false, false, false, true},
        {589, {412, 4, 70, 22}, {392, 4, 20, 22}, false, false, false, false},
    };
    for (int dpi : kDpis) {
        for (const SearchCase& c : cases) {
            SCOPED_TRACE(testing::Message() << c.cx << " at " << dpi);
            const int cx = S(c.cx, dpi);
            const layout::BrowserLayout l = layout::ComputeBrowserLayout(cx, S(480, dpi), dpi, true);
            ExpectScaled(l.search, c.search, dpi);
            ExpectScaled(l.searchButton, c.searchButton, dpi);
            EXPECT_EQ(l.showSeparator3, c.sep3);
            EXPECT_EQ(l.showExport, c.exportShown);
            EXPECT_EQ(l.showImport, c.importShown);
            EXPECT_EQ(l.showSeparator2, c.sep2);
            ExpectScaled(l.quickPanelButton, {c.cx - 97, 2, 94, 25}, dpi);
            EXPECT_EQ(l.splitterMin, S(100, dpi));
            EXPECT_EQ(l.splitterMax, cx - S(100, dpi));
        }
    }
}

TEST(MainLayout, ToolbarPiecesNeverOverlapNorRunUnderTheSearchButtonWhileShown) {
    // Each piece a threshold can hide ends left of the search button at the smallest
    // width at which it is still shown.
    const struct { int id; int from; } hideable[] = {{1053, 720}, {1050, 710}, {1049, 650}, {1054, 590}};
    for (int dpi : kDpis) {
        const layout::Toolbar bar = layout::ToolbarAt(dpi);
        for (size_t i = 1; i < bar.size(); ++i)
            EXPECT_LT(bar[i - 1].box.x + bar[i - 1].box.w, bar[i].box.x) << bar[i].id << " at " << dpi;
        for (const auto& h : hideable) {
            const layout::BrowserLayout l = layout::ComputeBrowserLayout(S(h.from, dpi), S(400, dpi), dpi, true);
            for (const layout::ToolbarSlot& slot : bar) {
                if (slot.id == h.id) {
                    EXPECT_LT(slot.box.x + slot.box.w, l.searchButton.x) << h.id << " at " << dpi;
                }
            }
        }
    }
}

TEST(MainLayout, BrowserPanesExpandedAndCollapsed) {
    for (int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const int cx = S(722, dpi), cy = S(486, dpi);
        const layout::BrowserLayout e = layout::ComputeBrowserLayout(cx, cy, dpi, true);
        ExpectScaled(e.tree, {3, 30, 180, 436}, dpi);
        ExpectScaled(e.splitter, {183, 30, 5, 436}, dpi);
        ExpectScaled(e.list, {188, 30, 531, 314}, dpi);
        ExpectScaled(e.detailsToggle, {188, 344, 531, 8}, dpi);
        ExpectScaled(e.status, {3, 467, 466, 18}, dpi);
        ExpectScaled(e.syncStatus, {469, 467, 250, 18}, dpi);  // the status line's end
        // The panes touch: tree, splitter and list side by side, list on the collapse button.
        EXPECT_EQ(e.tree.x + e.tree.w, e.splitter.x);
        EXPECT_EQ(e.splitter.x + e.splitter.w, e.list.x);
        EXPECT_EQ(e.list.y + e.list.h, e.detailsToggle.y);

        const layout::BrowserLayout c = layout::ComputeBrowserLayout(cx, cy, dpi, false);
        EXPECT_NEAR(c.list.h - e.list.h, S(114, dpi), 1);  // collapsing gives the list 114 pixels
        ExpectScaled(c.detailsToggle, {188, 458, 531, 8}, dpi);
        EXPECT_EQ(c.detailsToggle.y + c.detailsToggle.h, cy - S(20, dpi));
        EXPECT_EQ(c.tree, e.tree);
    }
}

TEST(MainLayout, DetailsAreaFromTheConstants) {
    const int cx = 722, cy = 486;  // Yd = 344, Xd = 191, half = 265
    const Box labels[] = {{191, 354, 54, 22}, {191, 382, 54, 22}, {191, 410, 54, 22},
                          {191, 438, 100, 22}, {456, 438, 100, 22}};
    const Box fields[] = {{245, 352, cx - 353, 22}, {245, 380, cx - 257, 22}, {245, 408, cx - 257, 22},
                          {291, 436, 80, 22}, {556, 436, 120, 22}};
    for (int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const layout::DetailsLayout d =
            layout::ComputeDetailsLayout(S(cx, dpi), S(cy, dpi), dpi, layout::TreeWidth(dpi));
        for (int i = 0; i < 5; ++i) {
            ExpectScaled(d.labels[i], labels[i], dpi);
            ExpectScaled(d.fields[i], fields[i], dpi);
        }
        ExpectScaled(d.save, {cx - 99, 352, 90, 22}, dpi);
        // Save ends one gap left of the margin, the name field one gap before Save.
        EXPECT_NEAR(d.fields[0].x + d.fields[0].w + S(3 * layout::kGap, dpi), d.save.x, 1);
    }
}

TEST(MainLayout, DraggedTreeWidthMovesListAndDetails) {
    const int cx = 800, cy = 500, tree = 250;  // dragged 70 pixels to the right
    for (int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const layout::ListAreaLayout a = layout::ComputeListArea(S(cx, dpi), S(cy, dpi), dpi, S(tree, dpi), true);
        ExpectScaled(a.list, {258, 30, cx - 261, cy - 122 - 50}, dpi);
        ExpectScaled(a.detailsToggle, {258, cy - 142, cx - 261, 8}, dpi);
        const layout::DetailsLayout d = layout::ComputeDetailsLayout(S(cx, dpi), S(cy, dpi), dpi, S(tree, dpi));
        ExpectScaled(d.fields[0], {315, cy - 134, cx - 423, 22}, dpi);
        EXPECT_NEAR(d.fields[1].w, S(cx - 327, dpi), 1);
        EXPECT_NEAR(d.labels[4].x, S(261 + (cx - 261) / 2, dpi), 1);
        EXPECT_EQ(d.save.x, S(cx, dpi) - S(99, dpi));  // Save stays at the right edge
    }
}

TEST(MainLayout, QuickPanelAtBothSidesOfTheButtonThreshold) {
    for (int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const layout::QuickPanelLayout wide = layout::ComputeQuickPanelLayout(S(401, dpi), S(400, dpi), dpi);
        EXPECT_FALSE(wide.browserTopIconOnly);
        ExpectScaled(wide.browserTop, {289, 2, 109, 22}, dpi);
        ExpectScaled(wide.magicAdd, {3, 2, 84, 22}, dpi);
        ExpectScaled(wide.mostVisited, {89, 2, 94, 22}, dpi);
        ExpectScaled(wide.latestVisited, {185, 2, 102, 22}, dpi);
        ExpectScaled(wide.folderCombo, {3, 26, 395, 400}, dpi);
        ExpectScaled(wide.list, {3, 50, 395, 317}, dpi);
        ExpectScaled(wide.searchButton, {3, 373, 20, 22}, dpi);
        ExpectScaled(wide.search, {23, 373, 240, 22}, dpi);
        ExpectScaled(wide.browserBottom, {289, 371, 109, 24}, dpi);
        EXPECT_LT(wide.latestVisited.x + wide.latestVisited.w, wide.browserTop.x);

        const layout::QuickPanelLayout narrow = layout::ComputeQuickPanelLayout(S(400, dpi), S(400, dpi), dpi);
        EXPECT_TRUE(narrow.browserTopIconOnly);
        ExpectScaled(narrow.browserTop, {367, 2, 30, 22}, dpi);
    }
}
