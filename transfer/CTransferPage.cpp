#include "transfer/CTransferPage.h"
#include "app/AppMessages.h"
#include "edits/FavorEdits.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtmlReader.h"
#include "transfer/CFavorTransfer.h"
#include "transfer/ChromiumBookmarks.h"
#include "transfer/ChromiumProfiles.h"
#include "transfer/FileBytes.h"
#include "transfer/FirefoxPlaces.h"
#include "transfer/ImportStatus.h"
#include "transfer/ImportedItems.h"
#include "transfer/PathPickers.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/FolderTreeLogic.h"
#include <commctrl.h>
#include <new>

namespace {

// Worker -> page, sent: the import is stored (the page publishes it to the window's
// panes and undo), and the folder to select when the import is done (wParam: id).
constexpr UINT kImportStored = WM_APP + 0x40;
constexpr UINT kSelectFolder = WM_APP + 0x41;

const wchar_t kNotice[] = L"Notice";
const wchar_t kReadFailed[] = L"Import fail, please select a valid file!";
const wchar_t kStoreFailed[] =
    L"Import fail, the favorites could not be stored in the favorites database. Nothing was changed.";
const wchar_t kExportFailed[] = L"Export fail, please select a valid destination!";

// A failure message with its reason under it, when there is one.
std::wstring WithReason(const wchar_t* message, const std::wstring& reason) {
    return reason.empty() ? std::wstring(message) : message + (L"\n\n" + reason);
}

std::wstring ExportReadFailedText(const StoreError& error) {
    return L"Export fail, the favorites could not be read from the favorites database. Nothing was written.\n"
           L"SQLite reports: " + FromUtf8(error.message);
}

std::wstring ReplaceQuestion(int files, const std::wstring& folder) {
    return folder + L" already holds " + std::to_wstring(files) +
           (files == 1 ? L" shortcut file that this export would replace." : L" shortcut files that this export would replace.") +
           L"\n\nReplace them?";
}

std::wstring FinishedText(bool import, int leftOut) {
    std::wstring text = import ? L"Congratulations. Import finished." : L"Congratulations. Export finished.";
    if (leftOut > 0)
        text += L"\n\n" + std::to_wstring(leftOut) +
                (leftOut == 1 ? L" favorite was" : L" favorites were") +
                L" left out: a location holding a NUL character, or one too long for an address.";
    return text;
}

// About one progress step is posted per 1% of the records saved.
constexpr int kStepBatches = 100;

}  // namespace

const fw::MapEntry<CTransferPage> CTransferPage::kMap[] = {
    fw::OnMessage(WM_SETCURSOR, &CTransferPage::OnSetCursor),
    fw::OnMessage(WM_TRANSFER_STEP, &CTransferPage::OnStep),
    fw::OnMessage(WM_TRANSFER_DONE, &CTransferPage::OnDone),
    fw::OnMessage(kImportStored, &CTransferPage::OnImportStored),
    fw::OnMessage(kSelectFolder, &CTransferPage::OnSelectFolder),
    fw::OnCommandRange(IDC_WIZ_FOLDER_BROWSE, IDC_WIZ_FOLDER_BROWSE, &CTransferPage::OnBrowse),
    fw::OnCommandRange(IDC_WIZ_FILE_BROWSE, IDC_WIZ_FILE_BROWSE, &CTransferPage::OnBrowse),
};

bool CTransferPage::Dispatch(const fw::Msg& m, LRESULT& result) {
    if (m.id == WM_DESTROY) m_worker.Join();  // the job must not outlive the controls it uses
    return fw::RunMap(*this, kMap, m, result) || CPropertyPage::Dispatch(m, result);
}

CTransferPage::CTransferPage(UINT templateId, Kind kind, FavorEdits& edits, CFolderTreeCtrl* tree,
                             HWND mainWindow)
    : CPropertyPage(templateId),
      m_kind(kind),
      m_edits(edits),
      m_store(edits.Store()),
      m_tree(tree),
      m_mainWindow(mainWindow) {}

CTransferPage::~CTransferPage() { m_worker.Join(); }

int CTransferPage::PathId() const {
    return (m_kind == Kind::ImportFolder || m_kind == Kind::ExportFolder) ? IDC_WIZ_FOLDER_PATH : IDC_WIZ_FILE_PATH;
}
int CTransferPage::BrowseId() const {
    return PathId() == IDC_WIZ_FOLDER_PATH ? IDC_WIZ_FOLDER_BROWSE : IDC_WIZ_FILE_BROWSE;
}
int CTransferPage::ProgressId() const {
    return PathId() == IDC_WIZ_FOLDER_PATH ? IDC_WIZ_FOLDER_PROGRESS : IDC_WIZ_FILE_PROGRESS;
}

