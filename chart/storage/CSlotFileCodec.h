// The content of one slot file: the whole chart data set with a remark, behind
// a magic, a format version, the payload length and a CRC-32 of the payload.
// All numbers little-endian, names as UTF-16 with their length, so a file
// written by one build reads the same in the other.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "CHumichartDataObj.h"

namespace humichart {

class CSlotFileCodec {
public:
    static constexpr char kMagic[8] = {'H', 'U', 'M', 'I', 'S', 'L', 'O', 'T'};
    static constexpr std::uint32_t kFormat = 1;
    static constexpr std::size_t kHeaderSize = 20;

    // Whether Decode would take the data back: a value that is not a finite
    // number, anywhere in the data set, is kept out of the files.
    static bool Storable(const CHumichartDataObj& data);
    static std::vector<std::uint8_t> Encode(const CHumichartDataObj& data, const std::wstring& remark);
    // False for anything that is not a whole, undamaged file of a known
    // format; data and remark are then untouched. On success data takes the
    // file's content through CopyData, so its slot store stays its own.
    static bool Decode(std::span<const std::uint8_t> bytes, CHumichartDataObj& data, std::wstring& remark);
};

}  // namespace humichart
