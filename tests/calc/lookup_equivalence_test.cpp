// The four fast table reads must answer exactly what the reference Interp3 with
// its linear first-match search answers, over the whole domain and at any
// pressure, including the saturation-enthalpy column above the boiling point
// where it stops ascending.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "CalcTestSupport.h"
#include "Relations.h"

namespace {

using namespace humicalc;
using calctest::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Abscissae that probe every decision of the search on column X: each node and
// the hit tolerance around it, each interval's midpoint (in index order and in
// value order, which differ where X does not ascend), the ends and beyond, and
// the values no column holds.
std::vector<double> Probes(const double* X) {
    std::vector<double> x;
    const double offsets[] = {0.0, 1e-5, -1e-5, 5e-5, -5e-5, 0.99e-4, -0.99e-4, 1e-4, -1e-4,
                              1.01e-4, -1.01e-4, 2e-4, -2e-4, 1e-3, -1e-3, 0.25, -0.25};
    for (int i = 0; i < kGridSize; ++i) {
        for (double d : offsets) x.push_back(X[i] + d);
        x.push_back(std::nextafter(X[i], kInf));
        x.push_back(std::nextafter(X[i], -kInf));
        if (i + 1 < kGridSize) x.push_back(0.5 * (X[i] + X[i + 1]));
    }
    std::vector<double> sorted(X, X + kGridSize);
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i + 1 < kGridSize; ++i) x.push_back(0.5 * (sorted[i] + sorted[i + 1]));
    const double lo = sorted.front(), hi = sorted.back(), span = hi - lo + 1;
    for (double f : {1e-3, 0.5, 1.0, 10.0, 1e6}) {
        x.push_back(lo - f * span);
        x.push_back(hi + f * span);
    }
    // The pressure and enthalpy reads index their column by the leading bits
    // of x after moving the column to start at 1: a bucket edge lies at each
    // 2^e (1 + j/64) less that shift.
    double lowest = kNaN;
    for (int k = 1; k < kGridSize - 1 && lowest != lowest; ++k) lowest = X[k];
    if (std::isfinite(lowest)) {
        const double shift = lowest > 0 ? 0.0 : 1.0 - lowest;
        for (int e = -34; e <= 34; ++e) {
            for (int j = 0; j < 64; ++j) {
                const double edge = std::ldexp(1.0 + j / 64.0, e) - shift;
                x.push_back(edge);
                x.push_back(std::nextafter(edge, kInf));
                x.push_back(std::nextafter(edge, -kInf));
            }
        }
    }
    std::mt19937_64 rng(20240601);
    std::uniform_real_distribution<double> uniform(lo - 2, hi + 2);
    for (int k = 0; k < 2000; ++k) x.push_back(uniform(rng));
    for (double v : {0.0, -0.0, 1e-320, -1e-320, 1e300, -1e300, kInf, -kInf, kNaN,
                     std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()}) {
        x.push_back(v);
    }
    return x;
}

struct Read {
    const char* name;
    double (*fast)(double);
    const double* (*X)();
    const double* (*Y)();
};

const Read kReads[] = {
    {"ps", ps, TempGrid, SatPressure},
    {"is", is, TempGrid, SatEnthalpy},
    {"ts", ts, SatEnthalpy, TempGrid},
    {"tp", tp, SatPressure, TempGrid},
};

// Counts disagreements and reports the first few of them.
int CompareAll(const Read& read) {
    int mismatches = 0;
    for (double x : Probes(read.X())) {
        const double reference = Interp3(kGridSize, x, read.X(), read.Y());
        const double fast = read.fast(x);
        if (!SameBits(fast, reference) && ++mismatches <= 5) {
            ADD_FAILURE() << read.name << "(" << x << ") = " << fast << ", reference " << reference;
        }
    }
    return mismatches;
}

class FastReads : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override { SetInit(GetParam()); }
    void TearDown() override { SetInit(calctest::kStandardPressure); }
};

TEST_P(FastReads, AreBitIdenticalToTheLinearSearch) {
    for (const Read& read : kReads) EXPECT_EQ(CompareAll(read), 0) << read.name;
}

