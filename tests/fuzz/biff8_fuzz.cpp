// libFuzzer target for the workbook reader: the input as a whole .xls file
// (compound file, then BIFF8) and as a bare Workbook stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Biff8.h"
#include "CompoundFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    humichart::Workbook workbook;
    std::wstring error;
    std::vector<std::uint8_t> stream;
    if (humichart::ReadCompoundStream(data, size, u"Workbook", stream) == humichart::CompoundRead::Ok)
        humichart::ReadBiff8(stream.data(), stream.size(), workbook, error);
    humichart::ReadBiff8(data, size, workbook, error);
    return 0;
}
