// Turns a favorite or folder name into the name part of one file-name component
// (name + extension) that stays inside the folder it is written to. Names that make valid
// file names are kept exactly; otherwise each character a file name cannot hold
// (\ / : * ? " < > |, control characters) becomes "_", trailing dots and blanks of the
// component (which the file system would drop, and which make "." and "..") become "_",
// a device name (CON, NUL, COM1 ..., with or without an extension) gets "_" in front,
// and an empty name becomes "_".
#pragma once
#include <string>

std::wstring SafeFileName(const std::wstring& name, const std::wstring& extension = L"");
