#include "app/Startup.h"
#include "app/CAppSettings.h"
#include "app/FileSystem.h"
#include "app/FirstStart.h"
#include "app/InstanceSearch.h"
#include "app/PathRules.h"
#include "app/ProgramPaths.h"
#include "framework/Seams.h"
#include <windows.h>

namespace {

StartupEnd ReportStoreFailure() {
    seams::MessageBox(nullptr, kStoreFailedText, kStoreFailedCaption, MB_ICONEXCLAMATION | MB_OK);
    return StartupEnd::StoreFailed;
}

RecoveryChoice Recover(const StartupHooks& hooks, bool openFailed) {
    return hooks.recoverStore ? hooks.recoverStore(paths::kDatabaseFile, openFailed) : RecoveryChoice::NotNeeded;
}

// Opens the store; a damaged file is offered a backup copy in its place first (when a copy
// noted damage) or after it failed to open. A damaged file the user keeps is only read.
bool OpenStoreWithRecovery(const StartupHooks& hooks) {
    const RecoveryChoice before = Recover(hooks, false);
    const bool readOnly = before == RecoveryChoice::Declined && hooks.openStoreReadOnly;
    if (readOnly ? hooks.openStoreReadOnly(paths::kDatabaseFile) : hooks.openStore(paths::kDatabaseFile)) return true;
    return before == RecoveryChoice::NotNeeded && Recover(hooks, true) == RecoveryChoice::Restored &&
           hooks.openStore(paths::kDatabaseFile);
}

}  // namespace

StartupEnd RunStartup(CAppSettings& settings, const StartupHooks& hooks) {
    if (ShowRunningInstance()) return StartupEnd::HandedOver;

    // Whatever folder the program was launched from, its files live beside it. A program
    // folder that cannot be known or entered leaves the data file out of reach.
    if (!SetWorkingDirectory(ProgramFolder())) return ReportStoreFailure();
    EnsureFolder(DataFolderPath());  // a folder that cannot be made makes the open fail
    if (!OpenStoreWithRecovery(hooks)) return ReportStoreFailure();
    // A file that cannot be written is still worth browsing: said once, then read-only.
    const std::wstring writeProblem = hooks.storeWriteProblem ? hooks.storeWriteProblem() : std::wstring();
    if (!writeProblem.empty())
        seams::MessageBox(nullptr, writeProblem, kStoreFailedCaption, MB_ICONEXCLAMATION | MB_OK);

    settings.SetFilePath(SettingsFilePath());
    int mostVisited = 0, latestVisited = 0;
    settings.ReadVisitListSizes(mostVisited, latestVisited);
    hooks.setVisitListSizes(mostVisited, latestVisited);

    if (hooks.firstStart) {
        hooks.firstStart(settings);
    } else {
        TurnOnAutoRunAtFirstStart(settings);
    }
    hooks.runMainWindow();
    return StartupEnd::MainWindowClosed;
}
