// Text conversions: UTF-16 in memory, UTF-8 in the database, the ANSI code page for
// shortcut-file contents, drag data and menu truncation.
#pragma once
#include <string>
#include <string_view>

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
std::wstring FromUtf8(std::string_view text);
std::wstring FromUtf8(const char* text);
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
std::wstring FromAnsi(const char* text);
