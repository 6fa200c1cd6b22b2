#include "CByteReader.h"

#include <cstring>
#include <vector>

namespace humichart {

bool CByteReader::Take(std::size_t size) {
    if (failed_ || size > Remaining()) {
        failed_ = true;
        return false;
    }
    return true;
}

std::uint32_t CByteReader::U32() {
    if (!Take(4)) return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes_[offset_ + i]) << (8 * i);
    offset_ += 4;
    return value;
}

double CByteReader::F64() {
    if (!Take(8)) return 0.0;
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(bytes_[offset_ + i]) << (8 * i);
    offset_ += 8;
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::wstring CByteReader::Text() {
    const std::uint32_t count = U32();
    // The length is checked against what is left before anything is
    // allocated, so a damaged length cannot ask for gigabytes.
    if (!Take(std::size_t{count} * 2)) return {};
    std::vector<std::uint16_t> units(count);
    for (std::uint32_t i = 0; i < count; ++i)
        units[i] = static_cast<std::uint16_t>(bytes_[offset_ + 2 * i] | (bytes_[offset_ + 2 * i + 1] << 8));
    offset_ += std::size_t{count} * 2;

    std::wstring text;
    text.reserve(count);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        if constexpr (sizeof(wchar_t) >= 4) {
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] < 0xE000) {
                text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
                ++i;
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

}  // namespace humichart
