// What a storage slot holds, as the storage list shows it: the summary of
// the chart saved there, or that it is empty or cannot be read.
#pragma once

#include <cstdint>
#include <string>

namespace humichart {

struct StorageSlotInfo {
    static constexpr std::size_t kMaxRemark = 99;

    enum class State { Empty, Saved, Damaged };
    State state = State::Empty;
    // Of a saved chart:
    float airPressure = 101325.0f;  // Pa
    std::uint32_t pointCount = 0;
    std::uint32_t processCount = 0;
    std::uint32_t mixCount = 0;
    std::wstring remark;  // at most kMaxRemark characters
};

}  // namespace humichart
