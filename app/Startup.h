// The program's start-up after the libraries are initialised: hand over to a running
// copy, settle in the program folder, open the store, read what the store needs from the
// settings, switch auto-run on at the first start, then run the main window.
// The store and the main window come in as hooks so that this file knows neither.
#pragma once
#include <functional>
#include <string>

class CAppSettings;

// What start-up's recovery step did about a damaged data file.
enum class RecoveryChoice {
    NotNeeded,  // the file is not known to be damaged, or no good copy exists
    Restored,   // a backup copy is now in the file's place
    Declined,   // the user kept the damaged file
};

struct StartupHooks {
    // Opens the favorites store on the path (relative to the working directory).
    std::function<bool(const std::wstring& databasePath)> openStore;
    // Opens it for reading only: a damaged file the user chose to keep. Empty: openStore.
    std::function<bool(const std::wstring& databasePath)> openStoreReadOnly;
    // Offers a backup copy for a damaged data file: asked before the store opens
    // (openFailed false) and, when nothing was offered then, after the open failed.
    // Empty hook: no recovery.
    std::function<RecoveryChoice(const std::wstring& databasePath, bool openFailed)> recoverStore;
    // Checks that the opened store can be written; empty when it can, otherwise what the
    // user is told before the program runs read-only. Empty hook: no check.
    std::function<std::wstring()> storeWriteProblem;
    std::function<void(int mostVisited, int latestVisited)> setVisitListSizes;
    // Runs the main window as a modal dialog and returns when it has ended.
    std::function<void()> runMainWindow;
    // The first-start work; empty means TurnOnAutoRunAtFirstStart.
    std::function<void(CAppSettings&)> firstStart;
};

enum class StartupEnd {
    HandedOver,        // another copy runs and was shown
    StoreFailed,       // the data file could not be opened; the user was told
    MainWindowClosed,  // the main window ran and ended
};

constexpr const wchar_t* kStoreFailedText = L"Can not open your favorites data file: \\Data\\favors.db .";
constexpr const wchar_t* kStoreFailedCaption = L"Tidemarker:";

StartupEnd RunStartup(CAppSettings& settings, const StartupHooks& hooks);
