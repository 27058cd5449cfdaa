// A modeless probe dialog for the widget tests: it records the WM_NOTIFY and
// WM_COMMAND messages its children send, and forwards owner-drawn menu messages.
#pragma once
#include "framework/CDialog.h"
#include "gui/TestResources.h"
#include <vector>

struct SeenNotify {
    UINT_PTR id;
    UINT code;
    int delta;  // for splitter notifications
};

class WidgetProbe : public fw::CDialog {
public:
    WidgetProbe() : CDialog(IDD_TEST_PROBE) {}
    std::vector<SeenNotify> notifies;
    std::vector<UINT> commands;  // LOWORD(wParam) of WM_COMMAND
    std::vector<LPARAM> callbacks;  // lParam of WM_TRAY_NOTIFY
    int measured = 0;  // owner-drawn menu items measured
    bool Dispatch(const fw::Msg& m, LRESULT& r) override;
};
