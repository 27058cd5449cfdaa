// A location as it comes in (typed, pasted, dropped, captured, imported): browsers drop
// every tab and line break from an address, so a location is stored without them. A NUL
// cannot be part of any address or path, and would cut the location wherever it is
// handed on as a C string: such a location is refused.
#pragma once
#include <optional>
#include <string>

// The location without tabs, CRs and LFs; nothing when it holds a NUL.
std::optional<std::wstring> CleanLocation(const std::wstring& location);
