#include "fakes/TestDavServers.h"
#include "sync/DavRequest.h"
#include "transfer/FileBytes.h"
#include <windows.h>
#include <atomic>
#include <memory>

namespace {

std::wstring Ini(const std::wstring& file, const wchar_t* key) {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(L"servers", key, L"", value, 1024, file.c_str());
    return value;
}

std::unique_ptr<TestDavServers> Load() {
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TM_WEBDAV_SERVERS", path, MAX_PATH)) return nullptr;
    std::wstring file = path;
    if (!file.empty() && file[0] == L'/') {  // a Linux path, seen through Wine's drive Z:
        for (wchar_t& c : file)
            if (c == L'/') c = L'\\';
        file.insert(0, L"Z:");
    }
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    auto s = std::make_unique<TestDavServers>();
    s->user = Ini(file, L"user");
    s->password = Ini(file, L"password");
    s->apache = {Ini(file, L"apacheUrl"), Ini(file, L"apacheData"), {}, {}};
    s->apacheHttps = {Ini(file, L"apacheHttpsUrl"), Ini(file, L"apacheData"), Ini(file, L"thumbprint"),
                      Ini(file, L"subject")};
    s->rclone = {Ini(file, L"rcloneUrl"), Ini(file, L"rcloneData"), {}, {}};
    wchar_t https[8] = {};
    s->reference = GetEnvironmentVariableW(L"TM_WEBDAV_HTTPS", https, 8) && https[0] == L'1' ? s->apacheHttps : s->apache;
    return s;
}

}  // namespace

const TestDavServers* FindTestDavServers() {
    static const std::unique_ptr<TestDavServers> servers = Load();
    return servers.get();
}

std::wstring UniqueDavFileName() {
    // Wine hands out the same process ids run after run: the start time tells runs apart.
    static const ULONGLONG run = GetTickCount64();
    static LONG counter = 0;
    return L"t" + std::to_wstring(run) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&counter)) + L".xbel";
}

bool PutDavFile(const TestDavServer& server, const std::wstring& name, const std::string& bytes) {
    const TestDavServers* all = FindTestDavServers();
    if (!all) return false;
    WebDavSettings settings;
    settings.user = all->user;
    settings.password = all->password;
    settings.trustedThumbprint = server.thumbprint;
    const std::atomic<bool> cancelled{false};
    CDavRequests http(settings, cancelled);
    DavReply reply;
    return http.Send(L"PUT", server.url + name, L"", bytes, reply, 65536).Ok() && reply.status >= 200 &&
           reply.status < 300;
}

std::string ReadDavFile(const TestDavServer& server, const std::wstring& name) {
    std::string bytes;
    std::wstring failure;
    return ReadFileBytes(server.dataFolder + L"\\" + name, bytes, failure) ? bytes : std::string();
}

bool DavFileExists(const TestDavServer& server, const std::wstring& name) {
    return GetFileAttributesW((server.dataFolder + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AgeDavFile(const TestDavServer& server, const std::wstring& name, int secondsAgo) {
    HANDLE h = CreateFileW((server.dataFolder + L"\\" + name).c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(secondsAgo) * 10000000ull;
    const FILETIME then{t.LowPart, t.HighPart};
    const bool ok = SetFileTime(h, nullptr, nullptr, &then) != FALSE;
    CloseHandle(h);
    return ok;
}
