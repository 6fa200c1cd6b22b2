// Every operation with every pair of hostile values, at ordinary and absurd
// pressures: each call must come back (no trap, no endless loop) with a number,
// never NaN, leave the pressure alone, answer the same bits when asked again,
// and keep the few results that stay defined even here.
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "CalcTestSupport.h"

namespace {

using namespace humicalc;
using calctest::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const double kValues[] = {kNaN, kInf, -kInf, 1e300, -1e300, -1, 0, -0.0, 1e-320, 5e-324, 2.2e-308, -2.2e-308,
                          0.5, 1, 20, 100, 250, 1e6};

// kValues, and both ends of each table and just beyond them: the temperature
// grid, the pressure column and the enthalpy column at the pressure in force.
std::vector<double> Values() {
    std::vector<double> v(std::begin(kValues), std::end(kValues));
    for (const double* column : {TempGrid(), SatPressure(), SatEnthalpy()}) {
        for (double end : {column[0], column[kGridSize - 1]}) {
            v.push_back(end);
            v.push_back(std::nextafter(end, -kInf));
            v.push_back(std::nextafter(end, kInf));
        }
    }
    v.push_back(-100.5);
    v.push_back(200.5);
    // Where a divisor or a coefficient of the relations vanishes: T + 273.15,
    // D + 621.98, 0.00184 T + 2.5, 0.00184 D + 1.005.
    for (double zero : {-273.15, -621.98, -2.5 / 0.00184, -1.005 / 0.00184}) v.push_back(zero);
    return v;
}

// fArg: which argument is a relative humidity (0 or 1), or -1 for none.
struct Operation {
    const char* name;
    double (*one)(double);
    double (*two)(double, double);
    int fArg;
    double operator()(double a, double b) const { return one ? one(a) : two(a, b); }
};

const Operation kOperations[] = {
    {"ID_PQ_D", ID_PQ_D, nullptr, -1},     {"ID_D_PQ", ID_D_PQ, nullptr, -1},
    {"ID_I_TS", ID_I_TS, nullptr, -1},     {"ID_TS_I", ID_TS_I, nullptr, -1},
    {"ID_I_T_F", nullptr, ID_I_T_F, 1},    {"ID_I_T_D", nullptr, ID_I_T_D, -1},
    {"ID_I_D_F", nullptr, ID_I_D_F, 1},    {"ID_D_T_TS", nullptr, ID_D_T_TS, -1},
    {"ID_D_T_F", nullptr, ID_D_T_F, 1},    {"ID_D_T_I", nullptr, ID_D_T_I, -1},
    {"ID_D_F_TS", nullptr, ID_D_F_TS, 0},  {"ID_D_I_F", nullptr, ID_D_I_F, 1},
    {"ID_F_T_TS", nullptr, ID_F_T_TS, -1}, {"ID_F_T_I", nullptr, ID_F_T_I, -1},
    {"ID_F_D_I", nullptr, ID_F_D_I, -1},   {"ID_F_T_D", nullptr, ID_F_T_D, -1},
    {"ID_F_D_TS", nullptr, ID_F_D_TS, -1}, {"ID_TS_T_F", nullptr, ID_TS_T_F, 1},
    {"ID_TS_T_D", nullptr, ID_TS_T_D, -1}, {"ID_TS_D_F", nullptr, ID_TS_D_F, 1},
    {"ID_T_D_I", nullptr, ID_T_D_I, -1},   {"ID_T_D_TS", nullptr, ID_T_D_TS, -1},
    {"ID_T_D_F", nullptr, ID_T_D_F, 1},    {"ID_T_F_TS", nullptr, ID_T_F_TS, 0},
    {"ID_T_I_F", nullptr, ID_T_I_F, 1}, {"ID_ROU_T_D", nullptr, ID_ROU_T_D, -1},
    {"ID_ROU_I_D", nullptr, ID_ROU_I_D, -1}, {"ID_ROU_T_F", nullptr, ID_ROU_T_F, 1},
};

TEST(BadInput, TheOperationTableCoversAllTwentyEight) {
    EXPECT_EQ(sizeof kOperations / sizeof kOperations[0], 28u);
}

// Calls op on every pair of values (every value, for one argument) and
// counts the pairs on which check fails, reporting the first few.
template <class Check>
int CountFailures(const Operation& op, const std::vector<double>& values, Check check) {
    int failures = 0;
    for (double a : values) {
        for (double b : values) {
            if (!check(a, b) && ++failures <= 3) ADD_FAILURE() << op.name << "(" << a << ", " << b << ")";
            if (op.one) break;  // the second argument plays no part
        }
    }
    return failures;
}

class BadInput : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override { SetInit(GetParam()); }
    void TearDown() override { SetInit(calctest::kStandardPressure); }
};

