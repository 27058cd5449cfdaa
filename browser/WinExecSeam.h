// The link label's last resort starts the .htm browser with WinExec. Tests replace
// it to see the command line without starting anything.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace browser_seams {

// ANSI command line, show command -> WinExec's result (above 31 is success).
using WinExecHandler = std::function<UINT(const std::string& commandLine, int show)>;

UINT WinExec(const std::string& commandLine, int show);

// An empty handler restores the real WinExec. Returns the previous handler.
WinExecHandler SetWinExecHandler(WinExecHandler handler);

}  // namespace browser_seams
