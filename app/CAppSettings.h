// The user's settings in Tidemarker.ini beside the program, and the auto-run switch.
// Nothing is cached: every read goes to the file and every write straight to it.
#pragma once
#include <windows.h>
#include <string>

// Section "Sync". The password is not here: it lives in Windows Credential Manager.
struct SyncSettings {
    std::wstring url;                  // the server folder; empty: no sync
    std::wstring user;
    std::wstring file;                 // the file in that folder
    int folder = 0;                    // the synced folder; 0 = Root, everything
    int minutes = 0;                   // between automatic syncs
    bool enabled = false;              // "Sync automatically"
    std::wstring trustedCertificate;   // SHA-256 thumbprint of the one certificate trusted
};

class CAppSettings {
public:
    // Global atoms naming the two registered hotkeys; 0 while not registered.
    int m_activateHotkeyId = 0;
    int m_addFavorHotkeyId = 0;

    // Full path of the settings file. Until it is set, reads give the defaults and
    // writes are dropped.
    void SetFilePath(const std::wstring& path) { m_filePath = path; }
    const std::wstring& FilePath() const { return m_filePath; }

    bool ReadBrowserMode() const;
    void WriteBrowserMode(bool browser);
    bool ReadTopMost() const;
    void WriteTopMost(bool topMost);
    // The stored rectangle of the Favorite Browser (true) or the Quick Panel (false);
    // when none is stored, the default size centred on the full-screen area.
    void ReadWindowRect(bool browser, RECT& rect) const;
    void WriteWindowRect(bool browser, const RECT& rect);
    void ReadVisitListSizes(int& mostVisited, int& latestVisited) const;
    void WriteVisitListSizes(int mostVisited, int latestVisited);
    // Modifiers are sums of MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8.
    void ReadHotkeys(int& activateKey, int& activateModifiers, int& addFavorKey,
                     int& addFavorModifiers) const;
    void WriteHotkeys(int activateKey, int activateModifiers, int addFavorKey,
                      int addFavorModifiers);

    // Defaults: file "bookmarks.xbel", folder Root, 15 minutes, automatic; minutes read
    // within 5 to 1440.
    SyncSettings ReadSyncSettings() const;
    void WriteSyncSettings(const SyncSettings& sync);
    void WriteTrustedCertificate(const std::wstring& thumbprint);

    // Whether the program starts at log-on from where it is now.
    bool IsAutoRunOn() const;
    // Always true; registry failures change nothing and are not reported.
    bool SetAutoRun(bool on);

private:
    int ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const;
    std::wstring ReadText(const wchar_t* section, const wchar_t* key, int maxChars) const;
    void WriteText(const wchar_t* section, const wchar_t* key, const std::wstring& text);

    std::wstring m_filePath;
};

// The one settings object of the process.
CAppSettings& AppSettings();
