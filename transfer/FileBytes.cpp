#include "transfer/FileBytes.h"
#include "framework/Owned.h"
#include <algorithm>

namespace {

constexpr DWORD kChunk = 1u << 20;

}  // namespace

bool ReadChunks(std::string& bytes, const ChunkReader& read) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kChunk));
        if (!read(bytes.data() + done, want, got)) return false;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes, std::wstring& failure, size_t limit) {
    bytes.clear();
    failure.clear();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        failure = SystemErrorText(GetLastError());
        return false;
    }
    const fw::OwnedHandle file(h);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) {
        failure = SystemErrorText(GetLastError());
        return false;
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit) {
        failure = SystemErrorText(ERROR_FILE_TOO_LARGE);
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD error = 0;
    const bool read = ReadChunks(bytes, [h, &error](char* into, DWORD want, DWORD& got) {
        if (ReadFile(h, into, want, &got, nullptr)) return true;
        error = GetLastError();
        return false;
    });
    if (read) return true;
    bytes.clear();
    failure = SystemErrorText(error);
    return false;
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n && text ? std::wstring(text, n) : L"Error " + std::to_wstring(error) + L".";
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message;
}
