// The workbook reader on crafted streams up to its size limit: sheet entries
// that all point at one sheet whose STRING runs on through millions of empty
// CONTINUE records, and shared-text tables of millions of texts. Each must be
// answered (read or refused) within a second, with peak memory a small
// multiple of the stream. A plain program in both builds, so that it also
// runs under Wine:  build/native/bench/reader_limits_bench
//                   scripts/wine-run.sh build/windows/bin/reader_limits_bench.exe
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Biff8.h"
#include "Biff8Builder.h"

namespace {

// Bytes allocated through operator new: now and the most since Reset.
std::size_t inUse = 0, peak = 0;
constexpr std::size_t kHeader = 16;

}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    inUse += size;
    peak = std::max(peak, inUse);
    return block + kHeader;
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    if (!p) return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    inUse -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using namespace humichart;

// Seconds of processor time this process has used: on a shared machine the
// wall clock also counts the time others had the processor.
double ProcessorSeconds() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
#else
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

void Time(const char* what, const std::vector<std::uint8_t>& stream) {
    double worst = 0, worstCpu = 0;
    std::size_t most = 0;
    bool read = false;
    std::wstring error;
    for (int run = 0; run < 3; ++run) {
        Workbook workbook;
        error.clear();
        const std::size_t before = inUse;
        peak = inUse;
        const double cpu = ProcessorSeconds();
        const auto start = std::chrono::steady_clock::now();
        read = ReadBiff8(stream.data(), stream.size(), workbook, error);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        worst = std::max(worst, took.count());
        worstCpu = std::max(worstCpu, ProcessorSeconds() - cpu);
        most = std::max(most, peak - before);
    }
    std::printf("%-44s %5.1f MB  %-7s %6.3f s (cpu %6.3f s)  peak %5.1f MB (%.1f x)  %s\n", what,
                stream.size() / 1048576.0, read ? "read" : "refused", worst, worstCpu, most / 1048576.0, static_cast<double>(most) / stream.size(),
                read ? "" : std::string(error.begin(), error.end()).c_str());
    std::fflush(stdout);
}

}  // namespace

int main() {
    std::printf("crafted workbook streams, the slowest of 3 reads (target: under 1 s each)\n");
    const std::size_t limit = kBiff8MaxStreamSize;
    Time("4096 sheets at one STRING, 150 KB", test::OverlappingSheets(4096, 20000));
    Time("4096 sheets at one STRING, 2 MB", test::OverlappingSheets(4096, (2u << 20) / 4));
    Time("4096 sheets at one STRING, at the size limit", test::OverlappingSheets(4096, (limit - (1u << 17)) / 4));
    Time("2000000 empty shared texts (the most)", test::StringTable(kBiff8MaxCells, ""));
    Time("2000001 empty shared texts", test::StringTable(kBiff8MaxCells + 1, ""));
    Time("empty shared texts up to the size limit", test::StringTable((limit - (1u << 17)) / 3, ""));
    Time("2097 shared texts of 8000 characters", test::StringTable(kBiff8MaxTextUnits / 8000, std::string(8000, 'x')));
    Time("2098 shared texts of 8000 characters", test::StringTable(kBiff8MaxTextUnits / 8000 + 1, std::string(8000, 'x')));
    return 0;
}
