#include "transfer/ShortcutFile.h"
#include "store/TextConv.h"
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <cwctype>
#include <optional>
#include <string_view>
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

// Files larger than this, or not plain 8-bit text, are left to the profile functions.
constexpr DWORD kMaxParsedFile = 1 << 20;

// The whole file as ANSI text, or nothing when it is missing, too large, or starts
// with a byte-order mark or holds zero bytes (text the profile functions decode
// themselves).
std::optional<std::wstring> ReadAnsiText(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxParsedFile;
    if (ok && size.QuadPart > 0) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) != FALSE;
        bytes.resize(got);
    }
    CloseHandle(file);
    if (!ok || bytes.find('\0') != std::string::npos) return std::nullopt;
    for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        if (bytes.compare(0, std::strlen(mark), mark) == 0) return std::nullopt;
    }
    return FromAnsi(bytes);
}

bool IsProfileBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1a; }

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// One key's value as the profile functions find it in a file's text: the first section
// of that name, its first key of that name (names without regard to case and blanks
// around them), lines ending in CR, LF or both, blanks around the value dropped, then
// one pair of enclosing quotes.
std::wstring ProfileValueIn(std::wstring_view text, std::wstring_view section, std::wstring_view key) {
    bool inSection = false, seenSection = false;
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of(L"\r\n"), text.size());
        const std::wstring_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        const size_t close = line.rfind(L']');
        if (!line.empty() && line.front() == L'[' && close != std::wstring_view::npos) {
            if (seenSection) return {};  // only the first section of that name counts
            inSection = seenSection = SameName(Trimmed(line.substr(1, close - 1)), section);
            continue;
        }
        const size_t equals = line.find(L'=');
        if (!inSection || !SameName(Trimmed(line.substr(0, std::min(equals, line.size()))), key)) continue;
        if (equals == std::wstring_view::npos) return {};
        std::wstring_view value = Trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::wstring(value);
    }
    return {};
}

// The lossless value when it is valid UTF-7, otherwise the ANSI one.
template <class Read>
std::wstring BestUrl(Read read) {
    const std::wstring wide = read(kWideSection);
    if (!wide.empty()) {
        bool ascii = true;
        for (const wchar_t c : wide) ascii = ascii && c < 0x80;
        if (ascii) {
            if (auto decoded = FromUtf7(std::string(wide.begin(), wide.end()))) {
                if (!decoded->empty()) return *decoded;
            }
        }
    }
    return read(kSection);
}

// A value holds one line: a control character in it (a line break above all, which
// would start a key of its own such as IconFile) is written as its percent escape, the
// form a URL gives it anyway.
std::wstring ShortcutValue(const std::wstring& location) {
    std::wstring value;
    value.reserve(location.size());
    for (const wchar_t c : location) {
        if (c >= 0x20 && c != 0x7F) {
            value += c;
            continue;
        }
        static const wchar_t kHex[] = L"0123456789ABCDEF";
        value += {L'%', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
    }
    return value;
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

bool WriteShortcutUrl(const std::wstring& path, const std::wstring& stored) {
    const std::wstring location = ShortcutValue(stored);
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

// One read of the file instead of one per value (each profile call opens the file again).
std::wstring ReadShortcutUrl(const std::wstring& path) {
    if (const std::optional<std::wstring> text = ReadAnsiText(path)) {
        return BestUrl([&](const wchar_t* section) { return ProfileValueIn(*text, section, kUrlKey); });
    }
    return BestUrl([&](const wchar_t* section) { return ReadProfileValue(section, kUrlKey, path); });
}

std::wstring ShortcutUrlFromContents(const std::string& bytes) {
    const std::wstring text = FromAnsi(bytes.substr(0, std::min(bytes.find('\0'), bytes.size())));
    return BestUrl([&](const wchar_t* section) { return ProfileValueIn(text, section, kUrlKey); });
}

std::string ShortcutFileContents(const std::wstring& stored) {
    const std::wstring location = ShortcutValue(stored);
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
