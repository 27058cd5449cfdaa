// What a browser's address field shows, read as a page address. Browsers often hide
// the scheme ("example.com/path" for https://example.com/path), and while the user
// types, the same field holds a search text.
#pragma once
#include <optional>
#include <string>

// The address the field's text stands for, or nothing when it does not read as one:
// a text that names its scheme ("https://...", "file:///...") as it is; a host name,
// IPv4 address or "localhost", with an optional port and then a path, query or
// fragment, with "https://" put before it. Blanks around the text are ignored; blanks
// inside, or a first part that is no host, make it a search text.
std::optional<std::wstring> AddressFromFieldText(const std::wstring& text);

// Whether an accessible name is one browsers give their address field ("Address and
// search bar", "Search with Google or enter address", ...), in any case.
bool IsAddressFieldName(const std::wstring& name);
