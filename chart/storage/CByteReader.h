// Reads little-endian values from a byte range. Running past the end sets a
// sticky failure and yields zeros, so a decoder checks once, at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace humichart {

class CByteReader {
public:
    explicit CByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    double F64();
    // The counterpart of CByteWriter::Text. Surrogate pairs are joined where
    // wchar_t is 32 bits wide; a lone surrogate is kept as it is.
    std::wstring Text();

    bool Failed() const { return failed_; }
    std::size_t Remaining() const { return bytes_.size() - offset_; }

private:
    bool Take(std::size_t size);

    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    bool failed_ = false;
};

}  // namespace humichart
