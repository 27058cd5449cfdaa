// Real files for the transfer tests: a scratch folder removed with everything in it,
// and whole-file reads and writes of bytes.
#pragma once
#include <windows.h>
#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& relative) const { return m_path + L"\\" + relative; }

private:
    std::wstring m_path;
};

std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool IsFolder(const std::wstring& path);
bool IsFile(const std::wstring& path);
void MakeFolder(const std::wstring& path);
// Number of files and folders below `path`, at any depth.
int CountEntries(const std::wstring& path);
