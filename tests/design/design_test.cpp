// The design tools' computations. Every expected state is found in the test
// by another route than the code's: bisection along the line on what the
// calculator reads back (dry bulb, relative humidity) where the code solves
// the line's equations in closed form or samples the curve; flows from the
// balances and densities from ID_ROU_T_D where the code uses ID_ROU_I_D.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "CountingCalcBinding.h"
#include "DesignChange.h"
#include "DewPointDesign.h"
#include "FreshAirDesign.h"
#include "HumidityCrossings.h"
#include "SupplyAirDesign.h"

namespace humichart {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

class DesignTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(binding.Open(101325.0, session), kStatusOk); }

    ICalcSession& calc() { return *session; }
    // A named point at a dry bulb and relative humidity (%).
    StatePoint At(double T, double rh, const wchar_t* name) {
        return {calc().ID_I_T_F(T, rh / 100.0), calc().ID_D_T_F(T, rh / 100.0), name};
    }
    // The first s in (0, sMax] where f(s) reaches target, scanned in 2000
    // steps and bisected; NaN when f never does.
    static double FirstReach(const std::function<double(double)>& f, double target, double sMax) {
        const bool below = f(0) < target;
        double lo = 0;
        for (int i = 1; i <= 2000; ++i) {
            double hi = sMax * i / 2000;
            if ((f(hi) < target) != below) {
                for (int k = 0; k < 200; ++k) {
                    const double m = 0.5 * (lo + hi);
                    ((f(m) < target) == below ? lo : hi) = m;
                }
                return 0.5 * (lo + hi);
            }
            lo = hi;
        }
        return NAN;
    }

    test::CountingCalcBinding binding;
    std::unique_ptr<ICalcSession> session;
    CHumichartDataObj chart;
};

// A chord of a humidity curve crosses it at its two ends, however close
// together (even samples along a line from 0 to 500 g/kg lie 8 g/kg apart);
// around 0 degC, where the calculator's curve wavers by some 0.01 kJ/kg, a
// flat chord crosses it twice more. A line of constant humidity ratio
// crosses it once, and the 0 % curve is the line D = 0.
TEST_F(DesignTest, ChordsCrossTheirCurveAtTheirEnds) {
    struct Case {
        double F, D1, D2;
        std::size_t crossings;
    } cases[] = {{1.0, 5, 15, 2}, {1.0, 10, 10.05, 2}, {0.9, 0.5, 60, 2},
                 {0.8, 20, 20.3, 2}, {0.5, 100, 300, 2}, {1.0, 3.7, 3.9, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "F " << c.F << ", " << c.D1 << " to " << c.D2 << " g/kg");
        const double I1 = calc().ID_I_D_F(c.D1, c.F), I2 = calc().ID_I_D_F(c.D2, c.F);
        // Extended far beyond both ends, in the chart's other direction.
        const ChartLine chord{I1, c.D1, (I2 - I1) / (c.D2 - c.D1) * -1000, -1000};
        const std::vector<LineCrossing> crossings = FindHumidityCrossings(calc(), chord, c.F);
        ASSERT_EQ(crossings.size(), c.crossings);
        int ends = 0;
        for (std::size_t i = 0; i < crossings.size(); ++i) {
            const LineCrossing& x = crossings[i];
            EXPECT_NEAR(x.I, calc().ID_I_D_F(x.D, c.F), 1e-9) << "a crossing on the curve";
            if (i > 0) {
                EXPECT_LT(crossings[i - 1].s, x.s);
            }
            ends += std::fabs(x.D - c.D1) < 1e-7 || std::fabs(x.D - c.D2) < 1e-7;
        }
        EXPECT_EQ(ends, 2);
    }
    const std::vector<LineCrossing> vertical = FindHumidityCrossings(calc(), {30, 12, -1, 0}, 0.9);
    ASSERT_EQ(vertical.size(), 1u);
    EXPECT_NEAR(vertical[0].I, calc().ID_I_D_F(12, 0.9), 1e-9);
    const std::vector<LineCrossing> dry = FindHumidityCrossings(calc(), {50, 10, 5, 1}, 0.0);
    ASSERT_EQ(dry.size(), 1u);
    EXPECT_EQ(dry[0].D, 0.0);
    EXPECT_DOUBLE_EQ(dry[0].I, 0.0);
    EXPECT_TRUE(FindHumidityCrossings(calc(), {50, 10, 0, 0}, 0.9).empty()) << "no line";
    EXPECT_TRUE(FindHumidityCrossings(calc(), {50, 600, 1, 0}, 0.9).empty()) << "beyond the chart";
}

