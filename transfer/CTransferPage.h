// What the four work pages of the Import and Export wizards share: a path field
// with its browse button, a progress bar, a status line, a worker thread that runs
// the job, and the messages by which the job reports back.
#pragma once
#include "framework/CPropertySheet.h"
#include "transfer/CWorkerThread.h"
#include "edits/EditStep.h"
#include "store/Records.h"
#include <string>

class CFavorStore;
class FavorEdits;
class CFolderTreeCtrl;
struct ReadNotes;

class CTransferPage : public fw::CPropertyPage, public CWorkerThread::Delegate {
public:
    enum class Kind { ImportFolder, ImportFirefox, ImportChromium, ImportHtml, ExportFolder, ExportHtml };

    CTransferPage(UINT templateId, Kind kind, FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);
    ~CTransferPage() override;

    bool IsRunning() const { return m_worker.running; }
    // Waits until a job started by Next has returned.
    void WaitForJob() { m_worker.Join(); }

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    std::wstring HelpPage() const override { return L"transfer.html"; }

protected:
    BOOL OnInitDialog() override;
    LRESULT OnWizardNext() override;
    LRESULT OnWizardBack() override;
    bool OnQueryCancel() override;
    void Run() override;  // the job, on the worker thread

    int PathId() const;
    int BrowseId() const;
    int ProgressId() const;
    bool IsImport() const { return m_kind != Kind::ExportFolder && m_kind != Kind::ExportHtml; }

private:
    LRESULT OnBrowse(const fw::Msg&);
    LRESULT OnStep(const fw::Msg&);
    LRESULT OnDone(const fw::Msg&);
    LRESULT OnImportStored(const fw::Msg&);
    LRESULT OnSelectFolder(const fw::Msg&);
    LRESULT OnSetCursor(const fw::Msg&);

    void FillFolderCombo() const;
    void RunImport();
    bool ReadSource(const std::wstring& path, FolderRecord& root, int& count, std::wstring& topName,
                    ReadNotes& notes) const;
    bool SaveImport(FolderRecord& root, int count, const std::wstring& topName);
    void RunExport();
    void ReportDone(int leftOut) const;
    // The job's failure, told; the page is ready again.
    void Fail(const std::wstring& text);
    // Worker-side helpers: each sends or posts to the GUI thread.
    void SetStatus(const wchar_t* text) const;
    void SetProgressRange(int upper) const;
    std::wstring ReadPath() const;
    void ReturnToReady();

    Kind m_kind;
    FavorEdits& m_edits;
    CFavorStore& m_store;
    EditStep m_stored;  // the import the worker stored, until the page publishes it
    CFolderTreeCtrl* m_tree;
    HWND m_mainWindow;
    CWorkerThread m_worker{this};  // last member: joined before the others go

    static const fw::MapEntry<CTransferPage> kMap[];
};
