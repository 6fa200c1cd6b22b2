#include "CompoundFile.h"

#include <algorithm>
#include <cstring>

namespace humichart {
namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kMiniCutoff = 4096;
constexpr std::size_t kHeaderDifat = 109;
constexpr std::size_t kDirEntrySize = 128;

std::uint32_t Get32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameName(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return Upper(x) == Upper(y);
           });
}

void WriteDirEntry(std::uint8_t* entry, const std::u16string& name, std::uint8_t type, std::uint32_t child,
                   std::uint32_t start, std::uint32_t size) {
    for (std::size_t i = 0; i < name.size(); ++i) Put16(entry + 2 * i, name[i]);
    Put16(entry + 0x40, static_cast<std::uint32_t>((name.size() + 1) * 2));
    entry[0x42] = type;
    entry[0x43] = 1;  // black
    Put32(entry + 0x44, kNoStream);
    Put32(entry + 0x48, kNoStream);
    Put32(entry + 0x4C, child);
    Put32(entry + 0x74, start);
    Put32(entry + 0x78, size);
}

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    CompoundRead Read(const std::u16string& name, std::vector<std::uint8_t>& stream) {
        if (size_ < 512 || std::memcmp(data_, kSignature, sizeof kSignature) != 0) return CompoundRead::NotCompoundFile;
        const unsigned shift = Get16(data_ + 0x1E);
        if (Get16(data_ + 0x1C) != 0xFFFE || (shift != 9 && shift != 12) || Get16(data_ + 0x20) != 6)
            return CompoundRead::Damaged;
        sector_ = std::size_t{1} << shift;
        major4_ = shift == 12;
        // A last sector cut short by the writer still counts; what it lacks reads as zeros.
        sectorCount_ = size_ <= sector_ ? 0 : (size_ - sector_ + sector_ - 1) / sector_;
        if (!ReadFat()) return CompoundRead::Damaged;

        std::vector<std::uint8_t> directory;
        if (!ReadChain(fat_, Get32(data_ + 0x30), sectorCount_ * sector_, directory, false)) return CompoundRead::Damaged;
        const std::size_t entries = directory.size() / kDirEntrySize;
        if (entries == 0 || directory[0x42] != 5) return CompoundRead::Damaged;
        rootStart_ = Get32(&directory[0x74]);
        rootLength_ = Get32(&directory[0x78]);

        const std::uint8_t* found = nullptr;
        std::vector<bool> seen(entries, false);
        std::vector<std::uint32_t> pending{Get32(&directory[0x4C])};
        while (!pending.empty()) {
            const std::uint32_t id = pending.back();
            pending.pop_back();
            if (id == kNoStream) continue;
            if (id >= entries || seen[id]) return CompoundRead::Damaged;
            seen[id] = true;
            const std::uint8_t* entry = &directory[id * kDirEntrySize];
            const std::size_t nameBytes = Get16(entry + 0x40);
            if (nameBytes > 64 || nameBytes % 2 != 0) return CompoundRead::Damaged;
            std::u16string entryName;
            for (std::size_t i = 0; i + 2 < nameBytes; i += 2) entryName.push_back(static_cast<char16_t>(Get16(entry + i)));
            if (entry[0x42] == 2 && SameName(entryName, name)) found = entry;
            pending.push_back(Get32(entry + 0x44));
            pending.push_back(Get32(entry + 0x48));
        }
        if (!found) return CompoundRead::NoSuchStream;

        std::uint64_t length = Get32(found + 0x78);
        if (major4_) length |= static_cast<std::uint64_t>(Get32(found + 0x7C)) << 32;
        if (length > size_) return CompoundRead::Damaged;
        const std::uint32_t start = Get32(found + 0x74);
        if (length >= Get32(data_ + 0x38))
            return ReadChain(fat_, start, length, stream, true) ? CompoundRead::Ok : CompoundRead::Damaged;
        return ReadMini(start, length, stream) ? CompoundRead::Ok : CompoundRead::Damaged;
    }