struct SupplyCase {
    const char* label;
    double T, rh;      // the room
    double Q, W, dt;   // kW, kg/h, K
    double side;       // -1: the supply is colder than the room, +1 warmer
    double ratio;
};

TEST_F(DesignTest, SupplyStateOnTheLoadsLineAtTheTemperatureDifference) {
    const SupplyCase cases[] = {
        {"cooling and drying", 26, 50, 10, 3, 8, -1, 12000},
        {"heating, humidifying", 20, 40, -5, 1, 10, +1, -18000},
        {"sensible cooling only", 24, 50, 6, 0, 6, -1, kInf},
        {"sensible heating only", 20, 40, -4, 0, 12, +1, -kInf},
        {"latent only: the moisture balance", 26, 50, 0, 4, 3, +1, 0},
        // Below about 2500 kJ/kg less moisture means warmer air.
        {"large latent load", 26, 50, 1, 3, 2, +1, 1200},
    };
    chart.points = {At(26, 50, L"N")};
    for (const SupplyCase& c : cases) {
        SCOPED_TRACE(c.label);
        chart.points[0] = At(c.T, c.rh, L"N");
        const StatePoint N = chart.points[0];
        SupplyAirResult result;
        const DesignRefusal refusal = DesignSupplyAir(calc(), chart, {L"N", c.Q, c.W, c.dt, L"O", L"Supply"}, result);
        ASSERT_FALSE(refusal.Refused()) << static_cast<int>(refusal.problem);
        EXPECT_EQ(result.ratio, c.ratio);

        // Along the line N - s (3.6 Q, W) to the temperature.
        auto T = [&](double s) { return calc().ID_T_D_I(N.D - s * c.W, N.I - s * 3.6 * c.Q); };
        const double s = FirstReach(T, c.T + c.side * c.dt, 5);
        ASSERT_TRUE(std::isfinite(s));
        const double I = N.I - s * 3.6 * c.Q, D = N.D - s * c.W;
        EXPECT_NEAR(result.supply.I, I, 1e-9);
        EXPECT_NEAR(result.supply.D, D, 1e-9);
        EXPECT_NEAR(result.supply.T, c.T + c.side * c.dt, 1e-9);
        EXPECT_NEAR(result.supply.F, calc().ID_F_T_D(result.supply.T, D), 1e-9);
        const double G = c.Q != 0 ? c.Q / (N.I - I) : c.W / 3.6 / (N.D - D);
        EXPECT_GT(G, 0);
        EXPECT_NEAR(result.massFlow, G, 1e-9 * G);
        const double V = 3600 * G / calc().ID_ROU_T_D(c.T + c.side * c.dt, D);
        EXPECT_NEAR(result.volumeFlow, V, 1e-9 * V);

        ASSERT_EQ(result.change.points.size(), 1u);
        EXPECT_EQ(result.change.points[0].name, L"O");
        ASSERT_EQ(result.change.processes.size(), 1u);
        const TransferProcess& process = result.change.processes[0];
        EXPECT_EQ(process.ptStart + L">" + process.ptEnd + L":" + process.name, L"O>N:Supply");
        EXPECT_EQ(process.dAirFlow, result.volumeFlow);
        EXPECT_TRUE(result.change.mixes.empty());
    }
}