TEST_P(BadInput, EveryOperationAnswersEveryPairWithANumber) {
    const double pressure = CorePressure();
    const std::vector<double> values = Values();
    for (const Operation& op : kOperations) {
        EXPECT_EQ(CountFailures(op, values,
                                [&](double a, double b) {
                                    const double first = op(a, b);
                                    return !std::isnan(first) && SameBits(first, op(a, b));
                                }),
                  0)
            << op.name;
        ASSERT_TRUE(SameBits(CorePressure(), pressure)) << op.name << " moved the pressure";
    }
}

TEST_P(BadInput, NotANumberReadsAsZero) {
    // As the chart reads typed text that is not a number.  ID_D_PQ keeps the
    // sentinel it has always given there: NaN never compares below P.
    const std::vector<double> values = Values();
    for (const Operation& op : kOperations) {
        EXPECT_EQ(CountFailures(op, values,
                                [&](double a, double b) {
                                    if (op.one == ID_D_PQ && std::isnan(a)) return op(a, b) == kSentinelD;
                                    const double a0 = std::isnan(a) ? 0.0 : a, b0 = std::isnan(b) ? 0.0 : b;
                                    return SameBits(op(a, b), op(a0, b0));
                                }),
                  0)
            << op.name;
    }
}

TEST_P(BadInput, TableReadsBeyondTheirOverflowKeepTheQuadraticsSign) {
    // Far beyond the grid the extrapolating quadratic overflows; with the
    // limits taken it answers the infinity of its own sign, which it already
    // shows at 1e9.
    const Limits limits;
    const struct {
        const char* name;
        double (*read)(double);
    } reads[] = {{"ps", ps}, {"is", is}, {"ts", ts}, {"tp", tp}};
    for (const auto& r : reads) {
        for (double side : {-1.0, 1.0}) {
            const double near = r.read(side * 1e9);
            ASSERT_TRUE(std::isfinite(near)) << r.name << "(" << side * 1e9 << ")";
            for (double far : {1e300, DBL_MAX, kInf}) {
                EXPECT_EQ(r.read(side * far), std::copysign(kInf, near)) << r.name << "(" << side * far << ")";
            }
        }
    }
}

TEST_P(BadInput, RelativeHumidityAboveOneCountsAsSaturation) {
    for (const Operation& op : kOperations) {
        if (op.fArg < 0) continue;
        for (double other : kValues) {
            for (double F : {1.0000001, 20.0, 250.0, 1e6, 1e300, kInf}) {
                const double above = op.fArg == 0 ? op(F, other) : op(other, F);
                const double one = op.fArg == 0 ? op(1, other) : op(other, 1);
                EXPECT_TRUE(SameBits(above, one)) << op.name << " with F=" << F << ", other " << other;
            }
        }
    }
}

TEST_P(BadInput, VapourPressureNotBelowThePressureGivesTheSentinel) {
    // Only a vapour pressure that compares below P is computed; NaN on either
    // side compares below nothing.
    const double P = CorePressure();
    for (double PQ : kValues) {
        if (!(PQ < P)) {
            EXPECT_EQ(ID_D_PQ(PQ), kSentinelD) << PQ;
        }
    }
    EXPECT_EQ(ID_D_PQ(P), kSentinelD);
}

