// The 28 operations at 101325 Pa on known states, the solvers' paths, the
// clamps onto the saturation curve and the sentinel.
#include "CalcTestSupport.h"
#include "Solvers.h"

namespace {

using namespace humicalc;
using calctest::AtStandardPressure;

using Operations = AtStandardPressure;

TEST_F(Operations, TwentyDegreesHalfSaturated) {
    const double D = ID_D_T_F(20, 0.5);
    const double I = ID_I_T_F(20, 0.5);
    EXPECT_ABOUT(D, 7.26);
    EXPECT_ABOUT(I, 38.5);
    EXPECT_ABOUT(ID_TS_T_F(20, 0.5), 13.7);
    EXPECT_NEAR(ID_I_T_D(20, D), I, 1e-12);
    EXPECT_NEAR(ID_D_T_I(20, I), D, 1e-12);
    EXPECT_NEAR(ID_F_T_I(20, I), 0.5, 1e-12);
    EXPECT_NEAR(ID_F_T_D(20, D), 0.5, 1e-12);
    EXPECT_NEAR(ID_F_D_I(D, I), 0.5, 1e-12);
    EXPECT_NEAR(ID_T_D_I(D, I), 20, 1e-12);
    EXPECT_EQ(ID_TS_I(I), ID_TS_T_F(20, 0.5));
    EXPECT_NEAR(ID_PQ_D(D), 0.5 * ps(20), 1e-9);
}

TEST_F(Operations, TemperatureFromHumidityAndRelativeHumidity) {
    const double D = ID_D_T_F(20, 0.5);
    SolverTrace unsaturated;
    EXPECT_ABOUT(DewPointCorrected(D, 0.5, &unsaturated), 20.0);
    EXPECT_EQ(unsaturated.corrections, 0);

    SolverTrace dew;
    const double dewPoint = DewPointCorrected(D, 1, &dew);
    EXPECT_ABOUT(dewPoint, 9.27);
    EXPECT_EQ(dew.corrections, 1);
    EXPECT_EQ(ID_T_D_F(D, 1), dewPoint);
    EXPECT_EQ(ID_T_D_F(D, 1.5), dewPoint);  // F above 1 is saturation
    // The result is the last iterate itself, not one more read of it.
    EXPECT_EQ(ID_I_D_F(D, 1), (0.00184 * dewPoint + 2.5) * D + 1.005 * dewPoint);
    EXPECT_EQ(ID_TS_D_F(D, 1), ts(ID_I_D_F(D, 1)));
    // Corrected off the supersaturated side: the state is on or below the curve.
    EXPECT_LE(ts(ID_I_D_F(D, 1)), dewPoint + 1e-9);
}

TEST_F(Operations, RelaxationConvergesInOneRunOnOrdinaryStates) {
    SolverTrace trace;
    const double t = RelaxEnthalpyBalance(is(13.727), 0.5, 13.727, BalanceResult::Temperature, false, &trace);
    EXPECT_ABOUT(t, 20.0);
    EXPECT_EQ(trace.evaluations, 5);
    EXPECT_EQ(trace.restarts, 0);
    EXPECT_EQ(ID_T_F_TS(0.5, 13.727), t);

    SolverTrace saturated;
    EXPECT_EQ(RelaxEnthalpyBalance(is(20), 1, 20, BalanceResult::Temperature, false, &saturated), 20.0);
    EXPECT_EQ(saturated.evaluations, 1);
    EXPECT_EQ(ID_T_F_TS(1, 20), 20.0);
}

TEST_F(Operations, RelaxationRestartsWithAHalvedStepWhenARunDiverges) {
    SolverTrace wetBulb;
    const double t1 = RelaxEnthalpyBalance(is(30), 0.9, 30, BalanceResult::Temperature, false, &wetBulb);
    EXPECT_ABOUT(t1, 31.5);
    EXPECT_EQ(wetBulb.restarts, 1);
    EXPECT_EQ(ID_T_F_TS(0.9, 30), t1);

    SolverTrace enthalpy;
    const double t2 = RelaxEnthalpyBalance(100, 0.8, ts(100), BalanceResult::Temperature, false, &enthalpy);
    EXPECT_ABOUT(t2, 33.2);
    EXPECT_EQ(enthalpy.restarts, 1);
    EXPECT_EQ(ID_T_I_F(100, 0.8), t2);

    // The humidity variants solve the same balance: their D belongs to the state.
    EXPECT_NEAR(ID_D_I_F(100, 0.8), ID_D_T_F(t2, 0.8), 0.01);
    EXPECT_NEAR(ID_D_F_TS(0.9, 30), ID_D_T_F(t1, 0.9), 0.01);
}

TEST_F(Operations, RelaxationStopsAtOneHundredEvaluationsOfARun) {
    // At 35 degC and 60 % the residuals alternate in sign and shrink too slowly
    // to meet the tolerance, yet never exceed the run's first one, so the step
    // is never halved: the run ends at its 100th evaluation and that
    // evaluation's temperature is the answer, far from the state's own.
    const double I = ID_I_T_F(35, 0.6);
    SolverTrace trace;
    const double t = RelaxEnthalpyBalance(I, 0.6, ts(I), BalanceResult::Temperature, false, &trace);
    EXPECT_EQ(trace.evaluations, 100);
    EXPECT_EQ(trace.restarts, 0);
    EXPECT_EQ(ID_T_I_F(I, 0.6), t);
    EXPECT_GT(std::fabs(t - 35), 5.0);
}

TEST_F(Operations, SentinelWhereTheVapourPressureReachesThePressure) {
    EXPECT_EQ(ID_D_F_TS(1, 100), kSentinelD);
    EXPECT_EQ(ID_D_I_F(is(100), 1), kSentinelD);
    // The temperature variants have no pressure check and still answer.
    EXPECT_NEAR(ID_T_F_TS(1, 100), 100, 0.01);
    EXPECT_EQ(ID_D_PQ(CorePressure()), kSentinelD);
    EXPECT_EQ(ID_D_T_F(150, 0.8), kSentinelD);
    EXPECT_LT(ID_D_T_F(150, 0.2), kSentinelD);  // 95 kPa of vapour: still below P
    // The sentinel enters the enthalpy and the density as it is.
    EXPECT_EQ(ID_I_T_F(100, 1), 1000000 * (0.00184 * 100 + 2.5) + 1.005 * 100);
    EXPECT_ABOUT(ID_ROU_T_F(100, 1), 0.582);
}

TEST_F(Operations, SupersaturatedPairsAreClampedOntoTheCurve) {
    const double dSat = ID_D_T_F(20, 1);
    EXPECT_EQ(ID_TS_T_D(20, 20), 20.0);
    EXPECT_EQ(ID_I_T_D(20, 20), is(20));
    EXPECT_ABOUT(ID_I_T_D(20, 20), 57.4);
    EXPECT_ABOUT(ID_F_T_D(20, 20), 1.00);
    EXPECT_NEAR(ID_F_T_D(20, 20), 1.0, 1e-9);
    EXPECT_NEAR(ID_D_T_TS(20, 25), dSat, 1e-9);
    EXPECT_ABOUT(ID_D_T_TS(20, 25), 14.7);
    EXPECT_ABOUT(ID_F_T_TS(20, 25), 1.00);
    EXPECT_NEAR(ID_D_T_I(20, 80), dSat, 1e-9);
    EXPECT_NEAR(ID_F_T_I(20, 80), 1.0, 1e-9);
    EXPECT_GE(ID_T_D_I(20, 40), ts(40));
    // Below the curve nothing moves.
    EXPECT_EQ(ID_I_T_D(20, 5), (0.00184 * 20 + 2.5) * 5 + 1.005 * 20);
}

TEST_F(Operations, WetBulbFamilyDoesNotClampTheHumidityRatio) {
    EXPECT_ABOUT(ID_F_D_TS(20, 13.727), 2.01);
    EXPECT_ABOUT(ID_F_D_I(20, 40), 1.00);
    EXPECT_EQ(ID_T_D_TS(20, 13.727), 13.727);  // TS is a floor for T
    const double D = ID_D_T_F(20, 0.5);
    EXPECT_NEAR(ID_T_D_TS(D, ID_TS_T_F(20, 0.5)), 20, 0.01);
    EXPECT_EQ(ID_I_TS(13.727), is(13.727));
}

TEST_F(Operations, Density) {
    const double D = ID_D_T_F(20, 0.5), I = ID_I_T_F(20, 0.5);
    EXPECT_ABOUT(ID_ROU_T_F(20, 0.5), 1.20);
    EXPECT_ABOUT(ID_ROU_I_D(I, D), 1.20);
    EXPECT_NEAR(ID_ROU_I_D(I, D), ID_ROU_T_F(20, 0.5), 1e-12);
    EXPECT_NEAR(ID_ROU_T_D(20, D), ID_ROU_T_F(20, 0.5), 1e-12);
    EXPECT_GT(ID_ROU_T_D(20, 0), ID_ROU_T_D(20, 10));  // vapour is lighter than dry air
}

TEST_F(Operations, NegativeHumidityRatiosAreComputedNotRejected) {
    EXPECT_NEAR(ID_F_T_D(20, -1), -0.07, 0.005);
    EXPECT_LT(ID_PQ_D(-1), 0);
    EXPECT_LT(ID_I_T_D(20, -1), ID_I_T_D(20, 0));
}

TEST_F(Operations, ZeroRelativeHumidityIsGuardedInTheDewPointStart) {
    // pq / g(0) reads the pressure column far beyond its end: a number, however odd.
    EXPECT_FALSE(std::isnan(ID_T_D_F(5, 0)));
    EXPECT_EQ(ID_I_D_F(5, 0), (0.00184 * ID_T_D_F(5, 0) + 2.5) * 5 + 1.005 * ID_T_D_F(5, 0));
    EXPECT_EQ(ID_D_T_F(20, 0), 0.0);
}

}  // namespace
