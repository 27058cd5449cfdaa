// What a link label needs besides the shell: the texts of the shell's error codes and
// the command line that starts the .htm browser directly when the shell fails.
#pragma once
#include <optional>
#include <string>

// The fallback command line lives in a buffer of this many characters, its NUL included.
inline constexpr size_t kFallbackCommandChars = 520;

// The user-facing text of a ShellExecute error code (32 or less).
std::wstring ShellOpenErrorText(long long code);

// The browser's registered command with its "%1" placeholder (quoted or bare) and
// everything after it cut off, then one blank and the url, unquoted. Nothing when the
// line would not fit the buffer: a browser started on a cut-off address would open
// the wrong page, so the caller reports the shell's own failure instead.
std::optional<std::wstring> BuildFallbackCommandLine(const std::wstring& command,
                                                     const std::wstring& url);
