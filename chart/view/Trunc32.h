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

// step * Trunc32(value / step): the grid value at or toward zero from value,
// in units of the step code, saturated like Trunc32.
inline std::int32_t StepMultiple(double value, std::int32_t step) {
    const std::int64_t multiple = static_cast<std::int64_t>(step) * Trunc32(value / step);
    if (multiple > INT32_MAX) return INT32_MAX;
    if (multiple < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(multiple);
}

}  // namespace humichart