TEST_F(DesignTest, SupplyStateRefusals) {
    chart.points = {At(26, 50, L"N"), At(20, 50, L"Cold")};
    // kJ/kg per g/kg: the slope of the room's isotherm.
    const double isotherm = 2.5 + 0.00184 * calc().ID_T_D_I(chart.points[0].D, chart.points[0].I);
    struct Case {
        const char* label;
        SupplyAirInput input;
        DesignProblem problem;
    } cases[] = {
        {"no such room", {L"n", 10, 3, 8, L"O", L""}, DesignProblem::NoSuchPoint},
        {"no difference", {L"N", 10, 3, 0, L"O", L""}, DesignProblem::TemperatureDifference},
        {"a negative difference", {L"N", 10, 3, -8, L"O", L""}, DesignProblem::TemperatureDifference},
        {"no loads", {L"N", 0, 0, 8, L"O", L""}, DesignProblem::NoDirection},
        {"loads along the room's isotherm", {L"N", isotherm / 3.6, 1, 8, L"O", L""}, DesignProblem::NoDirection},
        {"beyond saturation", {L"N", 10, 3, 18, L"O", L""}, DesignProblem::SupplySaturated},
        {"below -100 degC", {L"N", 10, 0, 150, L"O", L""}, DesignProblem::OutsideChart},
        {"not a number", {L"N", NAN, 3, 8, L"O", L""}, DesignProblem::NotANumber},
        {"infinite", {L"N", 10, 3, kInf, L"O", L""}, DesignProblem::NotANumber},
        {"no name", {L"N", 10, 3, 8, L"", L""}, DesignProblem::NoName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SupplyAirResult result;
        result.volumeFlow = -1;
        EXPECT_EQ(DesignSupplyAir(calc(), chart, c.input, result).problem, c.problem);
        EXPECT_EQ(result.volumeFlow, -1) << "nothing written";
    }
    // Just inside: the supply state a little drier than saturation.
    SupplyAirResult result;
    ASSERT_FALSE(DesignSupplyAir(calc(), chart, {L"N", 10, 3, 10.5, L"O", L""}, result).Refused());
    EXPECT_GT(result.supply.F, 0.8);
}

TEST_F(DesignTest, FreshAirByTheLargestRuleAtMostTheSupplyFlow) {
    chart.points = {At(34, 60, L"W"), At(26, 50, L"N"), At(14, 90, L"O")};
    chart.processes = {{L"W", L"O", L"Other", 500}, {L"O", L"N", L"Supply", 6000}};
    EXPECT_EQ(SupplyFlowInto(chart, L"N"), 6000);
    EXPECT_EQ(SupplyFlowInto(chart, L"W"), 0);
    struct Case {
        const char* label;
        double V, people, perPerson, share, exhaust;
        double fresh;
    } cases[] = {
        {"people", 6000, 40, 30, 10, 500, 1200},
        {"the smallest share", 6000, 10, 30, 15, 500, 900},
        {"exhaust and pressurisation", 6000, 10, 30, 10, 1500, 1500},
        {"at most the supply flow", 1000, 50, 30, 10, 0, 1000},
        {"no rule", 6000, 0, 30, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        FreshAirResult result;
        const FreshAirInput input{L"W", L"N", c.V, c.people, c.perPerson, c.share, c.exhaust, L"C", L"Fresh"};
        ASSERT_FALSE(DesignFreshAir(calc(), chart, input, result).Refused());
        EXPECT_DOUBLE_EQ(result.freshFlow, c.fresh);
        EXPECT_DOUBLE_EQ(result.share, c.fresh / c.V);
        const StatePoint& W = chart.points[0];
        const StatePoint& N = chart.points[1];
        const double load = calc().ID_ROU_T_D(34, W.D) * c.fresh * (W.I - N.I) / 3600;
        EXPECT_NEAR(result.freshLoadKW, load, 1e-9 * (1 + load));
        // Added, the chart places the mix point just where the tool said.
        CHumichartDataObj after = chart;
        ASSERT_FALSE(ApplyDesignChange(after, result.change, binding).Refused());
        ASSERT_EQ(after.mixes.size(), 1u);
        const MixProcess& mix = after.mixes[0];
        EXPECT_EQ(mix.ptFresh + L"+" + mix.ptReturn + L">" + mix.ptMix + L":" + mix.name, L"W+N>C:Fresh");
        EXPECT_EQ(mix.dAirFlow, c.V);
        EXPECT_EQ(mix.dFreshAirFlow, c.fresh);
        after.points.back().I = after.points.back().D = -1;
        after.RecomputeMixPoints();
        EXPECT_EQ(after.points.back().I, result.mix.I);
        EXPECT_EQ(after.points.back().D, result.mix.D);
        EXPECT_NEAR(result.mix.T, calc().ID_T_D_I(result.mix.D, result.mix.I), 1e-12);
    }
    struct Refusal {
        const char* label;
        FreshAirInput input;
        DesignProblem problem;
    } refusals[] = {
        {"no outdoor point", {L"X", L"N", 6000, 0, 30, 10, 0, L"C", L""}, DesignProblem::NoSuchPoint},
        {"outdoor is the room", {L"N", L"N", 6000, 0, 30, 10, 0, L"C", L""}, DesignProblem::SamePoints},
        {"no supply flow", {L"W", L"N", 0, 0, 30, 10, 0, L"C", L""}, DesignProblem::SupplyFlow},
        {"negative people", {L"W", L"N", 6000, -1, 30, 10, 0, L"C", L""}, DesignProblem::NegativeRule},
        {"share above 100 %", {L"W", L"N", 6000, 0, 30, 101, 0, L"C", L""}, DesignProblem::ShareRange},
        {"no mix point name", {L"W", L"N", 6000, 0, 30, 10, 0, L"", L""}, DesignProblem::NoName},
        {"not a number", {L"W", L"N", 6000, NAN, 30, 10, 0, L"C", L""}, DesignProblem::NotANumber},
    };
    for (const Refusal& c : refusals) {
        SCOPED_TRACE(c.label);
        FreshAirResult result;
        EXPECT_EQ(DesignFreshAir(calc(), chart, c.input, result).problem, c.problem);
    }
}

struct DewCase {
    const char* label;
    double Q, W, rh;
    bool outdoor;
    double share, maxDt;
    bool reheated;
    const wchar_t* processes;  // start>end:name, in order
};

TEST_F(DesignTest, DewPointSupplyHoldsTheRoomAgainstBothLoads) {
    const DewCase cases[] = {
        {"room air, no reheat", 10, 3, 90, false, 0, 0, false, L"N>L:Coil "},
        {"room air, reheated to 6 K", 10, 3, 90, false, 0, 6, true, L"N>L:Coil L>O:Reheat O>N:Supply "},
        {"a difference the coil stays within", 10, 3, 95, false, 0, 15, false, L"N>L:Coil "},
        {"mixed with 20 % outdoor air", 10, 3, 95, true, 20, 0, false, L"C>L:Coil L>N:Supply "},
        {"mixed and reheated", 8, 4, 90, true, 30, 5, true, L"C>L:Coil L>O:Reheat O>N:Supply "},
        {"at saturation", 10, 2, 100, true, 10, 0, false, L"C>L:Coil L>N:Supply "},
    };
    chart.points = {At(34, 55, L"W"), At(26, 55, L"N")};
    const StatePoint W = chart.points[0], N = chart.points[1];
    for (const DewCase& c : cases) {
        SCOPED_TRACE(c.label);
        DewPointResult r;
        const DewPointInput input{L"N", c.Q, c.W, c.rh, c.outdoor ? L"W" : L"", c.share, c.maxDt, L"", {}};
        const DesignRefusal refusal = DesignDewPointSupply(calc(), chart, input, r);
        ASSERT_FALSE(refusal.Refused()) << static_cast<int>(refusal.problem);
        EXPECT_EQ(r.reheated, c.reheated);
        const double F = c.rh / 100;
        auto along = [&](double s, double& I, double& D) {
            I = N.I - s * 3.6 * c.Q;
            D = N.D - s * c.W;
        };
        // O: where the loads' line reaches phi_L, or the largest difference.
        double IO, DO;
        const double TN = calc().ID_T_D_I(N.D, N.I);
        const double s = c.reheated ? FirstReach([&](double x) { double I, D; along(x, I, D); return calc().ID_T_D_I(D, I); },
                                                 TN - c.maxDt, 5)
                                    : FirstReach([&](double x) { double I, D; along(x, I, D); return calc().ID_F_D_I(D, I); },
                                                 F, 5);
        ASSERT_TRUE(std::isfinite(s));
        along(s, IO, DO);
        // L: phi_L at O's humidity ratio.
        const double IL = FirstReach([&](double x) { return -calc().ID_F_D_I(DO, IO - x); }, -F, 50);
        const double reheat = c.reheated ? IL : 0.0;
        EXPECT_NEAR(r.supply.D, DO, c.reheated ? 1e-9 : 0.005);
        EXPECT_NEAR(r.supply.I, IO, c.reheated ? 1e-9 : 0.005 * 3.6 * c.Q / c.W);
        EXPECT_NEAR(r.leaving.D, DO, c.reheated ? 1e-9 : 0.005);
        EXPECT_NEAR(r.leaving.I, IO - reheat, 0.02);
        EXPECT_NEAR(r.leaving.F, F, 0.001);
        // One flow takes up both loads: the supply lies on the loads' line.
        EXPECT_NEAR(r.massFlow * (N.I - r.supply.I), c.Q, 1e-9 * c.Q);
        EXPECT_NEAR(3.6 * r.massFlow * (N.D - r.supply.D), c.W, 1e-9 * c.W);
        EXPECT_NEAR(r.volumeFlow, 3600 * r.massFlow / calc().ID_ROU_T_D(r.supply.T, r.supply.D), 1e-9 * r.volumeFlow);
        if (c.maxDt > 0) {
            EXPECT_LE(TN - r.supply.T, c.maxDt + 1e-9);
        }

        // C, the coil's loads, its dew point on the line from C through L.
        const double b = c.outdoor ? c.share / 100 : 0;
        EXPECT_DOUBLE_EQ(r.entering.I, c.outdoor ? b * W.I + (1 - b) * N.I : N.I);
        EXPECT_DOUBLE_EQ(r.entering.D, c.outdoor ? (1 - b) * N.D + b * W.D : N.D);
        const double G = r.massFlow;
        EXPECT_NEAR(r.coilLoadKW, G * (r.entering.I - r.leaving.I), 1e-12);
        EXPECT_NEAR(r.condensateKgH, 3.6 * G * (r.entering.D - r.leaving.D), 1e-12);
        EXPECT_NEAR(r.reheatKW, G * (r.supply.I - r.leaving.I), 1e-12);
        EXPECT_EQ(r.reheatKW > 0, c.reheated);
        const double dI = r.leaving.I - r.entering.I, dD = r.leaving.D - r.entering.D;
        const double t = FirstReach(
            [&](double x) { return calc().ID_F_D_I(r.entering.D + x * dD, r.entering.I + x * dI); }, 1.0 - 1e-12, 20);
        const double adp = calc().ID_T_D_I(r.entering.D + t * dD, r.entering.I + t * dI);
        EXPECT_NEAR(r.dewPointT, adp, 0.01);
        EXPECT_NEAR(r.bypassFactor, (r.leaving.T - adp) / (r.entering.T - adp), 0.002);

        // What OK adds; each process carries the flow at its start.
        std::wstring processes;
        for (const TransferProcess& p : r.change.processes) {
            processes += p.ptStart + L">" + p.ptEnd + L":" + p.name + L" ";
            const StatePoint* start = nullptr;
            for (const StatePoint& point : r.change.points)
                if (point.name == p.ptStart) start = &point;
            if (!start) start = &N;
            EXPECT_NEAR(p.dAirFlow * calc().ID_ROU_I_D(start->I, start->D), 3600 * G, 1e-9 * 3600 * G) << p.name;
        }
        EXPECT_EQ(processes, c.processes);
        EXPECT_EQ(r.change.points.size(), 1u + c.reheated + c.outdoor);
        ASSERT_EQ(r.change.mixes.size(), c.outdoor ? 1u : 0u);
        if (c.outdoor) {
            EXPECT_EQ(r.change.mixes[0].dAirFlow, r.volumeFlow);
            EXPECT_DOUBLE_EQ(r.change.mixes[0].dFreshAirFlow, b * r.volumeFlow);
        }
    }
}

TEST_F(DesignTest, DewPointSupplyRefusals) {
    chart.points = {At(26, 55, L"N"), At(5, 80, L"Cold"), At(34, 55, L"W")};
    struct Case {
        const char* label;
        DewPointInput input;
        DesignProblem problem;
    } cases[] = {
        {"heating never meets 90 %", {L"N", -5, 1, 90, L"", 0, 0, L"", {}}, DesignProblem::NeverMeets},
        {"the coil would warm cold outdoor air", {L"N", 10, 3, 90, L"Cold", 100, 0, L"", {}}, DesignProblem::CoilWarms},
        {"leaving humidity below 80 %", {L"N", 10, 3, 79, L"", 0, 0, L"", {}}, DesignProblem::CoilHumidity},
        {"leaving humidity above 100 %", {L"N", 10, 3, 101, L"", 0, 0, L"", {}}, DesignProblem::CoilHumidity},
        {"share above 100 %", {L"N", 10, 3, 90, L"W", 120, 0, L"", {}}, DesignProblem::ShareRange},
        {"negative largest difference", {L"N", 10, 3, 90, L"", 0, -1, L"", {}}, DesignProblem::MaxTemperatureDifference},
        {"no loads", {L"N", 0, 0, 90, L"", 0, 0, L"", {}}, DesignProblem::NoDirection},
        {"no such outdoor point", {L"N", 10, 3, 90, L"w", 10, 0, L"", {}}, DesignProblem::NoSuchPoint},
        {"outdoor is the room", {L"N", 10, 3, 90, L"N", 10, 0, L"", {}}, DesignProblem::SamePoints},
        {"not a number", {L"N", 10, 3, NAN, L"", 0, 0, L"", {}}, DesignProblem::NotANumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DewPointResult result;
        EXPECT_EQ(DesignDewPointSupply(calc(), chart, c.input, result).problem, c.problem);
    }
}

// A change lands whole or not at all.
TEST_F(DesignTest, AChangeLandsWholeOrNotAtAll) {
    CHumichartDataObj data;
    data.points = {{40, 8, L"N"}, {50, 10, L"W"}, {30, 5, L""}, {35, 6, L"A"}, {45, 9, L"B"}, {45, 9, L"M"}};
    data.processes = {{L"A", L"B", L"Supply", 100}};
    data.mixes = {{L"W", L"N", L"M", L"Fresh", 10, 100}};
    auto change = [](std::vector<StatePoint> points, std::vector<TransferProcess> processes,
                     std::vector<MixProcess> mixes) { return DesignChange{points, processes, mixes}; };
    struct Case {
        const char* label;
        DesignChange change;
        DesignProblem problem;
        const wchar_t* subject;
    } cases[] = {
        {"a point's name", change({{1, 1, L"O"}, {2, 2, L"N"}}, {}, {}), DesignProblem::NameUsed, L"N"},
        {"a name twice in the change", change({{1, 1, L"O"}, {2, 2, L"O"}}, {}, {}), DesignProblem::NameUsed, L"O"},
        {"a point without a name", change({{1, 1, L""}}, {}, {}), DesignProblem::NoName, L""},
        {"a process's name", change({{1, 1, L"O"}}, {{L"O", L"N", L"Supply", 1}}, {}), DesignProblem::NameUsed,
         L"Supply"},
        {"a process's pair, either way", change({{1, 1, L"O"}}, {{L"B", L"A", L"", 1}}, {}), DesignProblem::PairUsed,
         L"B"},
        {"a mix's pair", change({{1, 1, L"C"}}, {}, {{L"N", L"W", L"C", L"", 1, 2}}), DesignProblem::PairUsed, L"N"},
        {"a mix's name", change({{1, 1, L"C"}}, {}, {{L"N", L"A", L"C", L"Fresh", 1, 2}}), DesignProblem::NameUsed,
         L"Fresh"},
        // What the chart-data check finds beyond these, named by its record.
        {"a point beyond saturation", change({{50, 30, L"Wet"}}, {}, {}), DesignProblem::DataCheck, L"Wet"},
        {"a process to no point", change({{1, 1, L"O"}}, {{L"O", L"X", L"Lost", 1}}, {}), DesignProblem::DataCheck,
         L"Lost"},
    };
    const CHumichartDataObj before = data;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const DesignRefusal refusal = ApplyDesignChange(data, c.change, binding);
        EXPECT_EQ(refusal.problem, c.problem);
        EXPECT_EQ(refusal.fault ? refusal.fault->record : refusal.subject, c.subject);
        EXPECT_EQ(data.points.size(), before.points.size());
        EXPECT_EQ(data.processes.size(), before.processes.size());
        EXPECT_EQ(data.mixes.size(), before.mixes.size());
    }
    // Unnamed processes and mixes share no name; the whole change lands.
    const DesignChange whole = change({{1, 1, L"O"}, {2, 2, L"C"}}, {{L"O", L"N", L"", 1}, {L"C", L"O", L"", 2}},
                                      {{L"W", L"O", L"C", L"", 1, 2}});
    ASSERT_FALSE(ApplyDesignChange(data, whole, binding).Refused());
    EXPECT_EQ(data.points.size(), 8u);
    EXPECT_EQ(data.points[6].name, L"O");
    EXPECT_EQ(data.processes.size(), 3u);
    EXPECT_EQ(data.mixes.size(), 2u);
}

}  // namespace
}  // namespace humichart
