// The control's 88-byte property stream from any bytes: a load either fails
// and leaves the properties as they were, or gives finite pressure and range
// that save and load again unchanged.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "CPropertyStreamCodec.h"

namespace {

using namespace humichart;

class Source : public IByteSource {
public:
    Source(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    Status Read(void* buffer, std::uint32_t size, std::uint32_t& done) override {
        done = static_cast<std::uint32_t>(std::min<std::size_t>(size, size_ - offset_));
        if (done) std::memcpy(buffer, data_ + offset_, done);
        offset_ += done;
        return kStatusOk;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

class Sink : public IByteSink {
public:
    Status Write(const void* buffer, std::uint32_t size, std::uint32_t& done) override {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        this->bytes.insert(this->bytes.end(), bytes, bytes + size);
        done = size;
        return kStatusOk;
    }
    std::vector<std::uint8_t> bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ControlProperties properties;
    properties.DataIndex = 77;
    const ControlProperties before = properties;
    Source source(data, size);
    if (!Succeeded(CPropertyStreamCodec::Read(source, properties))) {
        if (!(properties == before)) std::abort();
        return 0;
    }
    for (double value : {properties.AirPressure, properties.RangeMinT, properties.RangeMaxT, properties.RangeMinD,
                         properties.RangeMaxD})
        if (!std::isfinite(value)) std::abort();
    Sink sink;
    if (!Succeeded(CPropertyStreamCodec::Write(properties, sink)) || sink.bytes.size() != CPropertyStreamCodec::kStreamSize)
        std::abort();
    ControlProperties again;
    Source saved(sink.bytes.data(), sink.bytes.size());
    if (!Succeeded(CPropertyStreamCodec::Read(saved, again)) || !(again == properties)) std::abort();
    return 0;
}
