#include "CByteWriter.h"

#include <cstring>

namespace humichart {

void CByteWriter::U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void CByteWriter::F64(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 0; shift < 64; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void CByteWriter::Text(const std::wstring& text) {
    std::vector<std::uint16_t> units;
    units.reserve(text.size());
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            units.push_back(static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(code));
        }
    }
    U32(static_cast<std::uint32_t>(units.size()));
    for (std::uint16_t unit : units) {
        bytes_.push_back(static_cast<std::uint8_t>(unit));
        bytes_.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
}

}  // namespace humichart
