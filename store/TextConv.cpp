#include "store/TextConv.h"
#include <windows.h>
#include <cstring>

namespace {

// Most stored text is plain ASCII, which reads the same in UTF-8 and in every ANSI code
// page: copy it without the conversion calls (costly under Wine). Returns the length of
// the ASCII prefix copied.
template <class From, class To>
size_t CopyAscii(const From* text, size_t size, To* out) {
    size_t i = 0;
    for (; i < size && static_cast<unsigned>(text[i]) < 0x80; ++i) out[i] = static_cast<To>(text[i]);
    return i;
}

std::string Narrow(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    std::string out(text.size(), '\0');
    if (CopyAscii(text.data(), text.size(), out.data()) == text.size()) return out;
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    out.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring Widen(UINT codePage, const char* text, size_t size) {
    if (size == 0) return {};
    // One UTF-16 unit never takes fewer than one byte, so `size` units always suffice.
    std::wstring out(size, L'\0');
    if (CopyAscii(text, size, out.data()) == size) return out;
    const int n = MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), out.data(),
                                      static_cast<int>(size));
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

}  // namespace

std::string ToUtf8(const std::wstring& text) { return Narrow(CP_UTF8, text); }
std::wstring FromUtf8(const std::string& text) { return Widen(CP_UTF8, text.data(), text.size()); }
std::wstring FromUtf8(std::string_view text) { return Widen(CP_UTF8, text.data(), text.size()); }
std::wstring FromUtf8(const char* text) { return text ? Widen(CP_UTF8, text, std::strlen(text)) : std::wstring(); }
std::string ToAnsi(const std::wstring& text) { return Narrow(CP_ACP, text); }
std::wstring FromAnsi(const std::string& text) { return Widen(CP_ACP, text.data(), text.size()); }
std::wstring FromAnsi(const char* text) { return text ? Widen(CP_ACP, text, std::strlen(text)) : std::wstring(); }
