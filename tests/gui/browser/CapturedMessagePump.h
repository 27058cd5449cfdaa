// Pumps this thread's messages until WM_FAVOR_CAPTURED reaches the given window.
#pragma once
#include <windows.h>
#include <memory>
#include <optional>

struct FavorRecord;

struct CapturedMessage {
    std::unique_ptr<FavorRecord> record;  // null when the sender posted 0
};

// Nothing when no such message came within the guard time (a hang guard, not a measure).
std::optional<CapturedMessage> WaitForCaptured(HWND receiver);

// Removes and frees the WM_FAVOR_CAPTURED messages already queued for the window.
int CountQueuedCaptures(HWND receiver);

// A hidden message-only window that receives WM_FAVOR_CAPTURED.
HWND CreateReceiver();
