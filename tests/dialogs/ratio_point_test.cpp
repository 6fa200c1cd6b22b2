// The end of a process line from its heat-moisture ratio, checked against
// points found in the test by another route: bisection along the line on the
// calculator's reading of the known parameter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
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
    double Dlow = 0, Dhigh = 0;  // the expected point's humidity ratio lies in between
    double tolerance = 0;        // g/kg between the two routes
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

// The humidity ratio in [low, high] where the line's point reads value back.
double Bisect(ICalcSession& calc, const RatioCase& c, double low, double high) {
    const double e = c.ratio / 1000.0;
    auto above = [&](double D) { return ReadBack(calc, c.kind, c.I0 + e * (D - c.D0), D) >= c.value; };
    const bool lowAbove = above(low);
    EXPECT_NE(lowAbove, above(high)) << "no bracket";
    for (int i = 0; i < 200; ++i) {
        const double m = 0.5 * (low + high);
        if (above(m) == lowAbove) low = m;
        else high = m;
    }
    return 0.5 * (low + high);
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
        {"DB.T up the line", 50, 10, 5000, KnownKind::DryBulb, 30, 10, 20, 1e-9},
        {"DB.T, cooling and drying", 50, 10, 12000, KnownKind::DryBulb, 15, 5, 10, 1e-9},
        {"R.H 90, steep", 50, 10, 10000, KnownKind::RelHumidity, 90, 5, 10, 0.003},
        {"R.H 30, towards more moisture", 50, 10, 5000, KnownKind::RelHumidity, 30, 15, 25, 0.003},
        {"R.H 30, negative ratio", 50, 10, -5000, KnownKind::RelHumidity, 30, 2, 10, 0.003},
        {"R.H 50, constant enthalpy", 50, 10, 0, KnownKind::RelHumidity, 50, 9, 12, 0.003},
        {"R.H 95, humidifying", 50, 10, -2000, KnownKind::RelHumidity, 95, 10, 20, 0.003},
        // On the 100 % curve the point read back through ID_F_D_I: it may lie
        // a hair above saturation as ID_D_I_F has it and is put on the curve.
        {"R.H 100, cooling", 50, 10, 2000, KnownKind::RelHumidity, 100, 10, 20, 0.003},
        {"R.H 100, steep", 50, 10, 10000, KnownKind::RelHumidity, 100, 5, 10, 0.003},
        {"R.H 100, constant enthalpy", 50, 10, 0, KnownKind::RelHumidity, 100, 10, 20, 0.003},
        {"R.H 100, humidifying", 50, 10, -2000, KnownKind::RelHumidity, 100, 10, 20, 0.003},
        {"R.H 100, from warm dry air", 70, 5, -1000, KnownKind::RelHumidity, 100, 5, 30, 0.003},
        {"R.H 100, from cold air", 10, 2, 3000, KnownKind::RelHumidity, 100, 2, 10, 0.003},
        {"R.H 0, the dry end of the line", 50, 10, 5000, KnownKind::RelHumidity, 0, 0, 1, 0.003},
        {"M.C", 50, 10, 5000, KnownKind::Moisture, 12, 10, 13, 1e-9},
        {"M.C with ratio 0 keeps the enthalpy", 50, 10, 0, KnownKind::Moisture, 8, 7, 9, 1e-9},
        {"I", 50, 10, 5000, KnownKind::Enthalpy, 60, 10, 13, 1e-9},
        {"I, negative ratio", 50, 10, -3000, KnownKind::Enthalpy, 47, 10, 12, 1e-9},
        {"WB.T", 50, 10, 5000, KnownKind::WetBulb, 20, 10, 13, 1e-4},
        {"DP.T", 50, 10, 5000, KnownKind::DewPoint, 15, 10, 12, 1e-4},
        {"V.P", 50, 10, 5000, KnownKind::VapourPressure, 1500, 8, 10, 1e-9},
    };
    for (const RatioCase& c : cases) {
        SCOPED_TRACE(c.label);
        const double D = c.kind == KnownKind::RelHumidity && c.value == 0 ? 0.0 : Bisect(*calc, c, c.Dlow, c.Dhigh);
        const double I = c.I0 + c.ratio / 1000.0 * (D - c.D0);
        RatioPoint point;
        ASSERT_TRUE(FindPointByRatio(*calc, c.I0, c.D0, c.ratio, c.kind, c.value, point));
        // The test reads the known parameter back where the code computes it
        // forward (ID_F_D_I against ID_I_D_F, ID_T_D_F against ID_D_T_F, ...):
        // the two routes through the tables agree within the row's tolerance.
        EXPECT_NEAR(point.D, D, c.tolerance);
        EXPECT_NEAR(point.I, I, c.tolerance * std::max(1.0, std::fabs(c.ratio) / 1000.0));
        EXPECT_LE(point.D, calc->ID_D_I_F(point.I, 1.0));
    }
}

