// Every row of a favorites file's two tables, every column as SQLite holds it (quoted, in
// id order), read through a connection of its own: what a test compares to say the
// store is exactly as it was.
#pragma once
#include <string>

std::string StoreRows(const std::wstring& path);
