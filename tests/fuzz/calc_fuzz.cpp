// The calculator's operations over arbitrary doubles and pressures, as the
// automation interface lets any caller pass them: no operation may read out of
// its tables, overflow a conversion or hang, whatever the input.
#include <cstdint>
#include <cstring>
#include <iterator>

#include "Humicalc.h"

namespace {

using Unary = double (*)(double);
using Binary = double (*)(double, double);

constexpr Unary kUnary[] = {humicalc::ID_PQ_D, humicalc::ID_D_PQ, humicalc::ID_I_TS, humicalc::ID_TS_I};
constexpr Binary kBinary[] = {
    humicalc::ID_I_T_F,  humicalc::ID_I_T_D,  humicalc::ID_I_D_F,   humicalc::ID_D_T_TS, humicalc::ID_D_T_F,
    humicalc::ID_D_T_I,  humicalc::ID_D_F_TS, humicalc::ID_D_I_F,   humicalc::ID_F_T_TS, humicalc::ID_F_T_I,
    humicalc::ID_F_D_I,  humicalc::ID_F_T_D,  humicalc::ID_F_D_TS,  humicalc::ID_TS_T_F, humicalc::ID_TS_T_D,
    humicalc::ID_TS_D_F, humicalc::ID_T_D_I,  humicalc::ID_T_D_TS,  humicalc::ID_T_D_F,  humicalc::ID_T_F_TS,
    humicalc::ID_T_I_F,  humicalc::ID_ROU_T_D, humicalc::ID_ROU_I_D, humicalc::ID_ROU_T_F};
constexpr std::size_t kOperations = std::size(kUnary) + std::size(kBinary);

double Take(const std::uint8_t*& data, std::size_t& size) {
    double value = 0.0;
    const std::size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // Byte 0 picks the pressure: the one in force, or one from the input.
    const bool newPressure = data[0] & 1;
    ++data, --size;
    if (newPressure) humicalc::SetInit(Take(data, size));
    while (size > 0) {
        const std::size_t op = data[0] % kOperations;
        ++data, --size;
        const double a = Take(data, size);
        if (op < std::size(kUnary)) {
            volatile double r = kUnary[op](a);
            (void)r;
        } else {
            const double b = Take(data, size);
            volatile double r = kBinary[op - std::size(kUnary)](a, b);
            (void)r;
        }
    }
    return 0;
}
