// A unique file path under %TEMP% for one test, removed (with SQLite's journal) at the end.
#pragma once
#include <windows.h>
#include <string>

class TempDbFile {
public:
    TempDbFile() {
        wchar_t dir[MAX_PATH + 1] = {};
        wchar_t file[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"tms", 0, file);  // creates an empty file
        m_path = file;
    }
    ~TempDbFile() {
        DeleteFileW(m_path.c_str());
        DeleteFileW((m_path + L"-journal").c_str());
    }
    TempDbFile(const TempDbFile&) = delete;
    TempDbFile& operator=(const TempDbFile&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::string Utf8Path() const;

    // Whole file contents ("" when missing); WriteBytes replaces them.
    std::string Bytes() const { return ReadFile(m_path); }
    void WriteBytes(const std::string& bytes) const { WriteFile(m_path, bytes); }
    static std::string ReadFile(const std::wstring& path);
    static void WriteFile(const std::wstring& path, const std::string& bytes);

private:
    std::wstring m_path;
};
