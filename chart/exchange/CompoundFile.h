// The OLE2 compound file (structured storage) around a workbook stream, in
// standard C++: one stream in the root storage written, one stream of the
// root storage found and read back, from files written by any program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace humichart {

// A version 3 compound file (512-byte sectors) whose root storage holds the
// one stream. A stream shorter than the mini-stream cut-off (4096 bytes) is
// padded with zero bytes to it, so it always lives in regular sectors.
std::vector<std::uint8_t> WriteCompoundFile(const std::u16string& streamName, const std::vector<std::uint8_t>& stream);

enum class CompoundRead {
    Ok,
    NotCompoundFile,  // no compound-file signature
    Damaged,          // the signature, but broken sector chains, directory or sizes
    NoSuchStream,     // a sound compound file without that stream in its root
};

// The stream of the root storage named streamName (compared without case,
// as the format does), from regular sectors or the mini stream. Every chain
// is bounded by the file's size, so a crafted file cannot make it loop or
// allocate more than the file holds.
CompoundRead ReadCompoundStream(const std::uint8_t* data, std::size_t size, const std::u16string& streamName,
                                std::vector<std::uint8_t>& stream);

}  // namespace humichart
