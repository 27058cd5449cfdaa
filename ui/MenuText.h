// Shortening favorite names for menu entries.
#pragma once
#include <windows.h>
#include <string>

// Returns text unchanged when it fits `limit` bytes of the system's ANSI code page
// (a double-byte character counts two); otherwise the leading characters that fit
// in limit - 3 bytes, followed by suffix. With limit 50 and "..." a long single-byte
// name keeps 48 characters, a double-byte one 24. Surrogate pairs are never split.
std::wstring TruncateForMenu(const std::wstring& text, int limit, const std::wstring& suffix);
// The same with an explicit code page.
std::wstring TruncateForMenuInCodePage(const std::wstring& text, int limit, const std::wstring& suffix,
                                       UINT codePage);
