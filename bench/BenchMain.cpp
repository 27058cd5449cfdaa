// tm_bench.exe [--runs N] [--list] [section ...] | --bare-window
#include "bench/Bench.h"
#include "app/InstanceSearch.h"
#include "res/resource.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

BenchSection::BenchSection(const char* name_, const char* summary_, Run run_)
    : name(name_), summary(summary_), run(run_) {
    Registry().push_back(this);
}

std::vector<const BenchSection*>& BenchSection::Registry() {
    static std::vector<const BenchSection*> sections;  // filled during static initialisation
    return sections;
}

const std::vector<const BenchSection*>& BenchSection::All() { return Registry(); }

namespace bench {

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double MedianMs(int runs, const std::function<void()>& measured, const std::function<void()>& prepare,
                const std::function<void()>& cleanup) {
    std::vector<double> times;
    for (int i = 0; i <= runs; ++i) {  // round 0 warms caches and is not counted
        if (prepare) prepare();
        const double start = NowMs();
        measured();
        const double elapsed = NowMs() - start;
        if (cleanup) cleanup();
        if (i > 0) times.push_back(elapsed);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

Table::Table(std::vector<std::string> columns) : m_columns(std::move(columns)) {}

void Table::Row(const std::string& operation, const std::vector<double>& ms) { m_rows.emplace_back(operation, ms); }

void Table::Print() const {
    size_t width = m_columns.empty() ? 10 : m_columns[0].size();
    for (const auto& row : m_rows) width = std::max(width, row.first.size());
    auto columnWidth = [&](size_t i) { return static_cast<int>(std::max<size_t>(9, m_columns[i].size())); };
    std::printf("%-*s", static_cast<int>(width), m_columns.empty() ? "" : m_columns[0].c_str());
    for (size_t i = 1; i < m_columns.size(); ++i) {
        std::printf("  %*s", columnWidth(i), m_columns[i].c_str());
        if (i > 1) std::printf("  %6s", "ratio");
    }
    std::printf("\n");
    for (const auto& [operation, ms] : m_rows) {
        std::printf("%-*s", static_cast<int>(width), operation.c_str());
        for (size_t i = 0; i < ms.size() && i + 1 < m_columns.size(); ++i) {
            if (ms[i] < 0) {  // not measured
                std::printf("  %*s", columnWidth(i + 1), "-");
                if (i > 0) std::printf("  %6s", "");
                continue;
            }
            std::printf("  %*.2f", columnWidth(i + 1), ms[i]);
            if (i > 0) std::printf("  %5.2fx", ms[0] / ms[i]);
        }
        std::printf("\n");
    }
}

std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\'));
}

double StartToReadyMs(const std::wstring& exe, const wchar_t* arguments) {
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\" " + arguments;
    const double start = NowMs();
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForInputIdle(pi.hProcess, 10000);
    HWND window = nullptr;
    while (!(window = FindRunningInstance()) || !IsWindowVisible(window)) {
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    WaitForInputIdle(pi.hProcess, 10000);
    const double elapsed = NowMs() - start;
    if (window) PostMessageW(window, WM_COMMAND, IDM_FILE_CLOSE, 0);
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return window ? elapsed : -1;
}

}  // namespace bench

int main(int argc, char** argv) {
    BenchOptions options;
    std::vector<std::string> filters;
    if (argc == 2 && !std::strcmp(argv[1], "--bare-window")) return bench::RunBareWindow();
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--list")) {
            for (const BenchSection* s : BenchSection::All()) std::printf("%-12s %s\n", s->name, s->summary);
            return 0;
        } else {
            filters.emplace_back(argv[i]);
        }
    }
    int ran = 0;
    for (const BenchSection* s : BenchSection::All()) {
        const bool wanted = filters.empty() || std::any_of(filters.begin(), filters.end(), [&](const std::string& f) {
                                return std::strstr(s->name, f.c_str()) != nullptr;
                            });
        if (!wanted) continue;
        std::printf("== %s: %s (median of %d runs)\n", s->name, s->summary, options.runs);
        std::fflush(stdout);
        s->run(options);
        std::printf("\n");
        std::fflush(stdout);
        ++ran;
    }
    if (ran == 0) std::fprintf(stderr, "no section matches; --list shows them\n");
    return ran ? 0 : 1;
}
