// A platform stream as the property codec's byte source.
#pragma once

#include <objidl.h>

#include "IByteSource.h"

namespace humichart {

class CStreamByteSource final : public IByteSource {
public:
    explicit CStreamByteSource(ISequentialStream* stream) : m_stream(stream) {}
    Status Read(void* buffer, std::uint32_t size, std::uint32_t& done) override {
        ULONG read = 0;
        const HRESULT hr = m_stream->Read(buffer, size, &read);
        done = read;
        return hr;
    }

private:
    ISequentialStream* m_stream;
};

}  // namespace humichart
