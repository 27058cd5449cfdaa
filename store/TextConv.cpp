#include "store/TextConv.h"
#include <windows.h>
#include <cstring>

namespace {

std::string Narrow(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring Widen(UINT codePage, const char* text, size_t size) {
    if (size == 0) return {};
    const int n = MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), out.data(), n);
    return out;
}

}  // namespace

std::string ToUtf8(const std::wstring& text) { return Narrow(CP_UTF8, text); }
std::wstring FromUtf8(const std::string& text) { return Widen(CP_UTF8, text.data(), text.size()); }
std::wstring FromUtf8(const char* text) { return text ? Widen(CP_UTF8, text, std::strlen(text)) : std::wstring(); }
std::string ToAnsi(const std::wstring& text) { return Narrow(CP_ACP, text); }
std::wstring FromAnsi(const std::string& text) { return Widen(CP_ACP, text.data(), text.size()); }
std::wstring FromAnsi(const char* text) { return text ? Widen(CP_ACP, text, std::strlen(text)) : std::wstring(); }