// -1.3e153 Pa puts the dew-point start of ordinary air just short of the
// largest double, where the first over-relaxed step overflows.
std::string PressureName(const ::testing::TestParamInfo<double>& info) {
    static const char* const names[] = {"P101325", "P50000",    "P1560000", "P1",    "P1e9",
                                        "PNaN",    "P0",        "Pminus1",  "Pminus101325",
                                        "PInf",    "PminusInf", "P1e300",   "P1em3", "Pminus1p3e153"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Pressures, BadInput,
                         ::testing::Values(101325.0, 50000.0, 1560000.0, 1.0, 1e9, kNaN, 0.0, -1.0, -101325.0, kInf,
                                           -kInf, 1e300, 1e-3, -1.3e153),
                         PressureName);

// Answers beyond 1e300 that were numbers before and stay as they were: there
// the read of ts overflows to NaN, and a comparison with NaN never clamps, so
// the clamps to saturation answer the unclamped value, and the dew point of
// such a humidity ratio stops at its first estimate.
struct KeptBeyond {
    const char* op;
    int arg;
    double side;
};
const KeptBeyond kKeptBeyond[] = {
    {"ID_I_T_D", 0, 1}, {"ID_I_T_D", 1, 1}, {"ID_D_T_I", 1, 1}, {"ID_F_T_D", 1, 1}, {"ID_F_T_I", 1, 1},
    {"ID_I_D_F", 0, 1}, {"ID_T_D_F", 0, 1}, {"ID_T_D_F", 0, -1},
};

TEST(BadInputPressure, AnswersBeyondTheOverflowContinueTheTrendOfLargeArguments) {
    // Each argument run out to 1e300 and to infinity, the other ordinary: the
    // answer keeps the sign of the answer at 1e50, is small where that is
    // small, settles where the answers at 1e50 and 1e100 have settled, and an
    // infinite answer at 1e300 stays the same infinity beyond.  At the
    // pressures of real air.
    for (double P : {101325.0, 50000.0, 1560000.0}) {
        SetInit(P);
        for (const Operation& op : kOperations) {
            for (int arg = 0; arg < (op.one ? 1 : 2); ++arg) {
                for (double side : {-1.0, 1.0}) {
                    bool kept = false;
                    for (const KeptBeyond& k : kKeptBeyond)
                        kept |= std::string(k.op) == op.name && k.arg == arg && k.side == side;
                    if (kept) continue;
                    for (double other : {20.0, -1.0}) {
                        SCOPED_TRACE(::testing::Message() << op.name << " arg " << arg << " side " << side
                                                          << " other " << other << " P " << P);
                        auto at = [&](double x) { return arg == 0 ? op(side * x, other) : op(other, side * x); };
                        const double trend = at(1e50), settled = at(1e100), far = at(1e300), beyond = at(kInf);
                        const bool hasSettled = std::fabs(settled - trend) <= 1e-9 * std::fabs(trend);
                        for (double answer : {far, beyond}) {
                            if (hasSettled) {
                                EXPECT_NEAR(answer, settled, 1e-6 * std::fabs(settled));
                            }
                            if (std::fabs(trend) < 1e-30) {
                                EXPECT_LT(std::fabs(answer), 1e-30);
                            } else {
                                EXPECT_EQ(std::signbit(answer), std::signbit(trend)) << trend << " then " << answer;
                            }
                        }
                        if (std::isinf(far)) {
                            EXPECT_EQ(beyond, far);
                        }
                    }
                }
            }
        }
    }
    SetInit(calctest::kStandardPressure);
}

TEST(BadInputPressure, ZeroRelativeHumidityCarriesNoVapourWhateverTheTemperature) {
    // Even where the saturation pressure runs off to infinity: the humidity
    // ratio of dry air, 0, or the sentinel where the pressure is not above 0.
    for (double P : {101325.0, 0.0, -1.0}) {
        SetInit(P);
        const double dry = P > 0 ? 0.0 : kSentinelD;
        for (double x : Values()) {
            EXPECT_EQ(ID_D_T_F(x, 0), dry) << "P " << P << ", T " << x;
            EXPECT_EQ(ID_D_F_TS(0, x), dry) << "P " << P << ", TS " << x;
            EXPECT_EQ(ID_D_I_F(x, 0), dry) << "P " << P << ", I " << x;
        }
    }
    SetInit(calctest::kStandardPressure);
}

TEST(BadInputPressure, AHugeTemperatureGivesTheSentinelHumidityRatio) {
    // The saturation pressure read beyond the grid grows without bound, so it
    // passes the atmospheric pressure.
    SetInit(calctest::kStandardPressure);
    EXPECT_EQ(ID_D_T_F(1e300, 0.5), kSentinelD);
    EXPECT_EQ(ID_D_T_F(kInf, 0.5), kSentinelD);
}

TEST(BadInputPressure, APressureThatIsNotANumberReadsAsZeroAndAnInfiniteOneAsTheLargest) {
    const std::vector<double> values = Values();
    const struct {
        double given, taken;
    } rows[] = {{kNaN, 0.0}, {kInf, DBL_MAX}, {-kInf, -DBL_MAX}};
    for (const auto& row : rows) {
        SetInit(row.taken);
        std::vector<double> expected;
        for (const Operation& op : kOperations)
            for (double a : values) expected.push_back(op(a, 20));
        SetInit(calctest::kStandardPressure);
        SetInit(row.given);
        EXPECT_TRUE(SameBits(CorePressure(), row.taken)) << row.given;
        size_t n = 0;
        for (const Operation& op : kOperations)
            for (double a : values) EXPECT_TRUE(SameBits(op(a, 20), expected[n++])) << op.name << "(" << a << ", 20)";
    }
    // A number set afterwards is in force again.
    SetInit(calctest::kStandardPressure);
    const double standard = ID_D_T_F(20, 1);
    SetInit(kNaN);
    SetInit(calctest::kStandardPressure);
    EXPECT_EQ(CorePressure(), calctest::kStandardPressure);
    EXPECT_TRUE(SameBits(ID_D_T_F(20, 1), standard));
}

}  // namespace
