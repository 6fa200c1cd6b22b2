// A byte sink into a buffer, optionally full after a number of bytes or
// failing outright.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "IByteSink.h"

namespace humichart {

class MemoryByteSink : public IByteSink {
public:
    explicit MemoryByteSink(std::size_t capacity = std::numeric_limits<std::size_t>::max(),
                            Status failure = kStatusOk)
        : capacity_(capacity), failure_(failure) {}

    Status Write(const void* data, std::uint32_t size, std::uint32_t& done) override {
        done = 0;
        if (!Succeeded(failure_)) return failure_;
        done = static_cast<std::uint32_t>(std::min<std::size_t>(size, capacity_ - bytes_.size()));
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + done);
        return kStatusOk;
    }

    std::vector<std::uint8_t> bytes_;

private:
    std::size_t capacity_;
    Status failure_;
};

}  // namespace humichart
