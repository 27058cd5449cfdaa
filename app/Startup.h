// The program's start-up after the libraries are initialised: hand over to a running
// copy, settle in the program folder, open the store, read what the store needs from the
// settings, switch auto-run on at the first start, then run the main window.
// The store and the main window come in as hooks so that this file knows neither.
#pragma once
#include <functional>
#include <string>

class CAppSettings;

struct StartupHooks {
    // Opens the favorites store on the path (relative to the working directory).
    std::function<bool(const std::wstring& databasePath)> openStore;
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