private:
    // The sector allocation table, from the header's 109 entries and the
    // chain of DIFAT sectors.
    bool ReadFat() {
        const std::uint32_t fatSectors = Get32(data_ + 0x2C);
        if (fatSectors > sectorCount_) return false;
        std::vector<std::uint32_t> ids;
        for (std::size_t i = 0; i < kHeaderDifat && ids.size() < fatSectors; ++i) ids.push_back(Get32(data_ + 0x4C + 4 * i));
        std::uint32_t difat = Get32(data_ + 0x44);
        std::vector<bool> visited(sectorCount_, false);
        while (ids.size() < fatSectors) {
            if (difat >= sectorCount_ || visited[difat]) return false;
            visited[difat] = true;
            const std::uint8_t* sector = Sector(difat);
            for (std::size_t i = 0; i + 1 < sector_ / 4 && ids.size() < fatSectors; ++i) ids.push_back(Get32(sector + 4 * i));
            difat = Get32(sector + sector_ - 4);
        }
        fat_.reserve(ids.size() * (sector_ / 4));
        for (const std::uint32_t id : ids) {
            if (id >= sectorCount_) return false;
            const std::uint8_t* sector = Sector(id);
            for (std::size_t i = 0; i < sector_ / 4; ++i) fat_.push_back(Get32(sector + 4 * i));
        }
        return true;
    }

    // A sector's bytes; the part of a short last sector past the end reads as zeros.
    const std::uint8_t* Sector(std::uint32_t id) {
        const std::size_t offset = (static_cast<std::size_t>(id) + 1) * sector_;
        if (offset + sector_ <= size_) return data_ + offset;
        scratch_.assign(sector_, 0);
        std::memcpy(scratch_.data(), data_ + offset, size_ - offset);
        return scratch_.data();
    }

    // Follows a chain of regular sectors from start, refusing one that
    // visits a sector twice. With exact, the chain must hold length bytes
    // and the result is cut to them; else the whole chain is read, which
    // must not exceed length.
    bool ReadChain(const std::vector<std::uint32_t>& table, std::uint32_t start, std::uint64_t length,
                   std::vector<std::uint8_t>& out, bool exact) {
        out.clear();
        std::vector<bool> visited(sectorCount_, false);
        for (std::uint32_t id = start; id != kEndOfChain && !(exact && out.size() >= length); id = table[id]) {
            if (id >= sectorCount_ || id >= table.size() || visited[id] || out.size() >= length) return false;
            visited[id] = true;
            const std::uint8_t* sector = Sector(id);
            out.insert(out.end(), sector, sector + sector_);
        }
        if (exact && out.size() < length) return false;
        if (out.size() > length) out.resize(length);
        return true;
    }

    bool ReadMini(std::uint32_t start, std::uint64_t length, std::vector<std::uint8_t>& out) {
        constexpr std::size_t kMini = 64;
        std::vector<std::uint8_t> miniFatBytes, miniStream;
        if (!ReadChain(fat_, Get32(data_ + 0x3C), sectorCount_ * sector_, miniFatBytes, false)) return false;
        std::vector<std::uint32_t> miniFat(miniFatBytes.size() / 4);
        for (std::size_t i = 0; i < miniFat.size(); ++i) miniFat[i] = Get32(&miniFatBytes[4 * i]);
        // The root entry holds the mini stream.
        if (rootLength_ > size_ || !ReadChain(fat_, rootStart_, rootLength_, miniStream, true)) return false;
        out.clear();
        std::vector<bool> visited(miniFat.size(), false);
        for (std::uint32_t id = start; out.size() < length; id = miniFat[id]) {
            if (id >= miniFat.size() || visited[id] || (id + 1) * kMini > miniStream.size()) return false;
            visited[id] = true;
            out.insert(out.end(), miniStream.begin() + id * kMini, miniStream.begin() + (id + 1) * kMini);
        }
        out.resize(length);
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t sector_ = kSectorSize;
    bool major4_ = false;
    std::size_t sectorCount_ = 0;
    std::vector<std::uint32_t> fat_;
    std::uint32_t rootStart_ = kEndOfChain;
    std::uint64_t rootLength_ = 0;
    std::vector<std::uint8_t> scratch_;
};

}  // namespace

