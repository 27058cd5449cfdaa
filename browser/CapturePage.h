// Magic Add: the title and address of the page the user is looking at in a browser.
#pragma once
#include <windows.h>
#include <memory>

struct FavorRecord;
class CAccessibleCapture;
class CBrowserDdeClient;
class IShellPageSource;

// Empties the record's name and location, then looks for the page the user is looking
// at: first among the shell's browser windows (the page highest in the stacking
// order), then in the highest window of a current browser, read by accessibility,
// last by a DDE request. True with pending false: the record holds the shell's page.
// True with pending true: the result will be posted to the main window as
// WM_FAVOR_CAPTURED with a new record (see CAccessibleCapture::Start for the
// accessibility step; a DDE answer may never come). False: nothing found, nothing sent.
// `accessible` null leaves the accessibility step out.
bool CapturePage(FavorRecord& record, bool& capturePending, HWND mainWindow);
bool CapturePage(FavorRecord& record, bool& capturePending, HWND mainWindow,
                 IShellPageSource& shell, CBrowserDdeClient& dde, CAccessibleCapture* accessible = nullptr);

// Posts WM_FAVOR_CAPTURED with the record (or 0) to the main window, which takes
// the record over; if the post fails the record is freed here. The location is cleaned
// first (CleanLocation; emptied when refused).
bool PostFavorCaptured(HWND mainWindow, std::unique_ptr<FavorRecord> record);