TEST_F(RatioPointTest, NoPointWhereTheLineGivesNone) {
    const RatioCase cases[] = {
        {"I with a flat ratio", 50, 10, 0, KnownKind::Enthalpy, 60},
        {"WB.T with a flat ratio", 50, 10, 0.0005, KnownKind::WetBulb, 20},
        {"M.C beyond saturation", 50, 10, 0, KnownKind::Moisture, 30},
        {"DB.T beyond saturation", 50, 10, -2000, KnownKind::DryBulb, 15},
        {"R.H the line never reaches", 50, 10, 5000, KnownKind::RelHumidity, 90},
        {"R.H 100 on the same line", 50, 10, 5000, KnownKind::RelHumidity, 100},
        {"V.P beyond the pressure on a line too steep for numbers", 50, 10, 1e308, KnownKind::VapourPressure,
         1013250},
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
// it: the gap shrinks all the way to the chart's edge and never closes. The
// search answers none after a bounded number of evaluations.
TEST_F(RatioPointTest, ALineThatCreepsTowardsTheCurveMeetsItNowhereInsideTheChart) {
    const double D0 = 10.0;
    const double I0 = calc->ID_I_D_F(D0, 1.0) + 60.0;
    RatioPoint point;
    int evaluations = 0;
    EXPECT_FALSE(FindPointByRatio(*calc, I0, D0, 2684.0, KnownKind::RelHumidity, 100.0, point, &evaluations));
    EXPECT_LT(evaluations, 1000);

    // The same line meets the 50 % curve 170 g/kg out.
    ASSERT_TRUE(FindPointByRatio(*calc, I0, D0, 2684.0, KnownKind::RelHumidity, 50.0, point, &evaluations));
    EXPECT_LT(evaluations, 1000);
    EXPECT_NEAR(calc->ID_F_D_I(point.D, point.I), 0.5, 1e-4);
    EXPECT_GT(point.D, 150.0);
}

// The walk along the line that found the point before: steps of 1 g/kg the
// way the gap to the curve shrinks, halved and turned back at an overshoot,
// stopped within 0.0001 kJ/kg of the curve or given up.
bool Walk(ICalcSession& calc, double I0, double D0, double e, double F, RatioPoint& result) {
    const double gap0 = std::fabs(calc.ID_I_D_F(D0, F) - I0);
    double D = D0 + 0.0001, I = I0 + e * 0.0001;
    double gap = std::fabs(calc.ID_I_D_F(D, F) - I);
    double t = gap0 > gap ? 1.0 : -1.0, u = t;
    for (int n = 0; gap > 0.0001; ++n) {
        if (n >= 10000) return false;
        D = D0 + t;
        I = I0 + e * t;
        const double w = std::fabs(calc.ID_I_D_F(D, F) - I);
        if (w < gap) {
            t += u;
        } else {
            u = -u / 2;
            if (std::fabs(u) < 1e-6) return false;
            t += u;
        }
        gap = w;
    }
    result = {I, D};
    return true;
}

// Lines nearly parallel to the 90 % and 100 % curves where these bend most,
// around 0 degC: each runs a little below the curve at a point of it, tilted
// a little from the curve's slope there, and starts 5 g/kg further up. The
// point found is the first crossing a fine scan meets along the line the way
// the walk set out; it is the walk's point, to the walk's tolerance, wherever
// the walk answered that crossing. The walk gave up on some of these lines and
// stepped over the first two crossings of others.
TEST_F(RatioPointTest, TheWalksPointsAreKeptAndThePointsItMissedAreFound) {
    int walked = 0, missed = 0, rescued = 0, steppedOver = 0, none = 0;
    for (double F : {0.9, 1.0}) {
        for (double Dt = 3.5; Dt <= 6.01; Dt += 0.5) {
            const double slope = (calc->ID_I_D_F(Dt + 1e-3, F) - calc->ID_I_D_F(Dt - 1e-3, F)) / 2e-3;
            for (double tilt = -0.1; tilt <= 0.1001; tilt += 0.02) {
                for (double below : {0.02, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0}) {
                    SCOPED_TRACE(testing::Message() << "R.H " << F * 100 << ", from " << Dt << " g/kg, tilt " << tilt
                                                    << ", " << below << " kJ/kg below");
                    const double e = slope * (1 + tilt);
                    const double D0 = Dt + 5, I0 = calc->ID_I_D_F(Dt, F) - below + e * 5;
                    RatioPoint walk, point;
                    const bool walkFound = Walk(*calc, I0, D0, e, F, walk);
                    const bool found =
                        FindPointByRatio(*calc, I0, D0, e * 1000, KnownKind::RelHumidity, F * 100, point);
                    // The scan goes the way the walk sets out.
                    auto gap = [&](double D) { return I0 + e * (D - D0) - calc->ID_I_D_F(D, F); };
                    const double ahead = std::fabs(gap(D0)) > std::fabs(gap(D0 + 0.0001)) ? 1.0 : -1.0;
                    bool meets = false;
                    double crossing = D0;
                    for (double D = D0 + ahead * 0.001; D >= 0 && D <= 500 && !meets; D += ahead * 0.001) {
                        meets = (gap(D) < 0) != (gap(D0) < 0);
                        crossing = D;
                    }
                    EXPECT_EQ(found, meets);
                    if (found) {
                        EXPECT_NEAR(point.D, crossing, 0.0025);
                    }
                    if (walkFound && std::fabs(walk.D - crossing) > 0.002) {
                        ++steppedOver;
                    } else if (walkFound) {
                        ++walked;
                        ASSERT_TRUE(found);
                        // Both within the walk's 0.0001 kJ/kg of the curve;
                        // the enthalpy, which no correction onto the curve
                        // moves, as far apart as the gap's slope allows.
                        const double gapSlope = std::fabs((gap(walk.D + 0.001) - gap(walk.D)) / 0.001);
                        EXPECT_NEAR(point.I, walk.I, e * 0.0002 / gapSlope + 1e-9);
                    } else {
                        if (meets) ++missed;
                        if (found) ++rescued;
                    }
                    if (!found) ++none;
                }
            }
        }
    }
    std::printf("walk's point kept on %d lines; walk gave up on %d that meet their curve, stepped over the first "
                "crossings of %d\n",
                walked, missed, steppedOver);
    EXPECT_GT(walked, 500);
    EXPECT_GE(missed, 5) << "lines the walk gave up on though they meet their curve";
    EXPECT_EQ(rescued, missed);
    EXPECT_EQ(none, 0);
}

}  // namespace
}  // namespace humichart
