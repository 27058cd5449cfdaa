// Data exchange and validation between dialog fields and values, with the
// standard messages the user knows from other programs.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

namespace fw {

// Parses an integer the way the field validation does: optional blanks, an optional
// sign, then digits and nothing else; out-of-range values for int fail.
std::optional<int> ParseIntField(const std::wstring& text);

// "Please enter an integer between %1 and %2." with the bounds filled in.
std::wstring IntRangeMessage(int low, int high);
extern const wchar_t kEnterIntegerMessage[];  // "Please enter an integer."

// Writes value into field id of dialog.
void DdxIntToField(HWND dialog, int id, int value);
// Reads field id as an integer in [low, high]. On failure shows the standard
// message (through the message box seam), puts the focus on the field, selects
// its text and returns false.
bool DdxIntFromField(HWND dialog, int id, int low, int high, int& value);

}  // namespace fw