std::vector<std::uint8_t> WriteCompoundFile(const std::u16string& streamName, const std::vector<std::uint8_t>& stream) {
    const std::size_t length = std::max(stream.size(), kMiniCutoff);
    const std::size_t perSector = kSectorSize / 4;
    const std::size_t dataSectors = (length + kSectorSize - 1) / kSectorSize;
    // The table must also cover its own sectors and those of the DIFAT.
    std::size_t fatSectors = 1, difatSectors = 0;
    for (;;) {
        const std::size_t total = dataSectors + 1 + fatSectors + difatSectors;
        const std::size_t needFat = (total + perSector - 1) / perSector;
        const std::size_t needDifat = needFat > kHeaderDifat ? (needFat - kHeaderDifat + perSector - 2) / (perSector - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors) break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const std::size_t dirSector = dataSectors;
    const std::size_t firstFat = dirSector + 1;
    const std::size_t firstDifat = firstFat + fatSectors;
    const std::size_t totalSectors = firstDifat + difatSectors;

    std::vector<std::uint8_t> file((totalSectors + 1) * kSectorSize, 0);
    std::uint8_t* header = file.data();
    const auto sector = [&](std::size_t id) { return file.data() + (id + 1) * kSectorSize; };
    std::memcpy(header, kSignature, sizeof kSignature);
    Put16(header + 0x18, 0x003E);
    Put16(header + 0x1A, 3);
    Put16(header + 0x1C, 0xFFFE);
    Put16(header + 0x1E, 9);
    Put16(header + 0x20, 6);
    Put32(header + 0x2C, static_cast<std::uint32_t>(fatSectors));
    Put32(header + 0x30, static_cast<std::uint32_t>(dirSector));
    Put32(header + 0x38, kMiniCutoff);
    Put32(header + 0x3C, kEndOfChain);
    Put32(header + 0x44, difatSectors ? static_cast<std::uint32_t>(firstDifat) : kEndOfChain);
    Put32(header + 0x48, static_cast<std::uint32_t>(difatSectors));
    for (std::size_t i = 0; i < kHeaderDifat; ++i)
        Put32(header + 0x4C + 4 * i, i < fatSectors ? static_cast<std::uint32_t>(firstFat + i) : kFreeSector);
    for (std::size_t d = 0; d < difatSectors; ++d) {
        std::uint8_t* entries = sector(firstDifat + d);
        for (std::size_t i = 0; i + 1 < perSector; ++i) {
            const std::size_t fat = kHeaderDifat + d * (perSector - 1) + i;
            Put32(entries + 4 * i, fat < fatSectors ? static_cast<std::uint32_t>(firstFat + fat) : kFreeSector);
        }
        Put32(entries + kSectorSize - 4, d + 1 < difatSectors ? static_cast<std::uint32_t>(firstDifat + d + 1) : kEndOfChain);
    }

    std::copy(stream.begin(), stream.end(), sector(0));

    std::uint8_t* directory = sector(dirSector);
    for (std::size_t i = 0; i < kSectorSize / kDirEntrySize; ++i) {
        Put32(directory + i * kDirEntrySize + 0x44, kNoStream);
        Put32(directory + i * kDirEntrySize + 0x48, kNoStream);
        Put32(directory + i * kDirEntrySize + 0x4C, kNoStream);
    }
    WriteDirEntry(directory, u"Root Entry", 5, 1, kEndOfChain, 0);
    WriteDirEntry(directory + kDirEntrySize, streamName.substr(0, 31), 2, kNoStream, 0, static_cast<std::uint32_t>(length));

    std::vector<std::uint32_t> fat(fatSectors * perSector, kFreeSector);
    for (std::size_t i = 0; i < dataSectors; ++i) fat[i] = i + 1 < dataSectors ? static_cast<std::uint32_t>(i + 1) : kEndOfChain;
    fat[dirSector] = kEndOfChain;
    for (std::size_t i = 0; i < fatSectors; ++i) fat[firstFat + i] = kFatSector;
    for (std::size_t i = 0; i < difatSectors; ++i) fat[firstDifat + i] = kDifatSector;
    for (std::size_t i = 0; i < fat.size(); ++i) Put32(sector(firstFat) + 4 * i, fat[i]);
    return file;
}

CompoundRead ReadCompoundStream(const std::uint8_t* data, std::size_t size, const std::u16string& streamName,
                                std::vector<std::uint8_t>& stream) {
    stream.clear();
    const CompoundRead result = Reader(data, size).Read(streamName, stream);
    if (result != CompoundRead::Ok) stream.clear();
    return result;
}

}  // namespace humichart
