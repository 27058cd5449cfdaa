// The check of a folder's web locations (and, when asked, of its sub-folders'): every
// http and https location is asked on worker threads, with progress and Cancel, and the
// favorites that did not answer OK are listed with what they gave. Moved ones can take
// their new location. Nothing is changed without a button press.
#pragma once
#include "ui/dialogs/CCleanupDlg.h"
#include <memory>

class CLinkChecker;
struct LinkCheckResult;

class CLinkCheckDlg : public CCleanupDlg {
public:
    CLinkCheckDlg(ICleanupActions& actions, int folderId);
    ~CLinkCheckDlg() override;
    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    std::vector<Column> Columns() const override;
    std::wstring CellText(const CleanupRow& row, int column) const override;
    void UpdateButtons() override;
    void RowsDeleted() override;

private:
    using Self = CLinkCheckDlg;
    LRESULT OnStart(const fw::Msg&);
    LRESULT OnStop(const fw::Msg&);
    LRESULT OnChecked(const fw::Msg& m);
    LRESULT OnDone(const fw::Msg& m);
    LRESULT OnReplace(const fw::Msg&);
    void Stop(bool wait);
    void ShowRunning(bool running);
    void ShowProgress(const wchar_t* end = nullptr) const;
    void ShowNotOk() const;
    static const fw::MapEntry<CLinkCheckDlg> kMap[];

    int m_folderId;
    std::vector<FavorRecord> m_asked;   // the favorites of the current run, by link index
    std::shared_ptr<CLinkChecker> m_checker;
    WPARAM m_run = 0;                   // results of other runs are dropped
    bool m_running = false;
    bool m_finished = false;            // the last run checked every location
    int m_checked = 0;
    int m_skipped = 0;
};
