// Where a persisted property stream is written to; shaped like
// ISequentialStream::Write (see IByteSource).
#pragma once

#include <cstdint>

#include "CalcStatus.h"

namespace humichart {

class IByteSink {
public:
    virtual ~IByteSink() = default;
    virtual Status Write(const void* data, std::uint32_t size, std::uint32_t& done) = 0;
};

}  // namespace humichart
