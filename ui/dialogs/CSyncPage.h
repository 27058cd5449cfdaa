// Preferences, page "Sync": the server folder, user name, password, file name, the
// folder to sync, the minutes between syncs, "Sync automatically", "Sync Now" and the
// last result. The password goes to Windows Credential Manager, never to the settings
// file.
#pragma once
#include "framework/CPropertySheet.h"
#include <functional>
#include <string>

class CAppSettings;
struct FolderRecord;

// What the page asks of the program's sync.
class ISyncControl {
public:
    virtual ~ISyncControl() = default;
    virtual void SyncNow() = 0;
    // The last result and its time ("Not synced yet" before the first).
    virtual std::wstring LastResult() const = 0;
    // The settings were written: the schedule follows them, a stop after a refused
    // password ends.
    virtual void SettingsChanged() = 0;
    // Called with each new result line while set; an empty function ends it.
    virtual void SetResultListener(std::function<void(const std::wstring&)> listener) = 0;
};

class CSyncPage : public fw::CPropertyPage {
public:
    // root: the folder tree for the folder list.
    CSyncPage(CAppSettings& settings, ISyncControl& sync, const FolderRecord& root);
    ~CSyncPage() override;

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

protected:
    BOOL OnInitDialog() override;
    bool OnKillActive() override;
    bool OnApply() override;

private:
    using Self = CSyncPage;
    static const fw::MapEntry<CSyncPage> kMap[];
    LRESULT OnChanged(const fw::Msg&);
    LRESULT OnSyncNow(const fw::Msg&);
    LRESULT OnDestroy(const fw::Msg& m);

    std::wstring Field(int id) const;
    bool Validate(int& minutes) const;

    CAppSettings& m_settings;
    ISyncControl& m_sync;
    const FolderRecord& m_root;
    bool m_filling = false;
};
