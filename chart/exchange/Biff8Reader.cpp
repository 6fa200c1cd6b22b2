#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "Biff8.h"
#include "Biff8Records.h"
#include "Utf16.h"

namespace humichart {
namespace {

using namespace biff8;

const wchar_t kNotWorkbook[] = L"The file is not an Excel 97-2003 workbook";
const wchar_t kOlderFormat[] =
    L"The workbook was saved in an older Excel format (Excel 5.0/95 or earlier); save it as an Excel 97-2003 "
    L"workbook and try again";
const wchar_t kEncrypted[] =
    L"The workbook is protected by a password; save it without the password and try again";

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) { return Get16(p) | static_cast<std::uint32_t>(Get16(p + 2)) << 16; }
double GetF64(const std::uint8_t* p) {
    return std::bit_cast<double>(Get32(p) | static_cast<std::uint64_t>(Get32(p + 4)) << 32);
}

// RK: a 30-bit integer or the top 30 bits of a double, perhaps times 100.
double RkValue(std::uint32_t rk) {
    const double value = (rk & 2) ? static_cast<double>(static_cast<std::int32_t>(rk) >> 2)
                                  : std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32);
    return (rk & 1) ? value / 100 : value;
}

struct Failure {
    std::wstring message;
};

[[noreturn]] void Damaged(const wchar_t* what) {
    throw Failure{std::wstring(L"The workbook is damaged and cannot be read (") + what + L")"};
}

struct Record {
    std::uint16_t id = 0;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// The records of the stream from a position on; a header or a body that runs
// past the end of the stream is damage. Every record taken counts against a
// budget shared by all walks over the stream: the globals and the sheets of a
// sound file never overlap, so together they never take more bytes than the
// stream holds, and sheet entries that point into each other cannot make the
// work grow with their square.
class Records {
public:
    Records(const std::uint8_t* data, std::size_t size, std::size_t position, std::size_t& walked)
        : data_(data), size_(size), position_(position), walked_(walked) {}
    // The same records from the same position on, counted apart.
    Records(const Records& other, std::size_t& walked)
        : data_(other.data_), size_(other.size_), position_(other.position_), walked_(walked) {}

    Record Next() {
        if (position_ + 4 > size_) Damaged(L"a record runs past the end of the file");
        Record record{Get16(data_ + position_), data_ + position_ + 4, Get16(data_ + position_ + 2)};
        if (position_ + 4 + record.size > size_) Damaged(L"a record runs past the end of the file");
        walked_ += 4 + record.size;
        if (walked_ > size_) Damaged(L"its sheets overlap");
        position_ += 4 + record.size;
        return record;
    }
    bool NextIs(std::uint16_t id) const { return position_ + 4 <= size_ && Get16(data_ + position_) == id; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_;
    std::size_t& walked_;
};

// A record with the CONTINUE records after it, read as one run of bytes
// except inside the characters of a string: there each continuation begins
// with the string's option flags again, and the character width may change.
// Continuations are taken from the stream only as the reading reaches them,
// so that a long run of them costs no memory; those left unread are walked
// over as records of their own.
class Continued {
public:
    Continued(Records& records, const Record& first) : records_(&records), part_(first.data), size_(first.size) {}
    explicit Continued(const Record& only) : part_(only.data), size_(only.size) {}

    bool AtEnd() {
        while (position_ == size_) {
            if (!records_ || !records_->NextIs(kContinue)) return true;
            NextPart();
        }
        return false;
    }
    std::uint8_t Byte() {
        if (AtEnd()) Damaged(L"a text or a table is cut short");
        return part_[position_++];
    }
    std::uint32_t U16() { return Byte() | Byte() << 8; }
    std::uint32_t U32() { return U16() | U16() << 16; }
    void Skip(std::uint64_t count) {
        while (count > 0) {
            if (AtEnd()) Damaged(L"a text or a table is cut short");
            const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - position_));
            position_ += take;
            count -= take;
        }
    }

    // XLUnicodeRichExtendedString (or a plain XLUnicodeString, which simply
    // has neither runs nor phonetic data): count, flags, run count,
    // phonetic size, characters, runs, phonetic data. The characters are
    // appended to text unless it is null; answers their count.
    std::uint32_t String(std::u16string* text, bool shortCount = false) {
        const std::uint32_t count = shortCount ? Byte() : U16();
        std::uint8_t flags = Byte();
        const std::uint32_t runs = (flags & 0x08) ? U16() : 0;
        const std::uint32_t phonetic = (flags & 0x04) ? U32() : 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (position_ == size_) {
                if (!records_ || !records_->NextIs(kContinue)) Damaged(L"a text is cut short");
                NextPart();
                flags = Byte();
            }
            if (flags & 0x01) {
                if (size_ - position_ < 2) Damaged(L"a character is split");
                const auto unit = static_cast<char16_t>(U16());
                if (text) text->push_back(unit);
            } else {
                const auto unit = static_cast<char16_t>(Byte());
                if (text) text->push_back(unit);
            }
        }
        Skip(4ull * runs + phonetic);
        return count;
    }
    std::u16string String(bool shortCount = false) {
        std::u16string text;
        String(&text, shortCount);
        return text;
    }

