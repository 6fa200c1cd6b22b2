// Round trips over ordinary states: from (T, F) to (I, D) and from there
// through every other pair of known values and back.  The tolerances are those
// of the three-point tables (ps and is are read forwards, ts and tp backwards,
// so their errors do not cancel) and of the solvers' stopping tests.
#include <string>

#include "CalcTestSupport.h"
#include "Solvers.h"

namespace {

using namespace humicalc;

class RoundTrips : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override { SetInit(GetParam()); }
    void TearDown() override { SetInit(calctest::kStandardPressure); }

    // Every state of the grid -20..50 degC by 5 K and F 0.1..1 by 0.1.
    template <class Check>
    void ForEachState(Check check) {
        for (int t = -20; t <= 50; t += 5) {
            for (int f = 1; f <= 10; ++f) {
                const double T = t, F = f / 10.0;
                SCOPED_TRACE(::testing::Message() << "T=" << T << " F=" << F);
                check(T, F, ID_D_T_F(T, F), ID_I_T_F(T, F));
            }
        }
    }
};

TEST_P(RoundTrips, ClosedFormPairs) {
    ForEachState([](double T, double F, double D, double I) {
        EXPECT_NEAR(ID_I_T_D(T, D), I, 1e-9);
        EXPECT_NEAR(ID_D_T_I(T, I), D, 1e-9);
        EXPECT_NEAR(ID_T_D_I(D, I), T, 1e-9);
        EXPECT_NEAR(ID_F_T_D(T, D), F, 1e-9);
        EXPECT_NEAR(ID_F_T_I(T, I), F, 1e-9);
        EXPECT_NEAR(ID_F_D_I(D, I), F, 1e-9);
        EXPECT_NEAR(ID_D_PQ(ID_PQ_D(D)), D, 1e-9);
        EXPECT_NEAR(ID_PQ_D(D), F * ps(T), 1e-6 * ps(T));
        EXPECT_NEAR(ID_ROU_T_D(T, D), ID_ROU_T_F(T, F), 1e-12);
        EXPECT_NEAR(ID_ROU_I_D(I, D), ID_ROU_T_F(T, F), 1e-12);
    });
}

TEST_P(RoundTrips, DewPointStartPairs) {
    ForEachState([](double T, double F, double D, double I) {
        EXPECT_NEAR(ID_T_D_F(D, F), T, 0.02);
        EXPECT_NEAR(ID_I_D_F(D, F), I, 0.05);
        EXPECT_NEAR(ID_TS_D_F(D, F), ID_TS_T_F(T, F), 0.02);
    });
}

TEST_P(RoundTrips, WetBulbPairs) {
    ForEachState([](double T, double F, double D, double I) {
        const double TS = ID_TS_T_F(T, F);
        EXPECT_LE(TS, T + 1e-9);
        EXPECT_EQ(ID_TS_I(I), TS);
        EXPECT_NEAR(ID_TS_T_D(T, D), TS, 1e-9);
        EXPECT_NEAR(ID_I_TS(TS), I, 0.05);
        EXPECT_NEAR(ID_D_T_TS(T, TS), D, 0.02);
        EXPECT_NEAR(ID_F_T_TS(T, TS), F, 0.01);
        EXPECT_NEAR(ID_T_D_TS(D, TS), T, 0.05);
        EXPECT_NEAR(ID_F_D_TS(D, TS), F, 0.01);
    });
}

// The relaxation keeps its step while a run's residuals stay below the run's
// first one; on warm humid states they alternate in sign and shrink slowly, the
// run stops at its 100th evaluation and the last value is answered as it is.
// Round trips are checked wherever the solve ended on its tolerance, and every
// ordinary state up to 30 degC must end so.
TEST_P(RoundTrips, EnthalpyBalancePairs) {
    ForEachState([](double T, double F, double D, double I) {
        const double TS = ID_TS_T_F(T, F);
        const auto solve = [&](double H, double t0, BalanceResult want, bool check, double expected,
                               double tolerance) {
            SolverTrace trace;
            const double result = RelaxEnthalpyBalance(H, F, t0, want, check, &trace);
            if (T <= 20) {
                EXPECT_LT(trace.evaluations, 100);
            }
            if (trace.evaluations < 100) {
                EXPECT_NEAR(result, expected, tolerance);
            }
            return result;
        };
        EXPECT_EQ(solve(I, ts(I), BalanceResult::Temperature, false, T, 0.02), ID_T_I_F(I, F));
        EXPECT_EQ(solve(I, ts(I), BalanceResult::Humidity, true, D, 0.02), ID_D_I_F(I, F));
        EXPECT_EQ(solve(is(TS), TS, BalanceResult::Temperature, false, T, 0.05), ID_T_F_TS(F, TS));
        EXPECT_EQ(solve(is(TS), TS, BalanceResult::Humidity, true, D, 0.02), ID_D_F_TS(F, TS));
    });
}

std::string PressureName(const ::testing::TestParamInfo<double>& info) {
    return info.param == 101325.0 ? "P101325" : "P90000";
}

INSTANTIATE_TEST_SUITE_P(Pressures, RoundTrips, ::testing::Values(101325.0, 90000.0), PressureName);

}  // namespace
