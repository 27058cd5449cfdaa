#include "gui/widgets/WidgetTestSupport.h"
#include "ui/widgets/CSplitterBar.h"

bool WidgetProbe::Dispatch(const fw::Msg& m, LRESULT& r) {
    if (m.id == WM_NOTIFY) {
        const auto* h = reinterpret_cast<const NMHDR*>(m.lp);
        const int delta = h->code == SPN_DRAGGED ? reinterpret_cast<const NMSPLITTER*>(m.lp)->delta : 0;
        notifies.push_back({h->idFrom, h->code, delta});
    } else if (m.id == WM_COMMAND) {
        commands.push_back(LOWORD(m.wp));
    }
    return CDialog::Dispatch(m, r);
}
