#include "gui/widgets/WidgetTestSupport.h"
#include "app/AppMessages.h"
#include "ui/widgets/BCMenu.h"
#include "ui/widgets/CSplitterBar.h"

bool WidgetProbe::Dispatch(const fw::Msg& m, LRESULT& r) {
    if (m.id == WM_NOTIFY) {
        const auto* h = reinterpret_cast<const NMHDR*>(m.lp);
        const int delta = h->code == SPN_DRAGGED ? reinterpret_cast<const NMSPLITTER*>(m.lp)->delta : 0;
        notifies.push_back({h->idFrom, h->code, delta});
    } else if (m.id == WM_COMMAND) {
        commands.push_back(LOWORD(m.wp));
    } else if (m.id == WM_TRAY_NOTIFY) {
        callbacks.push_back(m.lp);
        return true;
    } else if (m.id == WM_MEASUREITEM && m.wp == 0) {
        if (BCMenu::OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(m.lp))) ++measured;
        r = TRUE;
        return true;
    } else if (m.id == WM_DRAWITEM && m.wp == 0) {
        r = BCMenu::OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(m.lp));
        return true;
    }
    return CDialog::Dispatch(m, r);
}
