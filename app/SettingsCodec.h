// The settings file's keys, defaults and text formats, without any file access:
// CAppSettings reads and writes the file and hands the texts to these.
#pragma once
#include <string>

namespace settings {

constexpr const wchar_t* kDisplaySection = L"Display";
constexpr const wchar_t* kGeneralSection = L"General";
constexpr const wchar_t* kHotkeysSection = L"Hotkeys";
constexpr const wchar_t* kSyncSection = L"Sync";

constexpr const wchar_t* kIsBrowserKey = L"IsBrowser";
constexpr const wchar_t* kTopMostKey = L"TopMost";
constexpr const wchar_t* kBrowserPosKey = L"BrowserPos";
constexpr const wchar_t* kQuickPanelPosKey = L"QuickPanelPos";
constexpr const wchar_t* kMostVisitedKey = L"MostVisitedItemCount";
constexpr const wchar_t* kLatestVisitedKey = L"LatestVisitedItemCount";
constexpr const wchar_t* kActivateKey = L"Activate";
constexpr const wchar_t* kActivateModifierKey = L"ActivateModifier";
constexpr const wchar_t* kAddFavorKey = L"AddFavor";
constexpr const wchar_t* kAddFavorModifierKey = L"AddFavorModifier";
constexpr const wchar_t* kSyncUrlKey = L"Url";
constexpr const wchar_t* kSyncUserKey = L"User";
constexpr const wchar_t* kSyncFileKey = L"File";
constexpr const wchar_t* kSyncFolderKey = L"Folder";
constexpr const wchar_t* kSyncMinutesKey = L"Minutes";
constexpr const wchar_t* kSyncEnabledKey = L"Enabled";
constexpr const wchar_t* kSyncCertificateKey = L"TrustedCertificate";

constexpr int kDefaultIsBrowser = 1;
constexpr int kDefaultTopMost = 0;
constexpr int kDefaultVisitListSize = 10;
constexpr int kMinVisitListSize = 1;    // what Preferences accepts; the visit menus'
constexpr int kMaxVisitListSize = 100;  // id ranges hold 101 entries each
constexpr int kDefaultActivateKey = 0x2F;       // with Ctrl; a virtual-key code, not the "/" key
constexpr int kDefaultActivateModifiers = 2;    // Ctrl
constexpr int kDefaultAddFavorKey = 0x4E;       // N
constexpr int kDefaultAddFavorModifiers = 6;    // Ctrl + Shift

constexpr const wchar_t* kDefaultSyncFile = L"bookmarks.xbel";
constexpr int kDefaultSyncMinutes = 15;
constexpr int kMinSyncMinutes = 5;
constexpr int kMaxSyncMinutes = 1440;
constexpr int kMaxSyncText = 2048;  // longest URL, user or file name read from the file

// Longest rectangle text read from the file, in characters.
constexpr int kMaxRectText = 255;

struct RectNumbers {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct RectSize {
    int width = 0, height = 0;
};

// A flag counts as on only when it is exactly 1; it is written as "1" or "0".
inline bool IsFlagOn(int value) { return value == 1; }
inline const wchar_t* FlagText(bool on) { return on ? L"1" : L"0"; }
std::wstring IntText(int value);

// Default window sizes at 96 pixels per inch: the Favorite Browser 730 x 520, the Quick
// Panel 340 x 400; scaled for other display scales.
RectSize DefaultRectSize(bool browser, int dpi = 96);
// A rectangle of the given size centred on a screen of the given size; halves round toward zero.
RectNumbers CentredRect(int screenWidth, int screenHeight, RectSize size);
// Scans "left:top:right:bottom" the way "%d:%d:%d:%d" does: numbers after the first
// one that cannot be read stay 0 ("10:20" gives 10, 20, 0, 0). Out-of-range numbers clamp.
RectNumbers ScanRectText(const std::wstring& text);
std::wstring FormatRectText(const RectNumbers& rect);
// The stored rectangle as read, or the centred default (at the display scale) when the
// stored text is empty.
RectNumbers WindowRectFromText(const std::wstring& text, bool browser, int screenWidth,
                               int screenHeight, int dpi = 96);
// Whether a rectangle has an area, so that it can be looked for on the monitors.
inline bool HasArea(const RectNumbers& r) { return r.right > r.left && r.bottom > r.top; }
// A window rectangle that lies on no monitor, moved onto the work area of the nearest
// one: as near to where it was as fits, its size kept or cut to the work area.
RectNumbers MovedOnto(const RectNumbers& window, const RectNumbers& workArea);

}  // namespace settings
