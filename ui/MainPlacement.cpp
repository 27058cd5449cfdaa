#include "ui/MainPlacement.h"
#include "framework/CWnd.h"
#include "res/resource.h"
#include "ui/MainTexts.h"
#include "ui/MainWidgets.h"
#include <algorithm>
#include <initializer_list>

namespace {

const int kDetailIds[] = {IDC_LABEL_NAME, IDC_LABEL_LOCATION, IDC_LABEL_TAGS, IDC_LABEL_HITS, IDC_LABEL_LASTHIT};
const int kFieldIds[] = {IDC_DETAIL_NAME, IDC_DETAIL_LOCATION, IDC_DETAIL_TAGS, IDC_DETAIL_HITS, IDC_DETAIL_LASTHIT};

// Moves a batch of dialog controls in one go.
class DeferredMoves {
public:
    DeferredMoves(HWND dialog, int count) : m_dialog(dialog), m_dwp(BeginDeferWindowPos(count)) {}
    ~DeferredMoves() {
        if (m_dwp) EndDeferWindowPos(m_dwp);
    }
    DeferredMoves(const DeferredMoves&) = delete;
    DeferredMoves& operator=(const DeferredMoves&) = delete;

    void Place(int id, const layout::Box& b) {
        HWND h = GetDlgItem(m_dialog, id);
        if (!h) return;
        if (m_dwp) m_dwp = DeferWindowPos(m_dwp, h, nullptr, b.x, b.y, b.w, b.h, SWP_NOZORDER | SWP_NOACTIVATE);
        if (!m_dwp) MoveWindow(h, b.x, b.y, b.w, b.h, FALSE);  // the batch failed: one by one
    }

private:
    HWND m_dialog;
    HDWP m_dwp;
};

struct Placed {
    int id;
    layout::Box box;
};

void PlaceAll(HWND dialog, std::initializer_list<Placed> controls) {
    DeferredMoves moves(dialog, static_cast<int>(controls.size()));
    for (const Placed& c : controls) moves.Place(c.id, c.box);
}

}  // namespace

void MainPlacement::Attach(HWND dialog, MainWidgets& widgets, int dpi) {
    m_dialog = dialog;
    m_widgets = &widgets;
    m_dpi = dpi;
    m_treeWidth = layout::TreeWidth(dpi);
}

SIZE MainPlacement::ClientSize() const {
    RECT rc{};
    GetClientRect(m_dialog, &rc);
    return {rc.right, rc.bottom};
}

void MainPlacement::PlaceToolbar() const {
    const layout::Toolbar bar = layout::ToolbarAt(m_dpi);
    DeferredMoves moves(m_dialog, static_cast<int>(bar.size()));
    for (const layout::ToolbarSlot& slot : bar) moves.Place(slot.id, slot.box);
}

void MainPlacement::LayOut(bool browser, bool detailsExpanded) {
    const SIZE c = ClientSize();
    if (IsIconic(m_dialog) || c.cx <= 0 || c.cy <= 0) return;
    if (browser) LayOutBrowser(c.cx, c.cy, detailsExpanded);
    else LayOutQuickPanel(c.cx, c.cy);
}

void MainPlacement::LayOutBrowser(int cx, int cy, bool detailsExpanded) {
    m_treeWidth = layout::TreeWidth(m_dpi);  // a dragged width lasts until the next resize
    const layout::BrowserLayout l = layout::ComputeBrowserLayout(cx, cy, m_dpi, detailsExpanded);
    PlaceAll(m_dialog, {{IDC_TO_QUICKPANEL, l.quickPanelButton}, {IDC_SEARCH_EDIT, l.search},
                        {IDC_SEARCH_BUTTON, l.searchButton}, {IDC_FOLDER_TREE, l.tree}, {IDC_SPLITTER, l.splitter},
                        {IDC_STATUS, l.status}, {IDC_SYNC_STATUS, l.syncStatus}});
    PlaceListArea(detailsExpanded);
    const struct { int id; bool shown; } ends[] = {{IDC_SEPARATOR3, l.showSeparator3}, {IDC_EXPORT, l.showExport},
                                                   {IDC_IMPORT, l.showImport}, {IDC_SEPARATOR2, l.showSeparator2}};
    for (const auto& e : ends) ShowWindow(GetDlgItem(m_dialog, e.id), e.shown ? SW_SHOW : SW_HIDE);
    m_widgets->SetSplitterRange(l.splitterMin, l.splitterMax);
}

void MainPlacement::PlaceListArea(bool detailsExpanded) const {
    const SIZE c = ClientSize();
    const layout::ListAreaLayout a = layout::ComputeListArea(c.cx, c.cy, m_dpi, m_treeWidth, detailsExpanded);
    DeferredMoves moves(m_dialog, 13);
    moves.Place(IDC_FAVOR_LIST, a.list);
    moves.Place(IDC_DETAILS_TOGGLE, a.detailsToggle);
    if (!detailsExpanded) return;
    const layout::DetailsLayout d = layout::ComputeDetailsLayout(c.cx, c.cy, m_dpi, m_treeWidth);
    for (size_t i = 0; i < d.labels.size(); ++i) {
        moves.Place(kDetailIds[i], d.labels[i]);
        moves.Place(kFieldIds[i], d.fields[i]);
    }
    moves.Place(IDC_SAVE_DETAILS, d.save);
}

void MainPlacement::LayOutQuickPanel(int cx, int cy) const {
    const layout::QuickPanelLayout l = layout::ComputeQuickPanelLayout(cx, cy, m_dpi);
    PlaceAll(m_dialog, {{IDC_MAGIC_ADD, l.magicAdd}, {IDC_MOST_VISITED, l.mostVisited},
                        {IDC_LATEST_VISITED, l.latestVisited}, {IDC_TO_BROWSER_TOP, l.browserTop},
                        {IDC_FOLDER_COMBO, l.folderCombo}, {IDC_FAVOR_LIST, l.list},
                        {IDC_SEARCH_BUTTON, l.searchButton}, {IDC_SEARCH_EDIT, l.search},
                        {IDC_TO_BROWSER_BOTTOM, l.browserBottom}});
    HWND top = GetDlgItem(m_dialog, IDC_TO_BROWSER_TOP);
    const wchar_t* topText = l.browserTopIconOnly ? L"" : texts::kFavorBrowserButton;
    if (fw::WindowText(top) != topText) SetWindowTextW(top, topText);
}

void MainPlacement::DragTree(int delta, bool detailsExpanded) {
    const fw::DpiScale s(m_dpi);
    const SIZE c = ClientSize();
    const int widest = c.cx - s(layout::kMarginLeft) - s(layout::kSplitterWidth) - s(layout::kMarginRight);
    m_treeWidth = std::clamp(m_treeWidth + delta, 0, std::max(0, widest));
    HWND treeWnd = GetDlgItem(m_dialog, IDC_FOLDER_TREE);
    RECT tree{};
    GetWindowRect(treeWnd, &tree);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&tree), 2);
    const int height = tree.bottom - tree.top;
    MoveWindow(treeWnd, tree.left, tree.top, m_treeWidth, height, TRUE);
    MoveWindow(GetDlgItem(m_dialog, IDC_SPLITTER), tree.left + m_treeWidth, tree.top, s(layout::kSplitterWidth),
               height, TRUE);
    PlaceListArea(detailsExpanded);
}
