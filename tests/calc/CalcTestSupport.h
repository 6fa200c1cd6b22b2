// Shared pieces of the calculator core tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "Humicalc.h"
#include "SatTables.h"

namespace calctest {

inline constexpr double kStandardPressure = 101325.0;

// The pressure is process-wide: every test starts and ends at 101325 Pa so
// that no test depends on which one ran before it.
class AtStandardPressure : public ::testing::Test {
protected:
    void SetUp() override { humicalc::SetInit(kStandardPressure); }
    void TearDown() override { humicalc::SetInit(kStandardPressure); }
};

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Index of a grid temperature in the 1 K tables.
inline constexpr int Node(int t) { return t + 100; }

// Half a unit in the third significant digit of a value quoted to three
// significant digits (7.26 -> 0.005, 2410 -> 5).
inline double ThreeDigits(double quoted) {
    return 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(quoted))) - 2);
}

}  // namespace calctest

#define EXPECT_ABOUT(actual, quoted) EXPECT_NEAR((actual), (quoted), calctest::ThreeDigits(quoted))
