// The folder browser and the file dialogs of the wizard pages. Filters are given in
// the "Text (*.x)|*.x||" form. Tests replace the pickers with their own answers.
#pragma once
#include <windows.h>
#include <functional>
#include <optional>
#include <string>

namespace PathPickers {

std::optional<std::wstring> BrowseForFolder(const wchar_t* title);
std::optional<std::wstring> OpenFile(HWND owner, const wchar_t* filter);
std::optional<std::wstring> SaveFile(HWND owner, const wchar_t* filter, const wchar_t* defaultExt,
                                     const wchar_t* defaultName);

// A test's answer for every picker (the kind: "folder", "open" or "save"); empty
// restores the real dialogs.
using Override = std::function<std::optional<std::wstring>(const char* kind)>;
void SetOverride(Override answer);

// "A (*.a)|*.a||" -> "A (*.a)\0*.a\0\0" as the common dialogs want it.
std::wstring FilterForDialog(const wchar_t* filter);

}  // namespace PathPickers
