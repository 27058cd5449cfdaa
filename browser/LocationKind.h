// What opening a favorite may do. A web address opens in the web browser, as it always
// has. A location the shell would hand to something else (a file, a folder, a program,
// a network share, a file: URL, a scheme another program registered for) may run
// that program, so the user is asked first. Script and data addresses are never opened:
// the shell would run them outside any web page.
#pragma once
#include <string>

enum class LocationKind { Web, AskFirst, Never };

// The scheme of a location in lower case, or empty: a path (a drive letter is no
// scheme), a share, text without one. Tabs and line breaks anywhere, and blanks and
// control characters in front, are skipped as browsers skip them.
std::wstring LocationScheme(const std::wstring& location);

// http, https, ftp, mailto and news are web addresses; so is any other scheme whose
// registered URL protocol handler is the program that opens http addresses.
LocationKind ClassifyLocation(const std::wstring& location);
