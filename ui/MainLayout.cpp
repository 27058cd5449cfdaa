#include "ui/MainLayout.h"
#include "res/resource.h"

namespace layout {
namespace {

constexpr int kBandTop = 2;         // buttons in the top band
constexpr int kSearchTop = 4;
constexpr int kButtonHeight = 25;
constexpr int kSeparatorTop = 4;
constexpr int kSearchButtonWidth = 20;

// Left edge of the details area: margin, tree, splitter and one gap.
int DetailsLeft(int treeWidth) { return kMarginLeft + treeWidth + kSplitterWidth + kGap; }
int ListLeft(int treeWidth) { return kMarginLeft + treeWidth + kSplitterWidth; }

}  // namespace

// Folder buttons, separator, favorite buttons, separator, import/export, separator.
// The right end stays left of the search button at each width threshold.
const std::array<ToolbarSlot, 11> kToolbar = {{
    {IDC_FOLDER_NEW, {3, kBandTop, 55, kButtonHeight}},
    {IDC_FOLDER_EDIT, {60, kBandTop, 55, kButtonHeight}},
    {IDC_FOLDER_DELETE, {117, kBandTop, 60, kButtonHeight}},
    {IDC_SEPARATOR1, {181, kSeparatorTop, 2, 22}},
    {IDC_FAVOR_NEW, {187, kBandTop, 55, kButtonHeight}},
    {IDC_FAVOR_EDIT, {244, kBandTop, 55, kButtonHeight}},
    {IDC_FAVOR_DELETE, {301, kBandTop, 60, kButtonHeight}},
    {IDC_SEPARATOR2, {365, kSeparatorTop, 2, 22}},
    {IDC_IMPORT, {371, kBandTop, 72, kButtonHeight}},
    {IDC_EXPORT, {445, kBandTop, 72, kButtonHeight}},
    {IDC_SEPARATOR3, {521, kSeparatorTop, 2, 22}},
}};

int DetailsHeight(bool expanded) { return expanded ? kDetailsExpanded : kDetailsCollapsed; }

ListAreaLayout ComputeListArea(int cx, int cy, int treeWidth, bool detailsExpanded) {
    const int d = DetailsHeight(detailsExpanded);
    const int left = ListLeft(treeWidth);
    const int width = cx - left - kMarginRight;
    const int bottomBands = kToolbarHeight + kStatusHeight;  // 50
    ListAreaLayout out;
    out.list = {left, kToolbarHeight, width, cy - d - bottomBands};
    out.detailsToggle = {left, cy - d - kStatusHeight, width, kDetailsCollapsed};
    return out;
}

BrowserLayout ComputeBrowserLayout(int cx, int cy, bool detailsExpanded) {
    BrowserLayout out;
    out.quickPanelButton = {cx - 88, kBandTop, 85, kButtonHeight};
    if (cx >= 757) {
        out.search = {cx - 206, kSearchTop, 113, kRowHeight};
        out.searchButton = {cx - 226, kSearchTop, kSearchButtonWidth, kRowHeight};
    } else if (cx >= 717) {
        out.search = {550, kSearchTop, cx - 643, kRowHeight};
        out.searchButton = {530, kSearchTop, kSearchButtonWidth, kRowHeight};
    } else {
        out.search = {cx - 168, kSearchTop, 70, kRowHeight};
        out.searchButton = {cx - 188, kSearchTop, kSearchButtonWidth, kRowHeight};
    }
    const int paneHeight = cy - kToolbarHeight - kStatusHeight;
    out.tree = {kMarginLeft, kToolbarHeight, kTreeWidth, paneHeight};
    out.splitter = {kMarginLeft + kTreeWidth, kToolbarHeight, kSplitterWidth, paneHeight};
    const ListAreaLayout area = ComputeListArea(cx, cy, kTreeWidth, detailsExpanded);
    out.list = area.list;
    out.detailsToggle = area.detailsToggle;
    out.status = {kMarginLeft, cy - 19, cx - 176, 18};
    out.showSeparator3 = cx >= kShowSeparator3From;
    out.showExport = cx >= kShowExportFrom;
    out.showImport = cx >= kShowImportFrom;
    out.showSeparator2 = cx >= kShowSeparator2From;
    out.splitterMin = kSplitterEdge;
    out.splitterMax = cx - kSplitterEdge;
    return out;
}

DetailsLayout ComputeDetailsLayout(int cx, int cy, int treeWidth) {
    const int xd = DetailsLeft(treeWidth);
    const int yd = cy - kStatusHeight - kDetailsExpanded;
    const int half = (cx - xd) / 2;
    // Row r of edits starts below the collapse button, one row height and two gaps apart.
    auto rowTop = [&](int r) { return yd + kDetailsCollapsed + r * (kRowHeight + 2 * kRowGap); };
    const int fieldLeft = xd + kLabelWidth;
    const int nameWidth =
        cx - 6 * kGap - kLabelWidth - kMarginLeft - treeWidth - kSaveWidth - kSplitterWidth - kMarginRight;
    const int wideWidth = cx - 4 * kGap - kLabelWidth - kMarginLeft - treeWidth - kSplitterWidth - kMarginRight;
    const int wideLabel = 2 * kLabelWidth;
    const int secondColumn = xd + half;

    DetailsLayout out;
    out.fields[0] = {fieldLeft, rowTop(0), nameWidth, kRowHeight};
    out.fields[1] = {fieldLeft, rowTop(1), wideWidth, kRowHeight};
    out.fields[2] = {fieldLeft, rowTop(2), wideWidth, kRowHeight};
    out.fields[3] = {xd + wideLabel, rowTop(3), 80, kRowHeight};
    out.fields[4] = {secondColumn + wideLabel, rowTop(3), 120, kRowHeight};
    out.labels[0] = {xd, rowTop(0) + kLabelDrop, kLabelWidth, kRowHeight};
    out.labels[1] = {xd, rowTop(1) + kLabelDrop, kLabelWidth, kRowHeight};
    out.labels[2] = {xd, rowTop(2) + kLabelDrop, kLabelWidth, kRowHeight};
    out.labels[3] = {xd, rowTop(3) + kLabelDrop, wideLabel, kRowHeight};
    out.labels[4] = {secondColumn, rowTop(3) + kLabelDrop, wideLabel, kRowHeight};
    out.save = {cx - kMarginRight - 2 * kGap - kSaveWidth, rowTop(0), kSaveWidth, kRowHeight};
    return out;
}

QuickPanelLayout ComputeQuickPanelLayout(int cx, int cy) {
    QuickPanelLayout out;
    out.magicAdd = {3, 2, 80, kRowHeight};
    out.mostVisited = {83, 2, 84, kRowHeight};
    out.latestVisited = {169, 2, 88, kRowHeight};
    out.browserTopIconOnly = cx < kQuickPanelFullButtonFrom;
    out.browserTop = out.browserTopIconOnly ? Box{cx - 33, 2, 30, kRowHeight} : Box{cx - 108, 2, 105, kRowHeight};
    out.folderCombo = {kMarginLeft, 26, cx - kMarginLeft - kMarginRight, 400};
    out.list = {kMarginLeft, 50, cx - kMarginLeft - kMarginRight, cy - 83};
    out.searchButton = {kMarginLeft, cy - 27, kSearchButtonWidth, kRowHeight};
    out.search = {kMarginLeft + kSearchButtonWidth, cy - 27, cx - 161, kRowHeight};
    out.browserBottom = {cx - 108, cy - 29, 105, 24};
    return out;
}

}  // namespace layout
