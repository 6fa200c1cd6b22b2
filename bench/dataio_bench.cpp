// Spreadsheet export and import through the exchange client and the built-in
// workbook engine under Wine: every cell through late-bound Range/Value2 (and
// Text), the workbook saved to and read from a real .xls file. Charts of
// 10,000 points, of 1,000 processes, of 1,000 mixes and of all three.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CCoreCalcBinding.h"
#include "CExchangeClient.h"

namespace {

using Clock = std::chrono::steady_clock;
using humichart::CExchangeClient;
using humichart::CHumichartDataObj;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A sound chart: every process and mix names points it holds.
CHumichartDataObj Chart(int points, int processes, int mixes) {
    CHumichartDataObj data;
    points = std::max({points, processes + 1, mixes + 2});
    for (int i = 0; i < points; ++i) data.points.push_back({20.0 + i * 0.001, 5.0 + i * 0.0001, L"P" + std::to_wstring(i)});
    for (int i = 0; i < mixes; ++i) data.points.push_back({0.0, 0.0, L"M" + std::to_wstring(i)});
    for (int i = 0; i < processes; ++i)
        data.processes.push_back({L"P" + std::to_wstring(i), L"P" + std::to_wstring(i + 1), L"T" + std::to_wstring(i), 1000.0 + i});
    for (int i = 0; i < mixes; ++i)
        data.mixes.push_back({L"P" + std::to_wstring(i), L"P" + std::to_wstring(i + 2), L"M" + std::to_wstring(i),
                              L"X" + std::to_wstring(i), 300.0, 1000.0 + i});
    return data;
}

}  // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int failures = 0;
    CExchangeClient client(nullptr, [&](HWND, const std::wstring& text, const std::wstring&, UINT) {
        ++failures;
        std::fwprintf(stderr, L"%ls\n", text.c_str());
        return IDOK;
    });
    const std::wstring path = (std::filesystem::temp_directory_path() / "humichart-bench.xls").wstring();
    humichart::CCoreCalcBinding calc;
    struct Case { const char* name; int points, processes, mixes; };
    for (const Case& c : {Case{"10000 points", 10000, 0, 0}, Case{"1000 processes", 0, 1000, 0},
                          Case{"1000 mixes", 0, 0, 1000}, Case{"all three", 10000, 1000, 1000}}) {
        const CHumichartDataObj chart = Chart(c.points, c.processes, c.mixes);
        std::vector<double> exports, imports;
        for (int run = 0; run < 5; ++run) {
            auto start = Clock::now();
            client.ExportTo(nullptr, path, chart);
            exports.push_back(Milliseconds(Clock::now() - start));
            CHumichartDataObj back;
            start = Clock::now();
            client.ImportFrom(nullptr, path, back, calc);
            imports.push_back(Milliseconds(Clock::now() - start));
            if (back.points.size() != chart.points.size() || back.mixes.size() != chart.mixes.size()) ++failures;
        }
        std::printf("%-16s export %8.1f ms   import %8.1f ms   (median of 5, file %ju bytes)\n", c.name,
                    Median(exports), Median(imports), static_cast<std::uintmax_t>(std::filesystem::file_size(path)));
    }
    std::filesystem::remove(path);
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}
