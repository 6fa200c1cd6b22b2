// The end of a process line from its heat-moisture ratio, as the "Transfer
// processes" dialog computes it: one calculator session on the linked core
// per point, every known-parameter kind, and the relative-humidity search over
// lines that meet their curve near and far.
#include <benchmark/benchmark.h>

#include <memory>

#include "CCoreCalcBinding.h"
#include "PointByRatio.h"

namespace {

using namespace humichart;

struct Case {
    const char* label;
    double I0, D0, ratio;
    KnownKind kind;
    double value;
    bool meets = true;
};

// Known point 50 kJ/kg, 10 g/kg (about 24.5 degC, 52 %) unless stated.
constexpr Case kCases[] = {
    {"DB.T 30", 50, 10, 5000, KnownKind::DryBulb, 30},
    {"R.H 90, ratio 10000", 50, 10, 10000, KnownKind::RelHumidity, 90},
    {"R.H 30, ratio 5000", 50, 10, 5000, KnownKind::RelHumidity, 30},
    {"R.H 30, ratio -5000", 50, 10, -5000, KnownKind::RelHumidity, 30},
    {"R.H 50, ratio 2684, 170 g/kg away", 99.3789, 10, 2684, KnownKind::RelHumidity, 50},
    // Beyond the chart's 500 g/kg: searched to the edge, none.
    {"R.H 90, ratio 2684, 1100 g/kg away", 99.3789, 10, 2684, KnownKind::RelHumidity, 90, false},
    {"M.C 12", 50, 10, 5000, KnownKind::Moisture, 12},
    {"I 60", 50, 10, 5000, KnownKind::Enthalpy, 60},
    {"WB.T 20", 50, 10, 5000, KnownKind::WetBulb, 20},
    {"DP.T 15", 50, 10, 5000, KnownKind::DewPoint, 15},
    {"V.P 1500", 50, 10, 5000, KnownKind::VapourPressure, 1500},
    // A line creeping towards the 100 % curve, never meeting it.
    {"R.H 100, ratio 2684, never meets", 99.3789, 10, 2684, KnownKind::RelHumidity, 100, false},
};

void BM_PointByRatio(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    state.SetLabel(c.label);
    CCoreCalcBinding binding;
    int evaluations = 0;
    for (auto _ : state) {
        std::unique_ptr<ICalcSession> calc;
        binding.Open(101325.0, calc);
        RatioPoint point;
        if (FindPointByRatio(*calc, c.I0, c.D0, c.ratio, c.kind, c.value, point, &evaluations) != c.meets)
            state.SkipWithError(c.meets ? "no point" : "a point where none was expected");
        benchmark::DoNotOptimize(point);
    }
    state.counters["evaluations"] = evaluations;
}
BENCHMARK(BM_PointByRatio)->DenseRange(0, static_cast<int>(std::size(kCases)) - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
