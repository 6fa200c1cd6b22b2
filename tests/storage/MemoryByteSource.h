// A byte source over a buffer, with an optional failure to report instead of
// data, as a broken stream would.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "IByteSource.h"

namespace humichart {

class MemoryByteSource : public IByteSource {
public:
    explicit MemoryByteSource(std::vector<std::uint8_t> bytes, Status failure = kStatusOk)
        : bytes_(std::move(bytes)), failure_(failure) {}

    Status Read(void* buffer, std::uint32_t size, std::uint32_t& done) override {
        done = 0;
        if (!Succeeded(failure_)) return failure_;
        done = static_cast<std::uint32_t>(std::min<std::size_t>(size, bytes_.size() - offset_));
        if (done) std::memcpy(buffer, bytes_.data() + offset_, done);  // an empty vector's data may be null
        offset_ += done;
        return kStatusOk;
    }

    std::size_t Offset() const { return offset_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    Status failure_;
};

}  // namespace humichart
