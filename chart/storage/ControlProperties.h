// The control's copies of its scalar properties and its extent: what a
// container persists, and what the control answers from while it has no
// chart window.
#pragma once

#include <cstdint>

namespace humichart {

struct ControlProperties {
    std::int32_t HasTLine = 1;
    std::int32_t HasDLine = 1;
    std::int32_t HasILine = 1;
    std::int32_t HasFLine = 1;
    std::int32_t HasProcessLineName = 0;
    std::int32_t HasBorder = 0;
    std::int32_t HasBackground = 1;
    std::int32_t HasForeground = 1;
    double AirPressure = 101325.0;  // Pa
    double RangeMinT = -30.0;       // degC
    double RangeMaxT = 65.0;
    double RangeMinD = 0.0;         // g/kg
    double RangeMaxD = 42.0;
    std::uint32_t DataIndex = 0;
    // Extent in 0.01 mm.
    std::uint32_t extentCx = 5080;
    std::uint32_t extentCy = 5080;

    bool operator==(const ControlProperties&) const = default;
};

}  // namespace humichart
