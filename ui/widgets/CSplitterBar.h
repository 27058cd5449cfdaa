// The vertical bar between two panes. The user drags it with the mouse while a
// tracking line follows; when the button is released the bar tells its parent how
// far it was dragged, and the parent re-lays out the panes (the bar itself does not
// move).
#pragma once
#include "framework/CControl.h"

// Sent to the parent as WM_NOTIFY after a drag that moved the bar; hdr.idFrom is the
// bar's id, hdr.code SPN_DRAGGED.
constexpr UINT SPN_DRAGGED = 1;
struct NMSPLITTER {
    NMHDR hdr;
    int delta;  // signed distance in pixels, positive to the right
};

// The distance a bar at barLeft (barWidth wide) may be dragged by `wanted` so that it
// stays within [minX, maxX] of its parent's client area; 0 when it cannot fit.
int ClampSplitterDelta(int barLeft, int barWidth, int minX, int maxX, int wanted);

class CSplitterBar : public fw::CCustomWindow {
public:
    // A visible child window of `parent` over rc (parent client coordinates).
    bool Create(HWND parent, const RECT& rc, int id);
    // The parent client x range the whole bar must stay in while dragged. Until it is
    // set, the parent's client width at the start of the drag.
    void SetRange(int minX, int maxX);

    bool IsDragging() const { return m_dragging; }
    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

private:
    using Self = CSplitterBar;
    LRESULT OnLButtonDown(const fw::Msg& m);
    LRESULT OnMouseMove(const fw::Msg& m);
    LRESULT OnLButtonUp(const fw::Msg& m);
    LRESULT OnCaptureChanged(const fw::Msg& m);
    LRESULT OnKeyDown(const fw::Msg& m);
    LRESULT OnEraseBackground(const fw::Msg& m);
    static const fw::MapEntry<CSplitterBar> kMap[];

    int DeltaAt(LPARAM clientPoint) const;
    void InvertTrackingLine(int delta) const;
    void EndDrag(bool notify, int delta);

    int m_minX = 0;
    int m_maxX = 0;
    bool m_rangeSet = false;
    bool m_dragging = false;
    int m_id = 0;
    RECT m_startRect{};   // the bar in parent client coordinates when the drag began
    int m_anchorX = 0;    // cursor x in parent client coordinates when the drag began
    int m_trackDelta = 0; // where the tracking line is drawn now
};
