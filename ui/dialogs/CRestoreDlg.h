// "Restore from Backup": the backup copies newest first, with the date and time, the
// reason and what each holds; Restore puts the chosen one in place of the favorites
// (through IRestoreActions, which asks first), Open Folder shows the folder of copies.
#pragma once
#include "backup/CBackups.h"
#include "backup/DatabaseCopy.h"
#include "framework/CDialog.h"
#include <vector>

class IRestoreActions {
public:
    virtual ~IRestoreActions() = default;
    // Newest first.
    virtual std::vector<BackupEntry> Copies() = 0;
    // False when the favorites cannot be changed (the store is read-only).
    virtual bool CanRestore() const = 0;
    // Asks, restores and tells; true when the favorites were replaced.
    virtual bool Restore(HWND owner, const BackupEntry& copy, const FavorCounts& counts) = 0;
    virtual void OpenFolder() = 0;
};

class CRestoreDlg : public fw::CDialog {
public:
    explicit CRestoreDlg(IRestoreActions& actions);
    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

protected:
    BOOL OnInitDialog() override;

private:
    using Self = CRestoreDlg;
    struct Row {
        BackupEntry copy;
        FavorCounts counts;
        bool counted = false;  // false: the copy could not be read
    };
    LRESULT OnRestore(const fw::Msg&);
    LRESULT OnOpenFolder(const fw::Msg&);
    LRESULT OnSelectionChanged(const fw::Msg&);
    void ShowCopies();
    int SelectedRow() const;
    static const fw::MapEntry<CRestoreDlg> kMap[];

    IRestoreActions& m_actions;
    std::vector<Row> m_rows;
};
