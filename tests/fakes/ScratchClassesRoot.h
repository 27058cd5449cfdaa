// Points HKEY_CLASSES_ROOT of this process at an empty scratch key under
// HKEY_CURRENT_USER for the life of the object, so tests can register file types
// without touching the real associations.
#pragma once
#include <windows.h>
#include <string>

class ScratchClassesRoot {
public:
    ScratchClassesRoot();
    ~ScratchClassesRoot();
    ScratchClassesRoot(const ScratchClassesRoot&) = delete;
    ScratchClassesRoot& operator=(const ScratchClassesRoot&) = delete;

    bool Ready() const { return m_overridden; }
    bool SetDefault(const std::wstring& subKey, const std::wstring& value, DWORD type = REG_SZ);
    // .htm -> a class whose shell\open\command is the given command.
    bool RegisterBrowser(const std::wstring& command, DWORD type = REG_SZ);

private:
    HKEY m_root = nullptr;
    bool m_overridden = false;
};
