// Slot files from any bytes. Most inputs are taken as a payload and given a
// header with the right size and checksum, so that the decoder's reading of
// the content is reached, not only its checksum test. A decode either fails
// and leaves the target as it was, or gives data that is storable and encodes
// back to exactly the bytes that were read.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "CByteWriter.h"
#include "CSlotFileCodec.h"
#include "Crc32.h"

using namespace humichart;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<std::uint8_t> file;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    if (data[0] & 1) {
        file.assign(rest.begin(), rest.end());
    } else {
        CByteWriter header;
        for (char c : CSlotFileCodec::kMagic) header.Bytes().push_back(static_cast<std::uint8_t>(c));
        header.U32(CSlotFileCodec::kFormat);
        header.U32(static_cast<std::uint32_t>(rest.size()));
        header.U32(Crc32(rest));
        file = header.Bytes();
        file.insert(file.end(), rest.begin(), rest.end());
    }

    CHumichartDataObj target;
    target.points.push_back({1.0, 2.0, L"kept"});
    std::wstring remark = L"kept";
    if (!CSlotFileCodec::Decode(file, target, remark)) {
        if (target.points.size() != 1 || target.points[0].name != L"kept" || remark != L"kept") std::abort();
        return 0;
    }
    if (!CSlotFileCodec::Storable(target)) std::abort();
    if (CSlotFileCodec::Encode(target, remark) != file) std::abort();
    return 0;
}
