// Private window messages, with their fixed values.
#pragma once
#include <windows.h>

constexpr UINT WM_TRANSFER_STEP   = 0x501;  // transfer job -> wizard page: one progress step
constexpr UINT WM_TRANSFER_DONE   = 0x502;  // transfer job -> wizard page: finished
constexpr UINT WM_TRAY_NOTIFY     = 0x50A;  // tray icon -> main window, lParam = mouse message
constexpr UINT WM_FAVOR_CAPTURED  = 0x513;  // -> main window (posted), wParam = FavorRecord* or 0, receiver owns it
constexpr UINT WM_FOLDERS_CHANGED = 0x514;  // folder tree, import jobs -> main window (sent)
constexpr UINT WM_LINK_CHECKED    = 0x515;  // link check -> its dialog (sent), wParam = run, lParam = const LinkCheckResult*
constexpr UINT WM_LINK_CHECK_DONE = 0x516;  // link check -> its dialog (posted), wParam = run: every link answered
constexpr UINT WM_SAVE_FAILED     = 0x517;  // drop targets, start-up -> main window (posted), lParam = std::wstring* to tell, receiver owns it
constexpr UINT WM_ADDRESS_READ    = 0x518;  // accessibility reader -> page capture window (posted),
                                            // wParam = capture number, lParam = std::wstring* address or 0, receiver owns it
constexpr UINT WM_BACKUP_MADE     = 0x520;  // backup on a worker -> main window (posted), wParam = 1 from the
                                            // daily worker, lParam = BackupOutcome*, receiver owns it
constexpr UINT WM_SHOWINSTANCE    = 0x900;  // second copy -> main window of the first (sent)
