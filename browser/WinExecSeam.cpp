#include "browser/WinExecSeam.h"
#include <utility>

namespace browser_seams {
namespace {
WinExecHandler gWinExec;  // GUI thread only, like the labels that use it
}

UINT WinExec(const std::string& commandLine, int show) {
    if (gWinExec) return gWinExec(commandLine, show);
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

WinExecHandler SetWinExecHandler(WinExecHandler handler) {
    return std::exchange(gWinExec, std::move(handler));
}

}  // namespace browser_seams
