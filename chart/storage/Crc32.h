// CRC-32 (the polynomial of zip and PNG), guarding slot files against
// damage that still leaves them well-formed.
#pragma once

#include <cstdint>
#include <span>

namespace humichart {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace humichart
