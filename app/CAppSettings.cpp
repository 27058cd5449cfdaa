#include "app/CAppSettings.h"
#include "app/AutoRun.h"
#include "app/ProgramPaths.h"
#include "app/SettingsCodec.h"
#include "framework/WindowDpi.h"
#include <algorithm>
#include <vector>

using namespace settings;

namespace {

const wchar_t* RectKey(bool browser) { return browser ? kBrowserPosKey : kQuickPanelPosKey; }

}  // namespace

int CAppSettings::ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const {
    if (m_filePath.empty()) return fallback;
    // Negative numbers come back as their two's complement.
    return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, m_filePath.c_str()));
}

std::wstring CAppSettings::ReadText(const wchar_t* section, const wchar_t* key,
                                    int maxChars) const {
    if (m_filePath.empty()) return std::wstring();
    std::vector<wchar_t> buffer(maxChars + 1, L'\0');
    const DWORD length = GetPrivateProfileStringW(section, key, L"", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()),
                                                  m_filePath.c_str());
    return std::wstring(buffer.data(), length);
}

void CAppSettings::WriteText(const wchar_t* section, const wchar_t* key,
                             const std::wstring& text) {
    if (m_filePath.empty()) return;
    WritePrivateProfileStringW(section, key, text.c_str(), m_filePath.c_str());
}

bool CAppSettings::ReadBrowserMode() const {
    return IsFlagOn(ReadInt(kDisplaySection, kIsBrowserKey, kDefaultIsBrowser));
}

void CAppSettings::WriteBrowserMode(bool browser) {
    WriteText(kDisplaySection, kIsBrowserKey, FlagText(browser));
}

bool CAppSettings::ReadTopMost() const {
    return IsFlagOn(ReadInt(kDisplaySection, kTopMostKey, kDefaultTopMost));
}

void CAppSettings::WriteTopMost(bool topMost) {
    WriteText(kDisplaySection, kTopMostKey, FlagText(topMost));
}

void CAppSettings::ReadWindowRect(bool browser, RECT& rect) const {
    // The client area of a maximised window on the primary monitor, without the taskbar.
    const int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    RectNumbers r = WindowRectFromText(ReadText(kDisplaySection, RectKey(browser), kMaxRectText), browser,
                                       screenWidth, screenHeight, fw::SystemDpi());
    rect = RECT{r.left, r.top, r.right, r.bottom};
    // Pixels of a monitor that has gone since (or was rearranged): back onto the nearest one.
    if (!HasArea(r) || MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) return;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return;
    const RECT& work = info.rcWork;
    r = MovedOnto(r, {work.left, work.top, work.right, work.bottom});
    rect = RECT{r.left, r.top, r.right, r.bottom};
}

void CAppSettings::WriteWindowRect(bool browser, const RECT& rect) {
    WriteText(kDisplaySection, RectKey(browser),
              FormatRectText({rect.left, rect.top, rect.right, rect.bottom}));
}

// A hand-edited file may hold any number: it is read within the range Preferences accepts.
void CAppSettings::ReadVisitListSizes(int& mostVisited, int& latestVisited) const {
    const auto read = [this](const wchar_t* key) {
        return std::clamp(ReadInt(kGeneralSection, key, kDefaultVisitListSize), kMinVisitListSize, kMaxVisitListSize);
    };
    mostVisited = read(kMostVisitedKey);
    latestVisited = read(kLatestVisitedKey);
}

void CAppSettings::WriteVisitListSizes(int mostVisited, int latestVisited) {
    WriteText(kGeneralSection, kMostVisitedKey, IntText(mostVisited));
    WriteText(kGeneralSection, kLatestVisitedKey, IntText(latestVisited));
}

void CAppSettings::ReadHotkeys(int& activateKey, int& activateModifiers, int& addFavorKey,
                               int& addFavorModifiers) const {
    activateKey = ReadInt(kHotkeysSection, kActivateKey, kDefaultActivateKey);
    activateModifiers = ReadInt(kHotkeysSection, kActivateModifierKey, kDefaultActivateModifiers);
    addFavorKey = ReadInt(kHotkeysSection, kAddFavorKey, kDefaultAddFavorKey);
    addFavorModifiers = ReadInt(kHotkeysSection, kAddFavorModifierKey, kDefaultAddFavorModifiers);
}

void CAppSettings::WriteHotkeys(int activateKey, int activateModifiers, int addFavorKey,
                                int addFavorModifiers) {
    WriteText(kHotkeysSection, kActivateKey, IntText(activateKey));
    WriteText(kHotkeysSection, kActivateModifierKey, IntText(activateModifiers));
    WriteText(kHotkeysSection, kAddFavorKey, IntText(addFavorKey));
    WriteText(kHotkeysSection, kAddFavorModifierKey, IntText(addFavorModifiers));
}

SyncSettings CAppSettings::ReadSyncSettings() const {
    SyncSettings sync;
    sync.url = ReadText(kSyncSection, kSyncUrlKey, kMaxSyncText);
    sync.user = ReadText(kSyncSection, kSyncUserKey, kMaxSyncText);
    sync.file = ReadText(kSyncSection, kSyncFileKey, kMaxSyncText);
    if (sync.file.empty()) sync.file = kDefaultSyncFile;
    sync.folder = std::max(0, ReadInt(kSyncSection, kSyncFolderKey, 0));
    sync.minutes = std::clamp(ReadInt(kSyncSection, kSyncMinutesKey, kDefaultSyncMinutes), kMinSyncMinutes, kMaxSyncMinutes);
    sync.enabled = IsFlagOn(ReadInt(kSyncSection, kSyncEnabledKey, 1));
    sync.trustedCertificate = ReadText(kSyncSection, kSyncCertificateKey, kMaxSyncText);
    return sync;
}

void CAppSettings::WriteSyncSettings(const SyncSettings& sync) {
    WriteText(kSyncSection, kSyncUrlKey, sync.url);
    WriteText(kSyncSection, kSyncUserKey, sync.user);
    WriteText(kSyncSection, kSyncFileKey, sync.file);
    WriteText(kSyncSection, kSyncFolderKey, IntText(sync.folder));
    WriteText(kSyncSection, kSyncMinutesKey, IntText(sync.minutes));
    WriteText(kSyncSection, kSyncEnabledKey, FlagText(sync.enabled));
    WriteTrustedCertificate(sync.trustedCertificate);
}

void CAppSettings::WriteTrustedCertificate(const std::wstring& thumbprint) {
    WriteText(kSyncSection, kSyncCertificateKey, thumbprint);
}

bool CAppSettings::IsAutoRunOn() const { return autorun::IsOnFor(ModuleFilePath()); }

bool CAppSettings::SetAutoRun(bool on) {
    autorun::SetFor(on, on ? ModuleFilePath() : std::wstring());
    return true;
}

CAppSettings& AppSettings() {
    static CAppSettings settings;
    return settings;
}
