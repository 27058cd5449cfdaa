// The benchmark program's sections. Each section lives in its own file and registers
// itself with a static BenchSection object; tm_bench.exe runs the sections whose names
// contain one of the words on its command line (all of them without any).
#pragma once
#include <functional>
#include <string>
#include <vector>

struct BenchOptions {
    int runs = 5;  // timed runs per measurement; the median is reported
};

class BenchSection {
public:
    using Run = void (*)(const BenchOptions&);
    BenchSection(const char* name, const char* summary, Run run);
    static const std::vector<const BenchSection*>& All();

    const char* name;
    const char* summary;
    Run run;

private:
    static std::vector<const BenchSection*>& Registry();
};

namespace bench {

double NowMs();
// The folder of tm_bench.exe, where the build puts Tidemarker.exe too.
std::wstring ModuleFolder();
// The start floor: a program that shows one marked top-level window and waits for input,
// the least any windowed program does; `tm_bench.exe --bare-window` runs it.
int RunBareWindow();
// Starts the program from a folder of its own and waits until its window is visible and
// the program waits for input; then asks it to exit and waits for the end. -1 when no
// window came.
double StartToReadyMs(const std::wstring& exe, const wchar_t* arguments = L"");
// Runs `prepare` (untimed) and then `measured` (timed) `runs` times after one warm-up
// round; the median time of `measured` in milliseconds.
double MedianMs(int runs, const std::function<void()>& measured,
                const std::function<void()>& prepare = {}, const std::function<void()>& cleanup = {});

// A result table: one row per operation, figures in milliseconds. The first figure is
// the one under test; every other figure is followed by the ratio of the first to it.
class Table {
public:
    explicit Table(std::vector<std::string> columns);
    static constexpr double kNotMeasured = -1;
    void Row(const std::string& operation, const std::vector<double>& ms);
    void Print() const;

private:
    std::vector<std::string> m_columns;
    std::vector<std::pair<std::string, std::vector<double>>> m_rows;
};

}  // namespace bench
