// Conversion to a 32-bit grid counter by truncation toward zero, as the grid
// stepping is defined. Saturates instead of overflowing, so that a far-panned
// view cannot turn into undefined behaviour; NaN counts as 0.
#pragma once

#include <cmath>
#include <cstdint>

namespace humichart {

inline std::int32_t Trunc32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

}  // namespace humichart
