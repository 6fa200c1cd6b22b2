// A platform stream as the property codec's byte sink.
#pragma once

#include <objidl.h>

#include "IByteSink.h"

namespace humichart {

class CStreamByteSink final : public IByteSink {
public:
    explicit CStreamByteSink(ISequentialStream* stream) : m_stream(stream) {}
    Status Write(const void* data, std::uint32_t size, std::uint32_t& done) override {
        ULONG written = 0;
        const HRESULT hr = m_stream->Write(data, size, &written);
        done = written;
        return hr;
    }

private:
    ISequentialStream* m_stream;
};

}  // namespace humichart
