#include "browser/LocationKind.h"
#include <windows.h>
#include <shlwapi.h>
#include <cwctype>

namespace {

// ASSOCF_IS_PROTOCOL (Windows 8 and later; shlwapi.h declares it only for those): the
// handler of a URL scheme, the user's choice of it included. Older systems look the
// scheme up as a class, which is where they keep its handler.
constexpr ASSOCF kAssocIsProtocol = 0x00001000;

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool IsOneOf(const std::wstring& scheme, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names)
        if (scheme == name) return true;
    return false;
}

// The command that opens the scheme's URLs, or empty.
std::wstring HandlerCommand(const std::wstring& scheme) {
    for (const ASSOCF flags : {kAssocIsProtocol, ASSOCF(ASSOCF_NONE)}) {
        wchar_t command[2048] = L"";
        DWORD chars = ARRAYSIZE(command);
        if (SUCCEEDED(AssocQueryStringW(flags, ASSOCSTR_COMMAND, scheme.c_str(), L"open", command, &chars)))
            return command;
    }
    return {};
}

// The program a command line starts: its first argument, quoted or not.
std::wstring ProgramOf(const std::wstring& command) {
    const size_t start = command.find_first_not_of(L' ');
    if (start == std::wstring::npos) return {};
    if (command[start] == L'"') return command.substr(start + 1, command.find(L'"', start + 1) - start - 1);
    return command.substr(start, command.find(L' ', start) - start);
}

// A URL scheme (its key holds "URL Protocol") whose handler is the web browser's.
bool OpensInWebBrowser(const std::wstring& scheme) {
    if (RegGetValueW(HKEY_CLASSES_ROOT, scheme.c_str(), L"URL Protocol", RRF_RT_REG_SZ, nullptr, nullptr,
                     nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring browser = ProgramOf(HandlerCommand(L"http"));
    const std::wstring handler = ProgramOf(HandlerCommand(scheme));
    return !browser.empty() &&
           CompareStringOrdinal(browser.c_str(), static_cast<int>(browser.size()), handler.c_str(),
                                static_cast<int>(handler.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring LocationScheme(const std::wstring& typed) {
    std::wstring location;  // as a browser reads it: without tabs and line breaks
    for (const wchar_t c : typed)
        if (c != L'\t' && c != L'\r' && c != L'\n') location += c;
    size_t start = 0;
    while (start < location.size() && location[start] <= L' ') ++start;
    if (start == location.size() || !IsAsciiLetter(location[start])) return {};
    for (size_t i = start + 1; i < location.size(); ++i) {
        const wchar_t c = location[i];
        if (c == L':') {
            if (i - start < 2) return {};  // "C:": a drive
            std::wstring scheme = location.substr(start, i - start);
            for (wchar_t& s : scheme) s = static_cast<wchar_t>(std::towlower(s));
            return scheme;
        }
        if (!IsAsciiLetter(c) && !(c >= L'0' && c <= L'9') && c != L'+' && c != L'-' && c != L'.') break;
    }
    return {};
}

LocationKind ClassifyLocation(const std::wstring& location) {
    const std::wstring scheme = LocationScheme(location);
    if (IsOneOf(scheme, {L"javascript", L"vbscript", L"data"})) return LocationKind::Never;
    if (IsOneOf(scheme, {L"http", L"https", L"ftp", L"mailto", L"news"})) return LocationKind::Web;
    if (scheme.empty() || scheme == L"file") return LocationKind::AskFirst;
    return OpensInWebBrowser(scheme) ? LocationKind::Web : LocationKind::AskFirst;
}
