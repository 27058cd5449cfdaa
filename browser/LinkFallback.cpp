#include "browser/LinkFallback.h"

namespace {

struct ErrorText {
    long long code;
    const wchar_t* text;
};

constexpr ErrorText kErrorTexts[] = {
    {0, L"The operating system is out\nof memory or resources."},
    {2, L"The specified file was not found."},
    {3, L"The specified path was not found."},
    {5, L"The operating system denied\naccess to the specified file."},
    {8, L"There was not enough memory to complete the operation."},
    {11, L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, L"A sharing violation occurred. "},
    {27, L"The filename association is\nincomplete or invalid."},
    {28, L"The DDE transaction could not\nbe completed because the request timed out."},
    {29, L"The DDE transaction failed."},
    {30, L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, L"There is no application associated\nwith the given filename extension."},
    {32, L"The specified dynamic-link library was not found."},
};

}  // namespace

std::wstring ShellOpenErrorText(long long code) {
    for (const ErrorText& e : kErrorTexts)
        if (e.code == code) return e.text;
    return L"Unknown Error (" + std::to_wstring(code) + L") occurred.";
}

std::optional<std::wstring> BuildFallbackCommandLine(const std::wstring& command,
                                                     const std::wstring& url) {
    std::wstring line = command;
    size_t cut = line.find(L"\"%1\"");
    if (cut == std::wstring::npos) cut = line.find(L"%1");
    if (cut != std::wstring::npos) line.erase(cut);
    line += L' ';
    line += url;
    if (line.size() >= kFallbackCommandChars) return std::nullopt;
    return line;
}
