// Appends values as little-endian bytes, whatever the machine's own order, so
// that what one build writes the other reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace humichart {

class CByteWriter {
public:
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void F64(double value);
    // A length in UTF-16 code units, then the units; characters beyond the
    // basic plane become surrogate pairs where wchar_t is 32 bits wide.
    void Text(const std::wstring& text);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace humichart
