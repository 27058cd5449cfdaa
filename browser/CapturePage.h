// Magic Add: the title and address of the page the user is looking at in a browser.
#pragma once
#include <windows.h>
#include <memory>

struct FavorRecord;
class CBrowserDdeClient;
class IShellPageSource;

// Empties the record's name and location, then looks for the browser page highest in
// the stacking order. True with pending false: the record holds that page. True with
// pending true: a DDE request went out and its answer will be posted to the main
// window as WM_FAVOR_CAPTURED with a new record. False: nothing found, nothing sent.
bool CapturePage(FavorRecord& record, bool& capturePending, HWND mainWindow);
bool CapturePage(FavorRecord& record, bool& capturePending, HWND mainWindow,
                 IShellPageSource& shell, CBrowserDdeClient& dde);

// Posts WM_FAVOR_CAPTURED with the record (or 0) to the main window, which takes
// the record over; if the post fails the record is freed here.
bool PostFavorCaptured(HWND mainWindow, std::unique_ptr<FavorRecord> record);
