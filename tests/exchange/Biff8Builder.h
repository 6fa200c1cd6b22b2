// BIFF8 streams put together record by record, for the records that the
// fixture programs do not happen to write and for damaged and crafted files.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace humichart::test {

class Bytes {
public:
    std::vector<std::uint8_t> data;

    Bytes& U8(std::uint32_t v) { data.push_back(static_cast<std::uint8_t>(v)); return *this; }
    Bytes& U16(std::uint32_t v) { return U8(v).U8(v >> 8); }
    Bytes& U32(std::uint32_t v) { return U16(v).U16(v >> 16); }
    Bytes& F64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        return U32(static_cast<std::uint32_t>(bits)).U32(static_cast<std::uint32_t>(bits >> 32));
    }
    Bytes& Latin1(const std::string& text) { for (char c : text) U8(static_cast<std::uint8_t>(c)); return *this; }
    Bytes& Wide(const std::u16string& text) { for (char16_t c : text) U16(c); return *this; }
    Bytes& Add(const Bytes& more) { data.insert(data.end(), more.data.begin(), more.data.end()); return *this; }
    // A cell's row, column and format.
    Bytes& Cell(std::uint32_t row, std::uint32_t column) { return U16(row).U16(column).U16(15); }
};

// RK of a whole number.
inline std::uint32_t Rk(std::int32_t integer) { return static_cast<std::uint32_t>(integer) << 2 | 2; }

class StreamBuilder {
public:
    std::vector<std::uint8_t> bytes;

    StreamBuilder& Record(std::uint16_t id, const Bytes& body) {
        Bytes header;
        header.U16(id).U16(static_cast<std::uint32_t>(body.data.size()));
        bytes.insert(bytes.end(), header.data.begin(), header.data.end());
        bytes.insert(bytes.end(), body.data.begin(), body.data.end());
        return *this;
    }
    StreamBuilder& Bof(std::uint16_t substream, std::uint16_t version = 0x0600) {
        return Record(0x0809, Bytes().U16(version).U16(substream).U32(0).U32(0).U32(6));
    }
    StreamBuilder& Eof() { return Record(0x000A, Bytes()); }
    // BOUNDSHEET whose offset is patched by PlaceSheet.
    std::size_t BoundSheet(const std::string& name, std::uint8_t kind = 0) {
        const std::size_t at = bytes.size() + 4;
        Record(0x0085, Bytes().U32(0).U8(0).U8(kind).U8(static_cast<std::uint32_t>(name.size())).U8(0).Latin1(name));
        return at;
    }
    void PlaceSheet(std::size_t boundSheet) {
        const auto offset = static_cast<std::uint32_t>(bytes.size());
        for (int i = 0; i < 4; ++i) bytes[boundSheet + i] = static_cast<std::uint8_t>(offset >> (8 * i));
    }
    // SST of count copies of one Latin-1 text (at most 8221 characters), as
    // many whole texts to a record as fit, the rest in CONTINUE records.
    StreamBuilder& Sst(std::size_t count, const std::string& text) {
        Bytes body;
        body.U32(static_cast<std::uint32_t>(count)).U32(static_cast<std::uint32_t>(count));
        std::uint16_t id = 0x00FC;
        for (std::size_t i = 0; i < count; ++i) {
            if (body.data.size() + 3 + text.size() > 8224) {
                Record(id, body);
                body.data.clear();
                id = 0x003C;
            }
            body.U16(static_cast<std::uint32_t>(text.size())).U8(0).Latin1(text);
        }
        return Record(id, body);
    }
};

// Crafted: sheets entries that all name one sheet, whose STRING record runs
// on through continues empty CONTINUE records before its one character.
inline std::vector<std::uint8_t> OverlappingSheets(std::size_t sheets, std::size_t continues) {
    StreamBuilder s;
    s.Bof(0x0005);
    std::vector<std::size_t> entries;
    for (std::size_t i = 0; i < sheets; ++i) entries.push_back(s.BoundSheet("S" + std::to_string(i)));
    s.Eof();
    for (const std::size_t entry : entries) s.PlaceSheet(entry);
    s.Bof(0x0010).Record(0x0207, Bytes().U16(1).U8(0));
    for (std::size_t i = 0; i < continues; ++i) s.Record(0x003C, Bytes());
    s.Record(0x003C, Bytes().U8(0).U8('x')).Eof();
    return s.bytes;
}

// Crafted: a globals substream that is nothing but a table of count copies of
// one text, and one empty sheet.
inline std::vector<std::uint8_t> StringTable(std::size_t count, const std::string& text) {
    StreamBuilder s;
    s.Bof(0x0005);
    const std::size_t sheet = s.BoundSheet("S");
    s.Sst(count, text).Eof();
    s.PlaceSheet(sheet);
    s.Bof(0x0010).Eof();
    return s.bytes;
}

}  // namespace humichart::test
