#include "ui/StoreProblems.h"
#include "app/AppMessages.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "ui/MainTexts.h"
#include <memory>

namespace {

constexpr const wchar_t* kDataFile = L"Your favorites data file \\Data\\favors.db";
constexpr const wchar_t* kBrowseOnly = L" You can browse and open your favorites, but changes cannot be saved.";

const int kChangeButtons[] = {IDC_FOLDER_NEW, IDC_FOLDER_EDIT, IDC_FOLDER_DELETE, IDC_FAVOR_NEW,  IDC_FAVOR_EDIT,
                              IDC_FAVOR_DELETE, IDC_IMPORT,    IDC_SAVE_DETAILS,  IDC_MAGIC_ADD};
const int kChangeMenuItems[] = {IDM_FILE_NEW_FAVORITE, IDM_FILE_NEW_FOLDER, IDM_FILE_IMPORT,     IDM_EDIT_FOLDER,
                                IDM_DELETE_FOLDER,     IDM_EDIT_FAVORITE,   IDM_DELETE_FAVORITES, IDM_EDIT_CUT,
                                IDM_EDIT_PASTE,        IDM_EDIT_RENAME};
const int kDetailEdits[] = {IDC_DETAIL_NAME, IDC_DETAIL_LOCATION, IDC_DETAIL_TAGS};

}  // namespace

std::wstring ReadOnlyStoreText(const StoreError& problem) {
    switch (problem.code & 0xff) {  // the primary code, also of an extended one
    case SQLITE_READONLY: return kDataFile + std::wstring(L" is read-only.") + kBrowseOnly;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return kDataFile + std::wstring(L" is locked by another program.") + kBrowseOnly;
    default:
        return kDataFile + std::wstring(L" cannot be written (") + FromUtf8(problem.message) + L")." + kBrowseOnly;
    }
}

std::wstring CheckStoreWritable(CFavorStore& store) {
    return store.CheckWritable() ? std::wstring() : ReadOnlyStoreText(store.WriteProblem());
}

std::wstring SaveFailedText(const StoreError& error) {
    return L"The change could not be saved to your favorites data file \\Data\\favors.db.\nSQLite reports: " +
           FromUtf8(error.message);
}

std::wstring ReadFailedText(const StoreError& error) {
    return L"The favorites could not be read from your favorites data file \\Data\\favors.db.\nSQLite reports: " +
           FromUtf8(error.message);
}

std::wstring ReadFailedStatus(const StoreError& error) {
    return L" The favorites could not be read. SQLite reports: " + FromUtf8(error.message);
}

std::wstring UnreadFolderText(const std::wstring& folderName, const StoreError& error) {
    return L"The favorites of the folder [" + folderName +
           L"] could not be read from your favorites data file \\Data\\favors.db, so the list did not show them; "
           L"deleting the folder deletes them too.\nSQLite reports: " + FromUtf8(error.message);
}

std::wstring UncheckedDuplicateQuestion(const StoreError& error) {
    return L"Tidemarker could not check whether this location is stored already.\nSQLite reports: " +
           FromUtf8(error.message) + L"\n\nAdd it anyway?";
}

void TellSaveFailed(HWND owner, const CFavorStore& store) {
    seams::MessageBox(owner, SaveFailedText(store.LastError()), texts::kTipCaption, MB_OK | MB_ICONEXCLAMATION);
}

void TellReadFailed(HWND owner, const CFavorStore& store) {
    seams::MessageBox(owner, ReadFailedText(store.LastError()), texts::kTipCaption, MB_OK | MB_ICONEXCLAMATION);
}

namespace {

void PostText(HWND mainWindow, std::wstring told) {
    auto text = std::make_unique<std::wstring>(std::move(told));
    if (PostMessageW(mainWindow, WM_SAVE_FAILED, 0, reinterpret_cast<LPARAM>(text.get()))) text.release();
}

}  // namespace

void PostSaveFailed(HWND mainWindow, const CFavorStore& store) { PostText(mainWindow, SaveFailedText(store.LastError())); }
void PostReadFailed(HWND mainWindow, const CFavorStore& store) { PostText(mainWindow, ReadFailedText(store.LastError())); }

void TellPostedSaveFailure(HWND owner, LPARAM posted) {
    const std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(posted));
    if (text) seams::MessageBox(owner, *text, texts::kTipCaption, MB_OK | MB_ICONEXCLAMATION);
}

void DisableChangeCommands(HWND dialog, HMENU menuBar) {
    for (int id : kChangeButtons) EnableWindow(GetDlgItem(dialog, id), FALSE);
    for (int id : kChangeMenuItems) EnableMenuItem(menuBar, id, MF_BYCOMMAND | MF_GRAYED);
    for (int id : kDetailEdits) SendDlgItemMessageW(dialog, id, EM_SETREADONLY, TRUE, 0);
}
