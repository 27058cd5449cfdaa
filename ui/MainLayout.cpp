#include "ui/MainLayout.h"
#include "res/resource.h"
#include <algorithm>

namespace layout {
namespace {

constexpr int kBandTop = 2;  // buttons in the top band
constexpr int kSearchTop = 4;
constexpr int kButtonHeight = 25;
constexpr int kSeparatorTop = 4;
constexpr int kSeparatorHeight = 22;
constexpr int kSearchButtonWidth = 20;

// The right end of the top band: the Quick Panel button at the right margin, the search
// box left of it (wide, at a fixed place, or narrow) with the search button before it.
// The ...Left values are distances from the right edge of the client area.
constexpr int kQuickPanelButtonWidth = 94;
constexpr int kSearchWideWidth = 113, kSearchNarrowWidth = 70;
constexpr int kSearchFixedLeft = 550;
constexpr int kQuickPanelButtonLeft = kMarginRight + kQuickPanelButtonWidth;
constexpr int kSearchWideLeft = kQuickPanelButtonLeft + 5 + kSearchWideWidth;
constexpr int kSearchNarrowLeft = kQuickPanelButtonLeft + 10 + kSearchNarrowWidth;
constexpr int kSearchFixedRoom = kQuickPanelButtonLeft + 5 + kSearchFixedLeft;  // cx less the box's width

// The Quick Panel's buttons.
constexpr int kVisitRowTop = 2;
constexpr int kBrowserButtonWidth = 109;
constexpr int kBrowserButtonLeft = kMarginRight + kBrowserButtonWidth;  // from the right
constexpr int kIconButtonWidth = 30;

// Folder buttons, separator, favorite buttons, separator, import/export, separator.
// Each is wide enough for its icon and text; the right end stays left of the search
// button at each width threshold.
constexpr Toolbar kToolbar = {{
    {IDC_FOLDER_NEW, {3, kBandTop, 50, kButtonHeight}},
    {IDC_FOLDER_EDIT, {55, kBandTop, 48, kButtonHeight}},
    {IDC_FOLDER_DELETE, {105, kBandTop, 63, kButtonHeight}},
    {IDC_SEPARATOR1, {172, kSeparatorTop, 2, kSeparatorHeight}},
    {IDC_FAVOR_NEW, {178, kBandTop, 50, kButtonHeight}},
    {IDC_FAVOR_EDIT, {230, kBandTop, 48, kButtonHeight}},
    {IDC_FAVOR_DELETE, {280, kBandTop, 63, kButtonHeight}},
    {IDC_SEPARATOR2, {347, kSeparatorTop, 2, kSeparatorHeight}},
    {IDC_IMPORT, {353, kBandTop, 76, kButtonHeight}},
    {IDC_EXPORT, {431, kBandTop, 76, kButtonHeight}},
    {IDC_SEPARATOR3, {511, kSeparatorTop, 2, kSeparatorHeight}},
}};

// Positions scale, sizes follow: every edge is a 96-pixel distance from the left or top
// of the client area, or from its right or bottom, scaled with the one rounding; a size
// is the difference of its two edges. So edges that meet at 96 pixels per inch meet at
// every scale.
class Edges {
public:
    Edges(int cx, int cy, int dpi) : m_s(dpi), m_cx(cx), m_cy(cy) {}
    int operator()(int px) const { return m_s(px); }  // from the left or top
    int Right(int px) const { return m_cx - m_s(px); }
    int Bottom(int px) const { return m_cy - m_s(px); }
    // The scaled length of a span that starts `from` pixels in (at 96 pixels per inch).
    int Span(int from, int length) const { return m_s(from + length) - m_s(from); }

private:
    fw::DpiScale m_s;
    int m_cx, m_cy;
};

Box Between(int left, int top, int right, int bottom) { return {left, top, right - left, bottom - top}; }

// Edges of the columns at 96 pixels per inch with the tree at its usual width.
constexpr int kTreeRight = kMarginLeft + kTreeWidth;
constexpr int kSyncStatusWidth = 250;
constexpr int kListLeft = kTreeRight + kSplitterWidth;
constexpr int kDetailsLeft = kListLeft + kGap;
constexpr int kCountLeft = kDetailsLeft + 100;  // the last row's labels are 100 pixels wide
// Distances from the right edge.
constexpr int kSaveLeft = kMarginRight + 2 * kGap + kSaveWidth;
constexpr int kNameRight = kSaveLeft + 3 * kGap;
constexpr int kWideFieldRight = kMarginRight + 3 * kGap;
// Distances from the bottom edge: the details area sits on the status band.
constexpr int kDetailsTop = kStatusHeight + kDetailsExpanded;
constexpr int kRowPitch = kRowHeight + 2 * kRowGap;

// The list's left edge and the splitter's width after a tree of `treeWidth` pixels.
int SplitterWidth(const Edges& e) { return e.Span(kTreeRight, kSplitterWidth); }
int ListLeft(const Edges& e, int treeWidth) { return e(kMarginLeft) + treeWidth + SplitterWidth(e); }
int DetailsLeft(const Edges& e, int treeWidth) { return ListLeft(e, treeWidth) + e.Span(kListLeft, kGap); }

}  // namespace

Toolbar ToolbarAt(int dpi) {
    const Edges e(0, 0, dpi);
    Toolbar out = kToolbar;
    for (ToolbarSlot& slot : out) {
        const Box& b = slot.box;
        slot.box = Between(e(b.x), e(b.y), e(b.x + b.w), e(b.y + b.h));
    }
    return out;
}

Size MinWindowSize(bool browser, int dpi) {
    const fw::DpiScale s(dpi);
    return browser ? Size{s(kBrowserMinWidth), s(kBrowserMinHeight)}
                   : Size{s(kQuickPanelMinWidth), s(kQuickPanelMinHeight)};
}

int TreeWidth(int dpi) { return Edges(0, 0, dpi).Span(kMarginLeft, kTreeWidth); }

ListAreaLayout ComputeListArea(int cx, int cy, int dpi, int treeWidth, bool detailsExpanded) {
    const Edges e(cx, cy, dpi);
    const int d = kStatusHeight + (detailsExpanded ? kDetailsExpanded : kDetailsCollapsed);
    const int left = ListLeft(e, treeWidth), right = e.Right(kMarginRight);
    ListAreaLayout out;
    out.list = Between(left, e(kToolbarHeight), right, e.Bottom(d));
    out.detailsToggle = Between(left, e.Bottom(d), right, e.Bottom(d - kDetailsCollapsed));
    return out;
}

BrowserLayout ComputeBrowserLayout(int cx, int cy, int dpi, bool detailsExpanded) {
    const Edges e(cx, cy, dpi);
    BrowserLayout out;
    out.quickPanelButton =
        Between(e.Right(kQuickPanelButtonLeft), e(kBandTop), e.Right(kMarginRight), e(kBandTop + kButtonHeight));
    int left, right;  // of the search box; the search button sits just before it
    if (cx >= e(kSearchFollowsFrom)) {
        left = e.Right(kSearchWideLeft);
        right = e.Right(kSearchWideLeft - kSearchWideWidth);
    } else if (cx >= e(kSearchFixedFrom)) {
        left = e(kSearchFixedLeft);
        right = e.Right(kSearchFixedRoom - kSearchFixedLeft);
    } else {
        left = e.Right(kSearchNarrowLeft);
        right = e.Right(kSearchNarrowLeft - kSearchNarrowWidth);
    }
    const int buttonLeft = cx >= e(kSearchFollowsFrom) ? e.Right(kSearchWideLeft + kSearchButtonWidth)
                           : cx >= e(kSearchFixedFrom) ? e(kSearchFixedLeft - kSearchButtonWidth)
                                                       : e.Right(kSearchNarrowLeft + kSearchButtonWidth);
    const int top = e(kSearchTop), bottom = e(kSearchTop + kRowHeight);
    out.search = Between(left, top, right, bottom);
    out.searchButton = Between(buttonLeft, top, left, bottom);

    const int paneTop = e(kToolbarHeight), paneBottom = e.Bottom(kStatusHeight);
    out.tree = Between(e(kMarginLeft), paneTop, e(kTreeRight), paneBottom);
    out.splitter = Between(e(kTreeRight), paneTop, e(kListLeft), paneBottom);
    const ListAreaLayout area = ComputeListArea(cx, cy, dpi, out.tree.w, detailsExpanded);
    out.list = area.list;
    out.detailsToggle = area.detailsToggle;
    const int syncLeft = std::max(e(kMarginLeft), e.Right(kMarginRight + kSyncStatusWidth));
    out.status = Between(e(kMarginLeft), e.Bottom(19), syncLeft, e.Bottom(1));
    out.syncStatus = Between(syncLeft, e.Bottom(19), e.Right(kMarginRight), e.Bottom(1));
    out.showSeparator3 = cx >= e(kShowSeparator3From);
    out.showExport = cx >= e(kShowExportFrom);
    out.showImport = cx >= e(kShowImportFrom);
    out.showSeparator2 = cx >= e(kShowSeparator2From);
    out.splitterMin = e(kSplitterEdge);
    out.splitterMax = e.Right(kSplitterEdge);
    return out;
}

DetailsLayout ComputeDetailsLayout(int cx, int cy, int dpi, int treeWidth) {
    const Edges e(cx, cy, dpi);
    const int xd = DetailsLeft(e, treeWidth);
    const int fieldLeft = xd + e.Span(kDetailsLeft, kLabelWidth);
    const int countLeft = xd + e.Span(kDetailsLeft, kCountLeft - kDetailsLeft);
    const int secondColumn = xd + (cx - xd) / 2;
    // Row r of edits starts below the collapse button, one row height and two gaps apart;
    // labels sit a little lower.
    auto rowTop = [&](int r, int drop) { return e.Bottom(kDetailsTop - kDetailsCollapsed - r * kRowPitch - drop); };
    auto rowBottom = [&](int r, int drop) { return rowTop(r, drop + kRowHeight); };

    DetailsLayout out;
    const int fieldRight[] = {e.Right(kNameRight), e.Right(kWideFieldRight), e.Right(kWideFieldRight)};
    for (int r = 0; r < 3; ++r) {
        out.fields[r] = Between(fieldLeft, rowTop(r, 0), fieldRight[r], rowBottom(r, 0));
        out.labels[r] = Between(xd, rowTop(r, kLabelDrop), fieldLeft, rowBottom(r, kLabelDrop));
    }
    out.fields[3] = Between(countLeft, rowTop(3, 0), countLeft + e.Span(kCountLeft, 80), rowBottom(3, 0));
    out.labels[3] = Between(xd, rowTop(3, kLabelDrop), countLeft, rowBottom(3, kLabelDrop));
    const int timeLeft = secondColumn + e.Span(kDetailsLeft, kCountLeft - kDetailsLeft);
    out.fields[4] = Between(timeLeft, rowTop(3, 0), timeLeft + e.Span(kCountLeft, 120), rowBottom(3, 0));
    out.labels[4] = Between(secondColumn, rowTop(3, kLabelDrop), timeLeft, rowBottom(3, kLabelDrop));
    out.save = Between(e.Right(kSaveLeft), rowTop(0, 0), e.Right(kSaveLeft - kSaveWidth), rowBottom(0, 0));
    return out;
}

QuickPanelLayout ComputeQuickPanelLayout(int cx, int cy, int dpi) {
    const Edges e(cx, cy, dpi);
    const int top = e(kVisitRowTop), bottom = e(kVisitRowTop + kRowHeight);
    QuickPanelLayout out;
    out.magicAdd = Between(e(3), top, e(87), bottom);
    out.mostVisited = Between(e(89), top, e(183), bottom);
    out.latestVisited = Between(e(185), top, e(287), bottom);
    out.browserTopIconOnly = cx < e(kQuickPanelFullButtonFrom);
    const int browserLeft = out.browserTopIconOnly ? kMarginRight + kIconButtonWidth : kBrowserButtonLeft;
    out.browserTop = Between(e.Right(browserLeft), top, e.Right(kMarginRight), bottom);
    const int left = e(kMarginLeft), right = e.Right(kMarginRight);
    out.folderCombo = {left, e(26), right - left, e(400)};  // the height is the dropped-down list's
    out.list = Between(left, e(50), right, e.Bottom(33));
    out.searchButton = Between(left, e.Bottom(27), e(kMarginLeft + kSearchButtonWidth), e.Bottom(5));
    out.search = Between(out.searchButton.x + out.searchButton.w, e.Bottom(27), e.Right(138), e.Bottom(5));
    out.browserBottom = Between(e.Right(kBrowserButtonLeft), e.Bottom(29), e.Right(kMarginRight), e.Bottom(5));
    return out;
}

}  // namespace layout