private:
    void NextPart() {
        const Record next = records_->Next();
        part_ = next.data;
        size_ = next.size;
        position_ = 0;
    }

    Records* records_ = nullptr;
    const std::uint8_t* part_;
    std::size_t size_;
    std::size_t position_ = 0;
};

struct SheetEntry {
    std::uint32_t offset;
    std::wstring name;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    void Read(Workbook& out) {
        if (size_ > kBiff8MaxStreamSize) throw Failure{L"The workbook is too large to import"};
        ReadGlobals();
        for (const SheetEntry& entry : sheets_) {
            Sheet sheet;
            sheet.name = entry.name;
            if (ReadWorksheet(entry.offset, sheet)) out.sheets.push_back(std::move(sheet));
        }
    }

private:
    // The first record tells the format: BIFF2 to BIFF4 have BOFs of their
    // own, BIFF5 and BIFF8 share one and differ in the version.
    void CheckBof(const Record& bof) {
        if (bof.id == 0x0009 || bof.id == 0x0209 || bof.id == 0x0409) throw Failure{kOlderFormat};
        if (bof.id != kBof || bof.size < 4) throw Failure{kNotWorkbook};
        const std::uint16_t version = Get16(bof.data);
        if (version == 0x0500 || version == 0x0400 || version == 0x0300 || version == 0x0200 || version == 0x0007)
            throw Failure{kOlderFormat};
        if (version != kBiff8Version) throw Failure{kNotWorkbook};
    }

    void ReadGlobals() {
        // Whatever does not begin with a whole BOF record is no workbook.
        if (size_ < 8 || Get16(data_ + 2) > size_ - 4) {
            if (size_ >= 4 && (Get16(data_) & 0xF0FF) == 0x0009) throw Failure{kOlderFormat};
            throw Failure{kNotWorkbook};
        }
        Records records(data_, size_, 0, walked_);
        const Record bof = records.Next();
        CheckBof(bof);
        if (Get16(bof.data + 2) != kGlobalsSubstream) throw Failure{kNotWorkbook};
        for (;;) {
            const Record record = records.Next();
            switch (record.id) {
            case kEof:
                return;
            case kFilePass:
                throw Failure{kEncrypted};
            case kBoundSheet: {
                if (record.size < 8) Damaged(L"a sheet entry is cut short");
                if (sheets_.size() >= kBiff8MaxSheets) Damaged(L"too many sheets");
                Continued name(record);
                name.Skip(6);
                SheetEntry entry{Get32(record.data), FromUtf16(name.String(true))};
                if (record.data[5] == 0) sheets_.push_back(std::move(entry));  // worksheets only
                break;
            }
            case kSst: {
                // The table is bounded like the cells it can fill. It is
                // read twice: first only counted, so that one too large is
                // refused before anything is kept, then into one run of
                // characters of exactly the room they need and where each
                // text ends, which costs little more than the file.
                std::size_t counted = 0;
                Records ahead(records, counted);
                Continued probe(ahead, record);
                probe.Skip(4);
                const std::uint32_t unique = probe.U32();
                std::size_t texts = 0, units = strings_.size();
                for (; texts < unique && !probe.AtEnd(); ++texts) {
                    if (stringEnds_.size() + texts == kBiff8MaxCells)
                        throw Failure{L"The workbook is too large to import (more than " +
                                      std::to_wstring(kBiff8MaxCells) + L" shared texts)"};
                    units += probe.String(nullptr);
                    if (units > kBiff8MaxTextUnits) throw TooMuchText();
                }
                strings_.reserve(units);
                stringEnds_.reserve(stringEnds_.size() + texts);
                Continued sst(records, record);
                sst.Skip(8);
                for (std::size_t i = 0; i < texts; ++i) {
                    sst.String(&strings_);
                    stringEnds_.push_back(static_cast<std::uint32_t>(strings_.size()));
                }
                break;
            }
            default:
                break;
            }
        }
    }

    void Store(Sheet& sheet, std::uint32_t row, std::uint32_t column, Cell cell) {
        if (column >= kBiff8MaxColumns) Damaged(L"a cell lies beyond the last column");
        auto [at, added] = sheet.cells.try_emplace({row, column});
        if (added && ++cells_ > kBiff8MaxCells)
            throw Failure{L"The workbook is too large to import (more than " + std::to_wstring(kBiff8MaxCells) +
                          L" cells)"};
        textUnits_ += cell.text.size();
        if (textUnits_ > kBiff8MaxTextUnits) throw TooMuchText();
        at->second = std::move(cell);
    }
    static Failure TooMuchText() { return Failure{L"The workbook is too large to import (too much text)"}; }
    static Cell Number(double value) { return Cell{Cell::Kind::Number, value, {}}; }
    static Cell Text(std::wstring text) { return Cell{Cell::Kind::Text, 0.0, std::move(text)}; }