// The clamps to saturation skip the read of the enthalpy column where
// TsCertainlyAtMost vouches that it could not clamp.  Probed where its answer
// turns: each node of both columns, the 1e-6 K slack above each temperature
// node, the column's first node, and states from dry to beyond saturation.
TEST_P(FastReads, ClampsToSaturationAnswerAsTheirDefinitionsWhereTheySkipTheRead) {
    const double* S = SatEnthalpy();
    const double* G = TempGrid();
    auto refTs = [&](double i) { return Interp3(kGridSize, i, S, G); };
    auto refIs = [&](double t) { return Interp3(kGridSize, t, G, S); };
    std::vector<double> temperatures;
    for (int j = 0; j < kGridSize; j += 3) {
        for (double t : {G[j], G[j] + 1e-6, G[j] + 0.5, G[j] - 0.25}) {
            temperatures.push_back(t);
            temperatures.push_back(std::nextafter(t, kInf));
            temperatures.push_back(std::nextafter(t, -kInf));
        }
    }
    for (double t : {-99.5, 250.0, kNaN, kInf}) temperatures.push_back(t);
    int claims = 0, mismatches = 0;
    auto expectSame = [&](const char* op, double a, double b, double got, double want) {
        if (want != want) return;  // no number by definition: answered by the limits (bad_input_test)
        if (!SameBits(got, want) && ++mismatches <= 5) {
            ADD_FAILURE() << op << "(" << a << ", " << b << ") = " << got << ", by definition " << want;
        }
    };
    for (double t : temperatures) {
        // The grid node at or below t, kept on the grid for NaN and the infinities too.
        const int m = std::isnan(t) ? 0 : static_cast<int>(std::clamp(std::floor(t + 100), 0.0, double(kGridSize - 1)));
        std::vector<double> enthalpies = {S[1], S[m], refIs(t), S[std::max(m - 1, 0)], S[std::min(m + 1, kGridSize - 1)]};
        for (int n = static_cast<int>(enthalpies.size()), k = 0; k < n; ++k) {
            enthalpies.push_back(std::nextafter(enthalpies[k], kInf));
            enthalpies.push_back(std::nextafter(enthalpies[k], -kInf));
        }
        for (double f : {0.05, 0.5, 0.95, 1.2}) enthalpies.push_back(Enthalpy(t, HumidityFromTF(t, f)));
        for (double i : enthalpies) {
            if (TsCertainlyAtMost(i, t)) {
                ++claims;
                if (!(refTs(i) <= t) && ++mismatches <= 5) ADD_FAILURE() << "ts(" << i << ") > " << t;
            }
            // T, D and D, I pairs that put the state at enthalpy i.
            const double d = HumidityFromTI(t, i);
            const double clampedI = refTs(Enthalpy(t, d)) > t ? refIs(t) : Enthalpy(t, d);
            expectSame("ID_I_T_D", t, d, ID_I_T_D(t, d), clampedI);
            expectSame("ID_D_T_I", t, i, ID_D_T_I(t, i), HumidityFromTI(t, refTs(i) > t ? refIs(t) : i));
            const double c = kCpVapour * t + kLatent;
            const double ci = c * d + kCpAir * t;
            expectSame("ID_F_T_D", t, d, ID_F_T_D(t, d),
                       RelHumidityGuarded(t, refTs(ci) > t ? (refIs(t) - kCpAir * t) / GuardDivisor(c) : d));
            const double r5 = TemperatureFromDI(d, i), wet = refTs(i);
            expectSame("ID_T_D_I", d, i, ID_T_D_I(d, i), wet > r5 ? wet : r5);
            expectSame("ID_F_D_I", d, i, ID_F_D_I(d, i),
                       wet > r5 ? RelHumidityGuarded(wet, HumidityFromTI(wet, i)) : RelHumidityGuarded(r5, d));
        }
    }
    EXPECT_EQ(mismatches, 0);
    // At the pressures of real air the shortcut must carry most states.
    if (GetParam() >= 20000 && GetParam() <= 1e6) {
        EXPECT_GT(claims, 1000);
    }
}

// 20000 Pa boils near 60 degC: the enthalpy column peaks there, drops to large
// negative values and climbs again, so the first entry at or above a value is
// not where a sorted column would put it.  1e-3 Pa lies below every row, so the
// whole column is negative and non-monotone; 1e7 Pa lies above every row; NaN
// fills the column with NaN, which no comparison accepts.
std::string PressureName(const ::testing::TestParamInfo<double>& info) {
    static const char* const names[] = {"P101325", "P90000", "P50000", "P20000",     "P1em3", "P0",
                                        "P1e7",    "P1e9",   "P1",     "Pminus5000", "PNaN",  "PInf"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Pressures, FastReads,
                         ::testing::Values(101325.0, 90000.0, 50000.0, 20000.0, 1e-3, 0.0, 1e7, 1e9,
                                           1.0, -5000.0, kNaN, kInf),
                         PressureName);

TEST(FastReadsSetting, EnthalpyColumnAt20000PaStopsAscendingAboveBoiling) {
    // Guards the premise of the 20000 Pa case above.
    SetInit(20000);
    const double* S = SatEnthalpy();
    int descents = 0;
    for (int i = 1; i < kGridSize; ++i) descents += S[i] < S[i - 1];
    const double peak = *std::max_element(S, S + kGridSize);
    const int peakAt = static_cast<int>(std::max_element(S, S + kGridSize) - S);
    EXPECT_GT(descents, 0);
    EXPECT_GT(peak, 1e5);
    EXPECT_EQ(peakAt - 100, 60);
    // A value above every entry below the peak finds the peak, never a later entry.
    EXPECT_EQ(ts(peak), 60.0);
    SetInit(calctest::kStandardPressure);
}

}  // namespace
