#include "gui/browser/CapturedMessagePump.h"
#include "app/AppMessages.h"
#include "store/Records.h"

namespace {
constexpr ULONGLONG kGuardMs = 20000;
}

std::optional<CapturedMessage> WaitForCaptured(HWND receiver) {
    const ULONGLONG deadline = GetTickCount64() + kGuardMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_FAVOR_CAPTURED && msg.hwnd == receiver)
                return CapturedMessage{std::unique_ptr<FavorRecord>(
                    reinterpret_cast<FavorRecord*>(msg.wParam))};
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return std::nullopt;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

HWND CreateReceiver() {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

int CountQueuedCaptures(HWND receiver) {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, receiver, WM_FAVOR_CAPTURED, WM_FAVOR_CAPTURED, PM_REMOVE)) {
        delete reinterpret_cast<FavorRecord*>(msg.wParam);
        ++count;
    }
    return count;
}
