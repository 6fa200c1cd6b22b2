// Where a persisted property stream is read from. Shaped like
// ISequentialStream::Read so that the platform's stream passes straight
// through: a failure status is returned as it is, and a read that ends early
// reports fewer bytes done.
#pragma once

#include <cstdint>

#include "CalcStatus.h"

namespace humichart {

class IByteSource {
public:
    virtual ~IByteSource() = default;
    virtual Status Read(void* buffer, std::uint32_t size, std::uint32_t& done) = 0;
};

}  // namespace humichart
