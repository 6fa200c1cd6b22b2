// Where the chart data set goes when it is saved to a numbered slot. The data
// object is given one by its owner; without one its slots always fail.
#pragma once

#include <cstdint>

#include "StorageSlotInfo.h"

namespace humichart {

class CHumichartDataObj;

class ISlotStore {
public:
    virtual ~ISlotStore() = default;

    // Replaces the target's data with the content of the slot. On false the
    // target is exactly as it was.
    virtual bool Load(std::uint32_t slot, CHumichartDataObj& target) = 0;
    // Keeps the source's data in the slot; on false the slot keeps what it had.
    virtual bool Save(std::uint32_t slot, const CHumichartDataObj& source) = 0;
    // What the slot holds now.
    virtual StorageSlotInfo Info(std::uint32_t slot) const = 0;
};

}  // namespace humichart
