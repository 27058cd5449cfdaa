// What the window says and does when the favorites store cannot write: the texts for a
// store that cannot be written at all and for a change that could not be saved, and the
// commands a read-only window turns off. The store itself never shows anything.
#pragma once
#include <windows.h>
#include <string>

class CFavorStore;
struct StoreError;

// Start-up: the data file cannot be written (read-only, locked by another program, or
// another reason in SQLite's words), so the program runs read-only.
std::wstring ReadOnlyStoreText(const StoreError& problem);
// Checks the opened store (the store keeps the answer): empty when it can be written,
// else ReadOnlyStoreText.
std::wstring CheckStoreWritable(CFavorStore& store);
// A change that could not be saved, with SQLite's reason.
std::wstring SaveFailedText(const StoreError& error);
// Favorites that could not be read, with SQLite's reason.
std::wstring ReadFailedText(const StoreError& error);
// The same in the status line, which has one line: " The favorites could not be read. SQLite reports: ..."
std::wstring ReadFailedStatus(const StoreError& error);
// Before a folder whose favorites could not be read is deleted: it may hold favorites
// the user has never seen.
std::wstring UnreadFolderText(const std::wstring& folderName, const StoreError& error);
// The question of the favorite dialog when the store could not say whether a location is
// stored already.
std::wstring UncheckedDuplicateQuestion(const StoreError& error);

// Tells the user, captioned "Tidemarker Tip:", that the store's last change failed.
void TellSaveFailed(HWND owner, const CFavorStore& store);
// The same for a read the store failed (another program writing it, a damaged file).
void TellReadFailed(HWND owner, const CFavorStore& store);
// The same, told later by the main window (for drops, whose source waits until the drop
// returns). The text is taken now.
void PostSaveFailed(HWND mainWindow, const CFavorStore& store);
// The same for a read the store failed.
void PostReadFailed(HWND mainWindow, const CFavorStore& store);
// Shows a text posted by PostSaveFailed or PostReadFailed and frees it.
void TellPostedSaveFailure(HWND owner, LPARAM posted);

// Greys the menu bar's data-changing commands, disables their buttons (folder and
// favorite New, Edit, Delete, Import, Save, Magic Add) and makes the details fields
// read-only. Pop-up menus, drops and the commands' own state updates ask the window's
// read-only flag themselves.
void DisableChangeCommands(HWND dialog, HMENU menuBar);
// MF_GRAYED when the command would change data and the window is read-only.
inline UINT ChangeState(bool readOnly) { return readOnly ? MF_GRAYED : MF_ENABLED; }
