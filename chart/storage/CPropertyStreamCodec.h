// The control's persisted property stream: a version value, then the extent
// and the property copies as raw little-endian values, nothing between them.
#pragma once

#include <cstdint>

#include "CalcStatus.h"
#include "ControlProperties.h"
#include "IByteSink.h"
#include "IByteSource.h"

namespace humichart {

class CPropertyStreamCodec {
public:
    static constexpr std::uint32_t kVersion = 0x0800;
    static constexpr std::uint32_t kStreamSize = 88;

    // A stream that ends before all the values are read, and a sink that takes
    // fewer bytes than it was given; a failure the stream reports itself is
    // passed on as it is.
    static constexpr Status kStatusReadFault = static_cast<Status>(0x8003001Eu);   // STG_E_READFAULT
    static constexpr Status kStatusWriteFault = static_cast<Status>(0x8003001Du);  // STG_E_WRITEFAULT

    static Status Write(const ControlProperties& properties, IByteSink& sink);
    // Older versions load, a newer one is refused; so is a stream whose
    // pressure or range bounds are not finite numbers, which would poison
    // every computation of the chart. On any failure the properties are
    // untouched.
    static Status Read(IByteSource& source, ControlProperties& properties);
};

}  // namespace humichart
