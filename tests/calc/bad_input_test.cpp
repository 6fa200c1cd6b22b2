// Every operation with every pair of hostile values, at ordinary and absurd
// pressures: each call must come back (no trap, no endless loop), leave the
// pressure alone, answer the same bits when asked again, and keep the few
// results that stay defined even here.
#include <limits>
#include <string>

#include "CalcTestSupport.h"

namespace {

using namespace humicalc;
using calctest::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const double kValues[] = {kNaN, kInf, -kInf, 1e300, -1e300, -1, 0, -0.0, 1e-320, 0.5, 1, 20, 100, 250, 1e6};

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

class BadInput : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override { SetInit(GetParam()); }
    void TearDown() override { SetInit(calctest::kStandardPressure); }
};

TEST_P(BadInput, EveryOperationAnswersEveryPair) {
    const double pressure = CorePressure();
    for (const Operation& op : kOperations) {
        for (double a : kValues) {
            for (double b : kValues) {
                const double first = op(a, b);
                const double again = op(a, b);
                EXPECT_TRUE(SameBits(first, again)) << op.name << "(" << a << ", " << b << ")";
                if (op.one) break;  // the second argument plays no part
            }
        }
        ASSERT_TRUE(SameBits(CorePressure(), pressure)) << op.name << " moved the pressure";
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

std::string PressureName(const ::testing::TestParamInfo<double>& info) {
    static const char* const names[] = {"P101325", "P1", "P1e9", "PNaN", "P0", "Pminus101325", "PInf", "P1em3"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Pressures, BadInput,
                         ::testing::Values(101325.0, 1.0, 1e9, kNaN, 0.0, -101325.0, kInf, 1e-3),
                         PressureName);

TEST(BadInputPressure, ANaNPressureIsLeftBehindBySettingANumberAgain) {
    SetInit(calctest::kStandardPressure);
    const double standard = ID_D_T_F(20, 1);
    SetInit(kNaN);
    EXPECT_TRUE(std::isnan(ID_D_T_F(20, 0.5)));
    SetInit(calctest::kStandardPressure);
    EXPECT_EQ(CorePressure(), calctest::kStandardPressure);
    EXPECT_TRUE(SameBits(ID_D_T_F(20, 1), standard));
}

}  // namespace
