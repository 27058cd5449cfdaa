// Whole files as bytes, for the readers of browser bookmark files.
#pragma once
#include <string>

// Reads the whole file, opened for reading while others may write it (a running browser
// replaces its files whole). False when it cannot be opened or read, or is larger than
// `limit` bytes.
bool ReadFileBytes(const std::wstring& path, std::string& bytes, size_t limit = size_t{1} << 30);
