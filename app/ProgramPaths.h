// Where the program lives and keeps its files: the program file, its folder as the
// working directory, and the data and settings paths built from that directory.
#pragma once
#include <string>

// Full path of the running program file; empty when it does not fit the module-path
// buffer (a cut path would name the wrong file or folder).
std::wstring ModuleFilePath();

// The folder of the running program file; empty when unknown.
std::wstring ProgramFolder();

// Makes the folder the process's working directory; false on failure.
bool SetWorkingDirectory(const std::wstring& folder);

// The working directory as the system reports it now.
std::wstring WorkingDirectory();

// Working directory + "\Data\".
std::wstring DataFolderPath();

// Working directory + "\Tidemarker.ini".
std::wstring SettingsFilePath();
