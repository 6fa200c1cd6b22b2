// One row of the slot table that the storage list shows.
#pragma once

#include <cstdint>
#include <string>

namespace humichart {

struct StorageSlotInfo {
    static constexpr std::size_t kMaxRemark = 99;

    float airPressure = 101325.0f;  // Pa
    std::uint32_t pointCount = 0;
    std::uint32_t processCount = 0;
    std::uint32_t mixCount = 0;
    std::wstring remark;  // at most kMaxRemark characters
};

}  // namespace humichart