    // False for a substream that is not a worksheet (a chart or macro sheet
    // listed as one by a careless writer).
    bool ReadWorksheet(std::uint32_t offset, Sheet& sheet) {
        if (offset >= size_) Damaged(L"a sheet lies beyond the end of the file");
        Records records(data_, size_, offset, walked_);
        const Record bof = records.Next();
        if (bof.id != kBof || bof.size < 4 || Get16(bof.data) != kBiff8Version) Damaged(L"a sheet does not begin");
        if (Get16(bof.data + 2) != kWorksheetSubstream) return false;
        int depth = 1;  // charts embedded in the sheet nest BOF ... EOF
        bool pendingString = false;
        std::uint32_t pendingRow = 0, pendingColumn = 0;
        while (depth > 0) {
            const Record record = records.Next();
            const std::uint8_t* d = record.data;
            if (record.id == kBof) { ++depth; continue; }
            if (record.id == kEof) { --depth; continue; }
            if (depth > 1) continue;
            switch (record.id) {
            case kLabelSst: {
                if (record.size < 10) Damaged(L"a cell is cut short");
                const std::uint32_t index = Get32(d + 6);
                if (index >= stringEnds_.size()) Damaged(L"a cell names a shared text that does not exist");
                const std::size_t begin = index ? stringEnds_[index - 1] : 0;
                Store(sheet, Get16(d), Get16(d + 2),
                      Text(FromUtf16(std::u16string_view(strings_).substr(begin, stringEnds_[index] - begin))));
                break;
            }
            case kLabel:
            case kRString: {
                if (record.size < 9) Damaged(L"a cell is cut short");
                Continued text(record);
                text.Skip(6);
                Store(sheet, Get16(d), Get16(d + 2), Text(FromUtf16(text.String())));
                break;
            }
            case kNumber:
                if (record.size < 14) Damaged(L"a cell is cut short");
                Store(sheet, Get16(d), Get16(d + 2), Number(GetF64(d + 6)));
                break;
            case kRk:
                if (record.size < 10) Damaged(L"a cell is cut short");
                Store(sheet, Get16(d), Get16(d + 2), Number(RkValue(Get32(d + 6))));
                break;
            case kMulRk: {
                if (record.size < 6 || (record.size - 6) % 6 != 0) Damaged(L"a row of numbers is cut short");
                const std::size_t count = (record.size - 6) / 6;
                for (std::size_t i = 0; i < count; ++i)
                    Store(sheet, Get16(d), Get16(d + 2) + static_cast<std::uint32_t>(i), Number(RkValue(Get32(d + 6 + 6 * i))));
                break;
            }
            case kBoolErr: {
                if (record.size < 8) Damaged(L"a cell is cut short");
                Cell cell{d[7] ? Cell::Kind::Error : Cell::Kind::Boolean, static_cast<double>(d[6]), {}};
                Store(sheet, Get16(d), Get16(d + 2), cell);
                break;
            }
            case kFormula: {
                if (record.size < 20) Damaged(L"a formula is cut short");
                const std::uint32_t row = Get16(d), column = Get16(d + 2);
                if (Get16(d + 12) != 0xFFFF) {
                    Store(sheet, row, column, Number(GetF64(d + 6)));
                } else if (d[6] == 0) {
                    pendingString = true;  // the text follows in a STRING record
                    pendingRow = row;
                    pendingColumn = column;
                } else if (d[6] == 1 || d[6] == 2) {
                    Store(sheet, row, column, Cell{d[6] == 2 ? Cell::Kind::Error : Cell::Kind::Boolean,
                                                   static_cast<double>(d[8]), {}});
                } else if (d[6] == 3) {
                    Store(sheet, row, column, Text({}));
                }
                break;
            }
            case kString: {
                Continued text(records, record);
                std::wstring value = FromUtf16(text.String());
                if (pendingString) Store(sheet, pendingRow, pendingColumn, Text(std::move(value)));
                pendingString = false;
                break;
            }
            default:
                break;
            }
        }
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::vector<SheetEntry> sheets_;
    std::u16string strings_;                  // the shared texts one after another
    std::vector<std::uint32_t> stringEnds_;   // where each ends in strings_
    std::size_t cells_ = 0;
    std::size_t textUnits_ = 0;
    std::size_t walked_ = 0;
};

}  // namespace

bool ReadBiff8(const std::uint8_t* data, std::size_t size, Workbook& out, std::wstring& error) {
    out.sheets.clear();
    try {
        Reader(data, size).Read(out);
        return true;
    } catch (const Failure& failure) {
        out.sheets.clear();
        error = failure.message;
        return false;
    } catch (const std::bad_alloc&) {
        out.sheets.clear();
        error = kBiff8NotEnoughMemory;
        return false;
    }
}

}  // namespace humichart
