// A scratch folder under %TEMP%, removed with everything in it at the end.
#pragma once
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// Removes a folder with all files and folders below it.
void RemoveFolderTree(const std::wstring& path);
