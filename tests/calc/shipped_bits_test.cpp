// The numbers the shipped DLL computes are the numbers the native core
// computes, to the bit: every operation over a grid of states and pressures is
// folded into one fingerprint, and both builds must arrive at the same value.
// A compiler flag that lets the optimiser fuse or reorder arithmetic, or a
// relation rewritten in another order, changes it.
#include <cstdint>
#include <cstring>

#include "CalcTestSupport.h"

namespace {

class Fingerprint {
public:
    void Add(double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int byte = 0; byte < 8; ++byte) {
            hash_ ^= (bits >> (8 * byte)) & 0xFF;
            hash_ *= 0x100000001B3ull;  // FNV-1a
        }
    }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

using ShippedBits = calctest::AtStandardPressure;

TEST_F(ShippedBits, EveryOperationOverAGridOfStatesGivesTheSameFingerprintInBothBuilds) {
    using namespace humicalc;
    Fingerprint print;
    for (double pressure : {101325.0, 90000.0, 111325.0}) {
        SetInit(pressure);
        for (double t = -25.0; t <= 55.0; t += 4.0) {
            for (double f = 0.05; f <= 1.0; f += 0.15) {
                const double d = ID_D_T_F(t, f), i = ID_I_T_F(t, f), ts = ID_TS_T_F(t, f);
                for (double v : {d, i, ts, ID_PQ_D(d), ID_D_PQ(ID_PQ_D(d)), ID_I_TS(ts), ID_I_T_D(t, d),
                                 ID_I_D_F(d, f), ID_D_T_TS(t, ts), ID_D_T_I(t, i), ID_D_F_TS(f, ts), ID_D_I_F(i, f),
                                 ID_F_T_TS(t, ts), ID_F_T_I(t, i), ID_F_D_I(d, i), ID_F_T_D(t, d), ID_F_D_TS(d, ts),
                                 ID_TS_I(i), ID_TS_T_D(t, d), ID_TS_D_F(d, f), ID_T_D_I(d, i), ID_T_D_TS(d, ts),
                                 ID_T_D_F(d, f), ID_T_F_TS(f, ts), ID_T_I_F(i, f), ID_ROU_T_D(t, d), ID_ROU_I_D(i, d),
                                 ID_ROU_T_F(t, f)})
                    print.Add(v);
            }
        }
    }
    EXPECT_EQ(print.Value(), 0xB594FE4211BC93A8ull) << std::hex << print.Value();
}

}  // namespace