BOOL CTransferPage::OnInitDialog() {
    if (Sheet()) Sheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    HWND progress = Item(ProgressId());
    switch (m_kind) {
    case Kind::ImportFolder:
    case Kind::ImportFirefox:
    case Kind::ImportChromium:
    case Kind::ImportHtml:
        SendMessageW(progress, PBM_SETRANGE32, 0, 100);
        SendMessageW(progress, PBM_SETPOS, 0, 0);
        SetItemText(IDC_WIZ_STATUS, L"Import status: Ready.");
        SetItemText(PathId(), m_kind == Kind::ImportFolder    ? CFavorTransfer::GetFavoritesFolderPath()
                              : m_kind == Kind::ImportFirefox ? CFavorTransfer::FindFirefoxPlaces()
                                                              : std::wstring());  // a Chromium page fills its own
        break;
    case Kind::ExportFolder:
    case Kind::ExportHtml:
        FillFolderCombo();
        if (m_kind == Kind::ExportFolder) {
            SetItemText(PathId(), CFavorTransfer::GetFavoritesFolderPath());
            SendMessageW(progress, PBM_SETRANGE32, 0, 100);
            SendMessageW(progress, PBM_SETPOS, 0, 0);
        }
        break;
    }
    return TRUE;
}

// "Root" and the tree pane's folders, indented; each entry carries its folder's id, which
// the job reads, never a record the tree may free meanwhile.
void CTransferPage::FillFolderCombo() const {
    HWND combo = Item(IDC_FOLDER_COMBO);
    const auto append = [combo](const std::wstring& text, int id) {
        const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        const LRESULT at = SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(count < 0 ? 0 : count),
                                        reinterpret_cast<LPARAM>(text.c_str()));
        if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(id));
    };
    append(L"Root", 0);
    if (m_tree) {
        for (const FolderListEntry& e : FolderListEntries(m_tree->GetRootFolder(), 1, -1)) append(e.text, e.folder->id);
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

LRESULT CTransferPage::OnBrowse(const fw::Msg&) {
    std::optional<std::wstring> chosen;
    switch (m_kind) {
    case Kind::ImportFolder:
    case Kind::ExportFolder: chosen = PathPickers::BrowseForFolder(L"Select Favorites Folder:"); break;
    case Kind::ImportFirefox: chosen = PathPickers::OpenFile(m_hwnd, L"Firefox Bookmark database (*.sqlite)|*.sqlite||"); break;
    case Kind::ImportChromium: chosen = PathPickers::OpenFile(m_hwnd, L"Bookmarks file (Bookmarks)|Bookmarks|All files (*.*)|*.*||"); break;
    case Kind::ImportHtml: chosen = PathPickers::OpenFile(m_hwnd, L"HTML file (*.html;*.htm)|*.html;*.htm||"); break;
    case Kind::ExportHtml:
        chosen = PathPickers::SaveFile(m_hwnd, L"HTML file (*.html)|*.html|HTM file (*.htm)|*.htm||", L"html",
                                       L"Tidemarker.html");
        break;
    }
    if (chosen) SetItemText(PathId(), *chosen);
    return 0;
}

LRESULT CTransferPage::OnWizardNext() {
    // A Next pressed before the job has disabled the buttons must not start it again.
    if (m_worker.running || m_worker.IsAlive()) return -1;
    if (ItemText(PathId()).empty()) {
        const wchar_t* text = m_kind == Kind::ImportFirefox    ? L"You should select the bookmark HTML file fist!"
                              : m_kind == Kind::ExportHtml     ? L"You should select the html saving folder fist!"
                              : m_kind == Kind::ImportChromium ? L"You should select the Bookmarks file first!"
                              : m_kind == Kind::ImportHtml     ? L"You should select the bookmark HTML file first!"
                                                               : L"You should select the favorites folder fist!";
        seams::MessageBox(m_hwnd, text, kNotice, MB_OK);
    } else {
        m_worker.running = true;  // Cancel is refused from the moment the job is started
        if (!m_worker.Start()) m_worker.running = false;
    }
    return -1;  // the wizard stays on this page either way
}

LRESULT CTransferPage::OnWizardBack() {
    if (m_worker.running) return -1;  // nor may another page start a second job meanwhile
    if (Sheet()) Sheet()->SetActivePage(0);
    return -1;
}

bool CTransferPage::OnQueryCancel() {
    if (!m_worker.running) return true;
    seams::MessageBox(m_hwnd,
                      IsImport() ? L"Import processing, please wait patiently until completed."
                                 : L"Export processing, please wait patiently until completed.",
                      L"Tidemarker", MB_OK);
    return false;
}

LRESULT CTransferPage::OnSetCursor(const fw::Msg& m) {
    if (!m_worker.running) {
        m.passOn = true;
        return 0;
    }
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return TRUE;
}

// wParam: the number of steps (imports post them in batches); 0 counts as one.
LRESULT CTransferPage::OnStep(const fw::Msg& m) {
    HWND progress = Item(ProgressId());
    const LRESULT pos = SendMessageW(progress, PBM_GETPOS, 0, 0);
    SendMessageW(progress, PBM_SETPOS, pos + (m.wp ? static_cast<LRESULT>(m.wp) : 1), 0);
    return 0;
}

// wParam: the favorites the import left out.
LRESULT CTransferPage::OnDone(const fw::Msg& m) {
    ReplyMessage(0);  // when sent: the job goes on while the message shows
    seams::MessageBox(m_hwnd, FinishedText(IsImport(), static_cast<int>(m.wp)), L"Congratulations", MB_OK);
    if (Sheet()) Sheet()->EndSheet(0);
    return 0;
}

LRESULT CTransferPage::OnImportStored(const fw::Msg&) {
    m_edits.Publish(std::move(m_stored));
    m_stored = EditStep();
    return 0;
}

LRESULT CTransferPage::OnSelectFolder(const fw::Msg& m) {
    if (m_tree) m_tree->SelectFolder(static_cast<int>(m.wp));
    return 0;
}

// ---- the job, on the worker thread: controls are reached only through messages ----

void CTransferPage::SetStatus(const wchar_t* text) const {
    SendMessageW(GetDlgItem(m_hwnd, IDC_WIZ_STATUS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void CTransferPage::SetProgressRange(int upper) const {
    // The full item count: a 16-bit range would wrap above 65,535 items.
    SendMessageW(GetDlgItem(m_hwnd, ProgressId()), PBM_SETRANGE32, 0, upper);
}

std::wstring CTransferPage::ReadPath() const {
    HWND edit = GetDlgItem(m_hwnd, PathId());
    const int n = static_cast<int>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = static_cast<int>(SendMessageW(edit, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void CTransferPage::ReturnToReady() {
    m_worker.running = false;  // the job is over: Cancel is allowed again
    HWND progress = GetDlgItem(m_hwnd, ProgressId());
    SendMessageW(progress, PBM_SETRANGE32, 0, 100);
    SendMessageW(progress, PBM_SETPOS, 0, 0);
    SetStatus(IsImport() ? L"Import status: Ready." : L"Export status: Ready.");
    if (Sheet()) Sheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
}

void CTransferPage::ReportDone(int leftOut) const {
    fw::PostOrSend(m_hwnd, WM_TRANSFER_DONE, static_cast<WPARAM>(leftOut), 0);
}

void CTransferPage::Fail(const std::wstring& text) {
    seams::MessageBox(m_hwnd, text, kNotice, MB_OK);
    ReturnToReady();
}

// Whatever a job throws (a file that needs more memory than there is) ends it as a
// failure the user is told of, with the page ready again; an import's batch was rolled
// back on the way out, so nothing of it is stored.
void CTransferPage::Run() {
    m_worker.running = true;
    if (Sheet()) Sheet()->SetWizardButtons(0);
    const wchar_t* failed = IsImport() ? kReadFailed : kExportFailed;
    try {
        if (IsImport()) RunImport();
        else RunExport();
    } catch (const std::bad_alloc&) {
        Fail(WithReason(failed, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)));
    } catch (const std::exception& e) {
        Fail(WithReason(failed, FromAnsi(e.what())));
    } catch (...) {
        Fail(failed);
    }
    m_worker.running = false;
}

// The read phase: the tree the page's source holds, and the name of its new top folder.
bool CTransferPage::ReadSource(const std::wstring& path, FolderRecord& root, int& count, std::wstring& topName,
                               ReadNotes& notes) const {
    CFavorTransfer transfer;
    switch (m_kind) {
    case Kind::ImportFolder:
        SetStatus(L"Import status: Reading from favorites folder...");
        topName = L"Favorites From IE";
        return transfer.ReadFavoritesFolder(path, root, count,
                                            [this](int items) { SetStatus(FolderReadingStatus(items).c_str()); });
    case Kind::ImportFirefox:
        SetStatus(L"Import status: Reading from bookmark database file...");
        topName = L"Favorites From Firefox";
        return ReadPlacesFile(path, root, count, notes);
    case Kind::ImportChromium:
        SetStatus(L"Import status: Reading from Bookmarks file...");
        topName = L"Favorites From " + ChromiumBrowserName(path);
        return ReadChromiumBookmarks(path, root, count, notes);
    case Kind::ImportHtml:
        SetStatus(L"Import status: Reading from bookmark HTML file...");
        topName = L"Favorites From HTML";
        return ReadBookmarkHtmlFile(path, root, count, notes);
    default: return false;
    }
}

void CTransferPage::RunImport() {
    FolderRecord root;
    int count = 0;
    std::wstring topName;
    ReadNotes notes;
    const bool read = ReadSource(ReadPath(), root, count, topName, notes);
    if (read) {  // every location as a browser reads it; one holding a NUL is left out
        const int refused = CleanImportedLocations(root);
        notes.leftOut += refused;
        count -= refused;
    }
    const bool saved = read && SaveImport(root, count, topName);
    const int topId = root.id;
    root = FolderRecord();
    if (!saved)  // nothing is stored: say why, and the page is ready again
        return Fail(read ? std::wstring(kStoreFailed) : WithReason(kReadFailed, notes.failure));
    if (m_mainWindow) SendMessageW(m_mainWindow, WM_FOLDERS_CHANGED, 0, 0);
    SendMessageW(m_hwnd, kSelectFolder, static_cast<WPARAM>(topId), 0);
    SetStatus(L"Import status: Finished.");
    ReportDone(notes.leftOut);
}

// Stores the tree as one batch. Progress steps are posted in batches while the store is
// held (a send could wait for a GUI thread that waits for the store); a refused post is
// carried over, and what is left is sent once the store is free.
bool CTransferPage::SaveImport(FolderRecord& root, int count, const std::wstring& topName) {
    SetStatus(L"Import status: Saving to favorites database...");
    SetProgressRange(count);
    SendMessageW(GetDlgItem(m_hwnd, ProgressId()), PBM_SETPOS, 0, 0);
    const HWND page = m_hwnd;
    const WPARAM every = static_cast<WPARAM>(count > kStepBatches ? count / kStepBatches : 1);
    WPARAM owed = 0;
    const bool saved = m_edits.StoreImport(
        root, topName,
        [page, every, &owed] {
            if (++owed >= every && PostMessageW(page, WM_TRANSFER_STEP, owed, 0)) owed = 0;
        },
        m_stored);
    if (!saved) return false;
    if (owed) SendMessageW(page, WM_TRANSFER_STEP, owed, 0);
    // The store is free again: the page's thread may take the import into the panes.
    SendMessageW(page, kImportStored, 0, 0);
    return true;
}

void CTransferPage::RunExport() {
    SetStatus(L"Export status: Reading data from favorites database...");
    FolderRecord root;
    HWND combo = GetDlgItem(m_hwnd, IDC_FOLDER_COMBO);
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    const LRESULT id = sel == CB_ERR ? 0 : SendMessageW(combo, CB_GETITEMDATA, sel, 0);
    if (id != CB_ERR) root.id = static_cast<int>(id);
    int count = 0;
    // A store that cannot be read gives no empty export: nothing is written.
    if (!m_store.LoadAll(root, count)) return Fail(ExportReadFailedText(m_store.LastError()));
    SetProgressRange(count);
    const bool toFolder = m_kind == Kind::ExportFolder;
    const std::wstring path = ReadPath();
    // The default folder is the user's real Favorites folder: replacing shortcuts there is asked first.
    const int replaced = toFolder ? CFavorTransfer::CountShortcutsToReplace(path, root) : 0;
    if (replaced > 0 && seams::MessageBox(m_hwnd, ReplaceQuestion(replaced, path), kNotice,
                                          MB_YESNO | MB_ICONQUESTION) != IDYES)
        return ReturnToReady();
    SetStatus(toFolder ? L"Export status: Saving to Windows favorites folder..."
                       : L"Export status: Saving to bookmark html file...");
    const HWND page = m_hwnd;
    const auto step = [page] { SendMessageW(page, WM_TRANSFER_STEP, 0, 0); };
    CFavorTransfer transfer;
    const bool written = toFolder ? transfer.ExportToFolder(step, path, root) : transfer.ExportToHtml(step, path, root);
    root = FolderRecord();
    // Never report an export that wrote nothing, or only part, as finished.
    if (!written) return Fail(kExportFailed);
    SetStatus(L"Export status: Finished.");
    ReportDone(0);
}
