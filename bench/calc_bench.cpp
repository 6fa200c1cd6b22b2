// Cost of the calculator operations on ordinary states, by family: closed forms
// and single table reads, the wet-bulb read through the enthalpy column, the
// two solvers, and the rebuild that SetInit pays when the pressure changes.
// Targets: closed forms < 100 ns, ID_TS_T_F < 0.5 us, solvers < 2 us.
#include <benchmark/benchmark.h>

#include <array>

#include "Humicalc.h"
#include "SatTables.h"

namespace {

using namespace humicalc;

struct AirState {
    double T, F, D, I, TS, PQ;
};

constexpr int kStates = 16;  // a power of two: the index wraps with a mask

// Outdoor and indoor states as a chart holds them; all settle within a few
// dozen evaluations of the enthalpy balance.
const std::array<AirState, kStates>& States() {
    static const std::array<AirState, kStates> states = [] {
        const double tf[kStates][2] = {{-10, 0.7}, {-5, 0.5}, {0, 0.8}, {5, 0.6}, {10, 0.4}, {12, 0.9},
                                       {15, 0.5},  {18, 0.7}, {20, 0.5}, {21, 0.35}, {22, 0.6}, {24, 0.45},
                                       {25, 0.7},  {26, 0.3}, {28, 0.4}, {30, 0.5}};
        SetInit(101325);
        std::array<AirState, kStates> s{};
        for (int k = 0; k < kStates; ++k) {
            const double T = tf[k][0], F = tf[k][1];
            s[k] = {T, F, ID_D_T_F(T, F), ID_I_T_F(T, F), ID_TS_T_F(T, F), ID_PQ_D(ID_D_T_F(T, F))};
        }
        return s;
    }();
    return states;
}

using Field = double AirState::*;

void Single(benchmark::State& bench, double (*op)(double), Field a) {
    const auto& states = States();
    unsigned k = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(op(states[k++ & (kStates - 1)].*a));
    }
}

void Pair(benchmark::State& bench, double (*op)(double, double), Field a, Field b) {
    const auto& states = States();
    unsigned k = 0;
    for (auto _ : bench) {
        const AirState& s = states[k++ & (kStates - 1)];
        benchmark::DoNotOptimize(op(s.*a, s.*b));
    }
}

// Closed forms and single table reads.
BENCHMARK_CAPTURE(Single, ID_PQ_D, ID_PQ_D, &AirState::D);
BENCHMARK_CAPTURE(Single, ID_D_PQ, ID_D_PQ, &AirState::PQ);
BENCHMARK_CAPTURE(Single, ID_I_TS, ID_I_TS, &AirState::TS);
BENCHMARK_CAPTURE(Single, ID_TS_I, ID_TS_I, &AirState::I);
BENCHMARK_CAPTURE(Pair, ID_D_T_F, ID_D_T_F, &AirState::T, &AirState::F);
BENCHMARK_CAPTURE(Pair, ID_I_T_F, ID_I_T_F, &AirState::T, &AirState::F);
BENCHMARK_CAPTURE(Pair, ID_I_T_D, ID_I_T_D, &AirState::T, &AirState::D);
BENCHMARK_CAPTURE(Pair, ID_D_T_I, ID_D_T_I, &AirState::T, &AirState::I);
BENCHMARK_CAPTURE(Pair, ID_F_T_D, ID_F_T_D, &AirState::T, &AirState::D);
BENCHMARK_CAPTURE(Pair, ID_F_T_I, ID_F_T_I, &AirState::T, &AirState::I);
BENCHMARK_CAPTURE(Pair, ID_F_D_I, ID_F_D_I, &AirState::D, &AirState::I);
BENCHMARK_CAPTURE(Pair, ID_T_D_I, ID_T_D_I, &AirState::D, &AirState::I);
BENCHMARK_CAPTURE(Pair, ID_D_T_TS, ID_D_T_TS, &AirState::T, &AirState::TS);
BENCHMARK_CAPTURE(Pair, ID_F_T_TS, ID_F_T_TS, &AirState::T, &AirState::TS);
BENCHMARK_CAPTURE(Pair, ID_T_D_TS, ID_T_D_TS, &AirState::D, &AirState::TS);
BENCHMARK_CAPTURE(Pair, ID_F_D_TS, ID_F_D_TS, &AirState::D, &AirState::TS);
BENCHMARK_CAPTURE(Pair, ID_TS_T_D, ID_TS_T_D, &AirState::T, &AirState::D);
BENCHMARK_CAPTURE(Pair, ID_ROU_T_D, ID_ROU_T_D, &AirState::T, &AirState::D);
BENCHMARK_CAPTURE(Pair, ID_ROU_I_D, ID_ROU_I_D, &AirState::I, &AirState::D);
BENCHMARK_CAPTURE(Pair, ID_ROU_T_F, ID_ROU_T_F, &AirState::T, &AirState::F);

// Wet bulb from T and F: enthalpy, then the inverse read of the enthalpy column.
BENCHMARK_CAPTURE(Pair, ID_TS_T_F, ID_TS_T_F, &AirState::T, &AirState::F);

// The dew-point start with its correction.
BENCHMARK_CAPTURE(Pair, ID_T_D_F, ID_T_D_F, &AirState::D, &AirState::F);
BENCHMARK_CAPTURE(Pair, ID_I_D_F, ID_I_D_F, &AirState::D, &AirState::F);
BENCHMARK_CAPTURE(Pair, ID_TS_D_F, ID_TS_D_F, &AirState::D, &AirState::F);

// The enthalpy balance.
BENCHMARK_CAPTURE(Pair, ID_T_F_TS, ID_T_F_TS, &AirState::F, &AirState::TS);
BENCHMARK_CAPTURE(Pair, ID_D_F_TS, ID_D_F_TS, &AirState::F, &AirState::TS);
BENCHMARK_CAPTURE(Pair, ID_T_I_F, ID_T_I_F, &AirState::I, &AirState::F);
BENCHMARK_CAPTURE(Pair, ID_D_I_F, ID_D_I_F, &AirState::I, &AirState::F);

// The fast read against the reference linear search it replaces.
void TsFast(benchmark::State& bench) {
    const auto& states = States();
    unsigned k = 0;
    for (auto _ : bench) benchmark::DoNotOptimize(ts(states[k++ & (kStates - 1)].I));
}
void TsLinearSearch(benchmark::State& bench) {
    const auto& states = States();
    unsigned k = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(Interp3(kGridSize, states[k++ & (kStates - 1)].I, SatEnthalpy(), TempGrid()));
    }
}
BENCHMARK(TsFast);
BENCHMARK(TsLinearSearch);

// Every call changes the pressure, so every call rebuilds the column; this is
// also what each calculator object's creation costs when another pressure was
// in force.
void SetInitAlternating(benchmark::State& bench) {
    const double pressures[2] = {101325, 90000};
    unsigned k = 0;
    for (auto _ : bench) {
        SetInit(pressures[k++ & 1]);
        benchmark::ClobberMemory();
    }
    SetInit(101325);
}
BENCHMARK(SetInitAlternating);

void SetInitUnchanged(benchmark::State& bench) {
    SetInit(101325);
    for (auto _ : bench) {
        SetInit(101325);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(SetInitUnchanged);

}  // namespace
