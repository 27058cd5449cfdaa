#include "transfer/ShortcutFile.h"
#include "store/TextConv.h"
#include <windows.h>
#include <cwctype>
#include <vector>

namespace {

constexpr wchar_t kSection[] = L"InternetShortcut";
constexpr wchar_t kWideSection[] = L"InternetShortcut.W";
constexpr wchar_t kUrlKey[] = L"URL";
constexpr wchar_t kExtension[] = L".url";
constexpr size_t kExtensionLength = 4;

// The value of one key, however long; empty when missing.
std::wstring ReadProfileValue(const wchar_t* section, const wchar_t* key, const std::wstring& path) {
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(section, key, L"", buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), path.c_str());
        if (n + 1 < buffer.size()) return std::wstring(buffer.data(), n);
        if (buffer.size() >= (1u << 24)) return std::wstring(buffer.data(), n);  // absurd file
        buffer.resize(buffer.size() * 2);
    }
}

bool HasProfileValue(const wchar_t* section, const wchar_t* key, const std::wstring& path) {
    wchar_t probe[2] = {};
    // A default that no real value can be tells a present key from a missing one.
    const wchar_t kMissing[] = L"\x1";
    GetPrivateProfileStringW(section, key, kMissing, probe, 2, path.c_str());
    return probe[0] != L'\x1';
}

}  // namespace

std::wstring ShortcutPathFor(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name + kExtension;
}

bool IsAnsiRepresentable(const std::wstring& text) {
    // Best-fit mappings ("a" for an a with macron) and the default character both
    // change the text on the way back.
    return FromAnsi(ToAnsi(text)) == text;
}

std::string ToUtf7(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF7, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF7, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::optional<std::wstring> FromUtf7(const std::string& text) {
    if (text.empty()) return std::wstring();
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;  // UTF-7 is 7-bit
    }
    const int n = MultiByteToWideChar(CP_UTF7, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF7, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

bool WriteShortcutUrl(const std::wstring& path, const std::wstring& location) {
    const bool written =
        WritePrivateProfileStringW(kSection, kUrlKey, location.c_str(), path.c_str()) != FALSE;
    if (!written) return false;
    if (!IsAnsiRepresentable(location)) {
        const std::string utf7 = ToUtf7(location);  // plain ASCII: widening is exact
        WritePrivateProfileStringW(kWideSection, kUrlKey, std::wstring(utf7.begin(), utf7.end()).c_str(),
                                   path.c_str());
    } else if (HasProfileValue(kWideSection, kUrlKey, path)) {
        // A stale lossless value would win over the new location when read.
        WritePrivateProfileStringW(kWideSection, kUrlKey, nullptr, path.c_str());
    }
    return true;
}

std::wstring ReadShortcutUrl(const std::wstring& path) {
    const std::wstring wide = ReadProfileValue(kWideSection, kUrlKey, path);
    if (!wide.empty()) {
        bool ascii = true;
        for (const wchar_t c : wide) ascii = ascii && c < 0x80;
        if (ascii) {
            if (auto decoded = FromUtf7(std::string(wide.begin(), wide.end()))) {
                if (!decoded->empty()) return *decoded;
            }
        }
    }
    return ReadProfileValue(kSection, kUrlKey, path);
}

std::string ShortcutFileContents(const std::wstring& location) {
    std::string bytes = "[InternetShortcut]\r\nURL = " + ToAnsi(location) + "\r\n";
    if (!IsAnsiRepresentable(location)) {
        bytes += "[InternetShortcut.W]\r\nURL = " + ToUtf7(location) + "\r\n";
    }
    return bytes;
}

std::optional<std::wstring> ShortcutNameFromPath(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return std::nullopt;
    if (slash + kExtensionLength + 1 >= path.size()) return std::nullopt;  // no name left
    const size_t extAt = path.size() - kExtensionLength;
    for (size_t i = 0; i < kExtensionLength; ++i) {
        if (std::towupper(path[extAt + i]) != std::towupper(kExtension[i])) return std::nullopt;
    }
    return path.substr(slash + 1, extAt - slash - 1);
}
