// The machine-wide switch for starting the program at log-on: a string value under the
// system's Run key holding the program file's path.
#pragma once
#include <windows.h>
#include <string>

namespace autorun {

constexpr const wchar_t* kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kValueName = L"Tidemarker";
constexpr REGSAM kRunKeyAccess = KEY_READ | KEY_WRITE;
// Longest value read back, in characters.
constexpr size_t kMaxValueChars = 260;

// True only when the Run value holds exactly this program path (case matters).
bool IsOnFor(const std::wstring& programPath);
// On: stores the program path (an empty path stores nothing). Off: deletes the value.
// Registry failures change nothing and are not reported.
void SetFor(bool on, const std::wstring& programPath);

}  // namespace autorun
