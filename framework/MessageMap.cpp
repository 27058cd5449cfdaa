#include "framework/MessageMap.h"

namespace fw {

MsgKey KeyOf(const Msg& m) {
    UINT base = m.id;
    if (base == kReflectBase + WM_NOTIFY) base = WM_NOTIFY;
    else if (base == kReflectBase + WM_COMMAND) base = WM_COMMAND;
    if (base == WM_COMMAND) return {m.id, LOWORD(m.wp), HIWORD(m.wp)};
    if (base == WM_NOTIFY && m.lp) {
        const auto* h = reinterpret_cast<const NMHDR*>(m.lp);
        return {m.id, static_cast<UINT>(h->idFrom), h->code};
    }
    return {m.id, kAny, kAny};
}

}  // namespace fw
