// The Excel 97-2003 codec on the largest chart we plan for: 10,000 points,
// 1,000 transfer processes and 1,000 mixes in the exchange's sheet layout.
// Throughput is the size of the Workbook stream (or the whole file) per second.
#include <benchmark/benchmark.h>

#include <string>

#include "Biff8.h"
#include "CompoundFile.h"

namespace {

using namespace humichart;

Workbook LargeChartWorkbook() {
    Sheet sheet{L"Humichart", {}};
    auto text = [&](std::uint32_t row, std::uint32_t column, std::wstring value) {
        sheet.cells[{row, column}] = Cell{Cell::Kind::Text, 0.0, std::move(value)};
    };
    auto number = [&](std::uint32_t row, std::uint32_t column, double value) {
        sheet.cells[{row, column}] = Cell{Cell::Kind::Number, value, {}};
    };
    const wchar_t* headings[] = {L"基本属性", L"属性名称", L"大气压力", L"温度上限", L"温度下限", L"湿度上限", L"湿度下限"};
    for (std::uint32_t i = 0; i < 7; ++i) text(i, 1, headings[i]);
    text(1, 2, L"属性值");
    for (std::uint32_t i = 2; i < 7; ++i) number(i, 2, 101325.0 / i);
    text(0, 4, L"状态点");
    text(0, 8, L"热湿过程线");
    text(0, 13, L"混和过程线");
    for (std::uint32_t i = 0; i < 10000; ++i) {
        text(i + 2, 4, L"P" + std::to_wstring(i));
        number(i + 2, 5, 20.0 + i * 0.013);
        number(i + 2, 6, 5.0 + (i % 97) * 0.11);
    }
    for (std::uint32_t i = 0; i < 1000; ++i) {
        text(i + 2, 8, L"Process " + std::to_wstring(i));
        text(i + 2, 9, L"P" + std::to_wstring(i));
        text(i + 2, 10, L"P" + std::to_wstring(i + 1));
        number(i + 2, 11, 1500.0 + i);
        text(i + 2, 13, L"混和 " + std::to_wstring(i));
        text(i + 2, 14, L"P" + std::to_wstring(2 * i));
        text(i + 2, 15, L"P" + std::to_wstring(2 * i + 1));
        text(i + 2, 16, L"M" + std::to_wstring(i));
        number(i + 2, 17, 3000.0 + i);
        number(i + 2, 18, 1000.0 + i);
    }
    return Workbook{{sheet}};
}

void BM_WriteBiff8(benchmark::State& state) {
    const Workbook workbook = LargeChartWorkbook();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> stream = WriteBiff8(workbook);
        bytes += stream.size();
        benchmark::DoNotOptimize(stream.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_WriteBiff8)->Unit(benchmark::kMillisecond);

void BM_ReadBiff8(benchmark::State& state) {
    const std::vector<std::uint8_t> stream = WriteBiff8(LargeChartWorkbook());
    for (auto _ : state) {
        Workbook workbook;
        std::wstring error;
        if (!ReadBiff8(stream.data(), stream.size(), workbook, error)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(workbook.sheets.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_ReadBiff8)->Unit(benchmark::kMillisecond);

// The whole file in memory: the stream and the compound file around it.
void BM_SaveFileBytes(benchmark::State& state) {
    const Workbook workbook = LargeChartWorkbook();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> file = WriteCompoundFile(u"Workbook", WriteBiff8(workbook));
        bytes += file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_SaveFileBytes)->Unit(benchmark::kMillisecond);

void BM_LoadFileBytes(benchmark::State& state) {
    const std::vector<std::uint8_t> file = WriteCompoundFile(u"Workbook", WriteBiff8(LargeChartWorkbook()));
    for (auto _ : state) {
        std::vector<std::uint8_t> stream;
        Workbook workbook;
        std::wstring error;
        if (ReadCompoundStream(file.data(), file.size(), u"Workbook", stream) != CompoundRead::Ok ||
            !ReadBiff8(stream.data(), stream.size(), workbook, error))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(workbook.sheets.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadFileBytes)->Unit(benchmark::kMillisecond);

}  // namespace
