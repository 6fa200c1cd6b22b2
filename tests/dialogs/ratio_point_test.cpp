// The end of a process line from its heat-moisture ratio, checked against the
// calculator itself: the point found lies on the line and has the known
// parameter's value, read back through the inverse operation.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "CountingCalcBinding.h"
#include "DialogCalc.h"
#include "PointByRatio.h"

namespace humichart {
namespace {

struct RatioCase {
    const char* label;
    double I0, D0, ratio;
    KnownKind kind;
    double value;
    double tolerance;  // on the known parameter read back
};

// What the calculator says the known parameter of (I, D) is.
double ReadBack(ICalcSession& calc, KnownKind kind, double I, double D) {
    switch (kind) {
    case KnownKind::DryBulb: return calc.ID_T_D_I(D, I);
    case KnownKind::RelHumidity: return calc.ID_F_D_I(D, I) * 100.0;
    case KnownKind::Moisture: return D;
    case KnownKind::Enthalpy: return I;
    case KnownKind::WetBulb: return calc.ID_TS_I(I);
    case KnownKind::DewPoint: return calc.ID_T_D_F(D, 1.0);
    case KnownKind::VapourPressure: return calc.ID_PQ_D(D);
    }
    return NAN;
}

class RatioPointTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(binding.Open(101325.0, calc), kStatusOk); }
    test::CountingCalcBinding binding;
    std::unique_ptr<ICalcSession> calc;
};

TEST_F(RatioPointTest, EveryKindLandsOnTheLineWithItsValue) {
    // Known point 50 kJ/kg, 10 g/kg: about 24.5 degC and 52 %.
    const RatioCase cases[] = {
        {"DB.T up the line", 50, 10, 5000, KnownKind::DryBulb, 30, 1e-6},
        {"DB.T, cooling and drying", 50, 10, 12000, KnownKind::DryBulb, 15, 1e-6},
        {"R.H 90, steep", 50, 10, 10000, KnownKind::RelHumidity, 90, 0.01},
        {"R.H 30, towards more moisture", 50, 10, 5000, KnownKind::RelHumidity, 30, 0.01},
        {"R.H 30, negative ratio", 50, 10, -5000, KnownKind::RelHumidity, 30, 0.01},
        {"R.H 50, constant enthalpy", 50, 10, 0, KnownKind::RelHumidity, 50, 0.01},
        {"R.H 95, humidifying", 50, 10, -2000, KnownKind::RelHumidity, 95, 0.01},
        // The walk stops a hair off the 100 % curve, above it on about every
        // second line: such a point is put on the curve.
        {"R.H 100, cooling", 50, 10, 2000, KnownKind::RelHumidity, 100, 0.01},
        {"R.H 100, steep", 50, 10, 10000, KnownKind::RelHumidity, 100, 0.01},
        {"R.H 100, constant enthalpy", 50, 10, 0, KnownKind::RelHumidity, 100, 0.01},
        {"R.H 100, humidifying", 50, 10, -2000, KnownKind::RelHumidity, 100, 0.01},
        {"R.H 100, from warm dry air", 70, 5, -1000, KnownKind::RelHumidity, 100, 0.01},
        {"R.H 100, from cold air", 10, 2, 3000, KnownKind::RelHumidity, 100, 0.01},
        {"M.C", 50, 10, 5000, KnownKind::Moisture, 12, 0},
        {"M.C with ratio 0 keeps the enthalpy", 50, 10, 0, KnownKind::Moisture, 8, 0},
        {"I", 50, 10, 5000, KnownKind::Enthalpy, 60, 0},
        {"I, negative ratio", 50, 10, -3000, KnownKind::Enthalpy, 47, 0},
        {"WB.T", 50, 10, 5000, KnownKind::WetBulb, 20, 1e-3},
        {"DP.T", 50, 10, 5000, KnownKind::DewPoint, 15, 1e-3},
        {"V.P", 50, 10, 5000, KnownKind::VapourPressure, 1500, 1e-6},
    };
    for (const RatioCase& c : cases) {
        SCOPED_TRACE(c.label);
        RatioPoint point;
        ASSERT_TRUE(FindPointByRatio(*calc, c.I0, c.D0, c.ratio, c.kind, c.value, point));
        // A point put on the curve moved less than the tolerance along D.
        const double saturated = calc->ID_D_I_F(point.I, 1.0);
        const double moved = point.D == saturated ? std::fabs(c.ratio) / 1000.0 * kSaturationTolerance : 0.0;
        EXPECT_NEAR(point.I - c.I0, c.ratio / 1000.0 * (point.D - c.D0), 1e-9 * (1 + std::fabs(point.I)) + moved);
        EXPECT_NEAR(ReadBack(*calc, c.kind, point.I, point.D), c.value, c.tolerance);
        EXPECT_LE(point.D, saturated);
    }
}

TEST_F(RatioPointTest, NoPointWhereTheLineGivesNone) {
    const RatioCase cases[] = {
        {"I with a flat ratio", 50, 10, 0, KnownKind::Enthalpy, 60, 0},
        {"WB.T with a flat ratio", 50, 10, 0.0005, KnownKind::WetBulb, 20, 0},
        {"M.C beyond saturation", 50, 10, 0, KnownKind::Moisture, 30, 0},
        {"DB.T beyond saturation", 50, 10, -2000, KnownKind::DryBulb, 15, 0},
        {"R.H the line never reaches", 50, 10, 5000, KnownKind::RelHumidity, 90, 0},
        {"V.P beyond the pressure on a line too steep for numbers", 50, 10, 1e308, KnownKind::VapourPressure,
         1013250, 0},
    };
    for (const RatioCase& c : cases) {
        SCOPED_TRACE(c.label);
        RatioPoint point{-1, -1};
        EXPECT_FALSE(FindPointByRatio(*calc, c.I0, c.D0, c.ratio, c.kind, c.value, point));
        EXPECT_EQ(point.I, -1);
        EXPECT_EQ(point.D, -1);
    }
}

// A line as steep as the saturation curve far out, starting 60 kJ/kg above
// it: the gap shrinks at every step of the walk and never closes. The walk
// gives up at its limit instead of going on until the calculator breaks down.
TEST_F(RatioPointTest, RelativeHumidityWalkGivesUpOnALineThatCreepsTowardsTheCurve) {
    const double D0 = 10.0;
    const double I0 = calc->ID_I_D_F(D0, 1.0) + 60.0;
    binding.Reset();
    RatioPoint point;
    int evaluations = 0;
    EXPECT_FALSE(FindPointByRatio(*calc, I0, D0, 2684.0, KnownKind::RelHumidity, 100.0, point, &evaluations));
    EXPECT_EQ(evaluations, kRatioSearchLimit);
    // Two evaluations set out the direction; none after the limit.
    EXPECT_EQ(binding.calls, kRatioSearchLimit + 2);

    // The same line meets the 50 % curve 170 g/kg out: found, well inside the limit.
    ASSERT_TRUE(FindPointByRatio(*calc, I0, D0, 2684.0, KnownKind::RelHumidity, 50.0, point, &evaluations));
    EXPECT_LT(evaluations, 400);
    EXPECT_NEAR(calc->ID_F_D_I(point.D, point.I), 0.5, 1e-4);
}

}  // namespace
}  // namespace humichart
