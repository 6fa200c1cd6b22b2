#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "Biff8.h"
#include "Biff8Records.h"
#include "Utf16.h"

namespace humichart {
namespace {

using namespace biff8;

class Stream {
public:
    std::vector<std::uint8_t> bytes;

    void U8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v) { U8(v); U8(v >> 8); }
    void U32(std::uint32_t v) { U16(v); U16(v >> 16); }
    void F64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        U32(static_cast<std::uint32_t>(bits));
        U32(static_cast<std::uint32_t>(bits >> 32));
    }
    void Zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }

    // A record whose data the caller appends; End patches its length.
    std::size_t Begin(std::uint16_t id) {
        const std::size_t start = bytes.size();
        U16(id);
        U16(0);
        return start;
    }
    void End(std::size_t start) {
        const std::size_t length = bytes.size() - start - 4;
        bytes[start + 2] = static_cast<std::uint8_t>(length);
        bytes[start + 3] = static_cast<std::uint8_t>(length >> 8);
    }
    void Record(std::uint16_t id, std::initializer_list<std::uint16_t> words) {
        const std::size_t start = Begin(id);
        for (const std::uint16_t w : words) U16(w);
        End(start);
    }

    static bool Compressible(const std::u16string& text) {
        return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
    }
    // The characters after a string's option flags: one byte each when every
    // one fits, else UTF-16.
    void Chars(const std::u16string& text, bool compressed) {
        for (const char16_t c : text) {
            if (compressed) U8(c); else U16(c);
        }
    }
    // ShortXLUnicodeString: a count of one byte.
    void ShortString(const std::u16string& text) {
        const bool compressed = Compressible(text);
        U8(static_cast<std::uint32_t>(text.size()));
        U8(compressed ? 0 : 1);
        Chars(text, compressed);
    }
};

// At most limit UTF-16 units, never ending in half a surrogate pair.
std::u16string Cut(std::u16string text, std::size_t limit) {
    if (text.size() > limit) {
        text.resize(limit);
        if (!text.empty() && text.back() >= 0xD800 && text.back() < 0xDC00) text.pop_back();
    }
    return text;
}

bool Writable(std::uint32_t row, std::uint32_t column, const Cell& cell) {
    return row < kBiff8MaxRows && column < kBiff8MaxColumns && cell.kind != Cell::Kind::Empty;
}

// Every text cell's string, once, in the order the cells are written.
struct SharedStrings {
    std::vector<std::u16string> unique;
    std::unordered_map<std::u16string, std::uint32_t> index;
    std::uint32_t total = 0;

    explicit SharedStrings(const Workbook& workbook) {
        for (const Sheet& sheet : workbook.sheets) {
            for (const auto& [at, cell] : sheet.cells) {
                if (cell.kind != Cell::Kind::Text || !Writable(at.first, at.second, cell)) continue;
                ++total;
                auto text = Cut(ToUtf16(cell.text), kBiff8MaxTextLength);
                if (index.emplace(text, static_cast<std::uint32_t>(unique.size())).second)
                    unique.push_back(std::move(text));
            }
        }
    }
    std::uint32_t Of(const std::wstring& text) const {
        return index.at(Cut(ToUtf16(text), kBiff8MaxTextLength));
    }
};

void WriteBof(Stream& out, std::uint16_t substream) {
    const std::size_t start = out.Begin(kBof);
    out.U16(kBiff8Version);
    out.U16(substream);
    out.U16(0x0DBB);  // build and year of the format's first release
    out.U16(0x07CC);
    out.U32(0);
    out.U32(0x00000006);  // lowest BIFF version that can read it: 8
    out.End(start);
}

void WriteFont(Stream& out, std::uint16_t weight) {
    const std::size_t start = out.Begin(kFont);
    out.U16(200);     // 10 points in twips
    out.U16(0);
    out.U16(0x7FFF);  // the window text colour
    out.U16(weight);
    out.U16(0);
    out.U8(0);
    out.U8(0);
    out.U8(0);
    out.U8(0);
    out.ShortString(u"Arial");
    out.End(start);
}

void WriteFormat(Stream& out, std::uint16_t id, const std::u16string& code) {
    const std::size_t start = out.Begin(kFormat);
    out.U16(id);
    out.U16(static_cast<std::uint32_t>(code.size()));
    out.U8(0);
    out.Chars(code, true);
    out.End(start);
}

// XF: a style XF (parent 0xFFF) or a cell XF whose parent is the Normal style.
void WriteXf(Stream& out, std::uint16_t font, std::uint16_t format, bool style, std::uint8_t used) {
    const std::size_t start = out.Begin(kXf);
    out.U16(font);
    out.U16(format);
    out.U16(style ? 0xFFF5 : 0x0001);
    out.U8(0x20);  // bottom-aligned, general horizontal alignment
    out.U8(0);
    out.U8(0);
    out.U8(used);
    out.Zeros(8);
    out.U16(0x20C0);  // pattern colours: system foreground and background
    out.End(start);
}

void WriteStyles(Stream& out) {
    for (std::uint16_t i = 0; i < 15; ++i) {
        const std::uint16_t font = i == 1 || i == 2 ? 1 : i == 3 || i == 4 ? 2 : 0;
        WriteXf(out, font, 0, true, i == 0 ? 0x00 : 0xF4);
    }
    WriteXf(out, 0, 0, false, 0x00);
    // Comma, Comma [0], Currency, Currency [0], Percent: the built-in styles
    // the spreadsheet program lists with every workbook.
    for (const std::uint16_t format : {0x2B, 0x29, 0x2C, 0x2A, 0x09}) WriteXf(out, 1, format, true, 0xF8);
    const std::pair<std::uint16_t, std::uint8_t> styles[] = {{16, 3}, {17, 6}, {18, 4}, {19, 7}, {0, 0}, {20, 5}};
    for (const auto& [xf, builtin] : styles) {
        const std::size_t start = out.Begin(kStyle);
        out.U16(0x8000 | xf);
        out.U8(builtin);
        out.U8(0xFF);
        out.End(start);
    }
}

void WriteWriteAccess(Stream& out) {
    const std::size_t start = out.Begin(kWriteAccess);
    const std::u16string user = u"Humichart";
    out.U16(static_cast<std::uint32_t>(user.size()));
    out.U8(0);
    out.Chars(user, true);
    while (out.bytes.size() - start - 4 < 112) out.U8(' ');
    out.End(start);
}

// SST with CONTINUE records where it outgrows one record, splitting a
// string's characters (never its header or one character) with the option
// flags repeated at the start of the continuation; then EXTSST, whose
// buckets point at every dsst-th string.
void WriteSst(Stream& out, const SharedStrings& strings) {
    const std::uint32_t count = static_cast<std::uint32_t>(strings.unique.size());
    const std::uint16_t perBucket = static_cast<std::uint16_t>(std::max<std::uint32_t>(8, (count + 127) / 128));
    std::vector<std::pair<std::uint32_t, std::uint16_t>> buckets;

    std::size_t record = out.Begin(kSst);
    out.U32(strings.total);
    out.U32(count);
    const auto room = [&] { return kMaxRecordData - (out.bytes.size() - record - 4); };
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::u16string& text = strings.unique[i];
        const bool compressed = Stream::Compressible(text);
        const std::size_t unit = compressed ? 1 : 2;
        if (room() < 3 + (text.empty() ? 0 : unit)) {
            out.End(record);
            record = out.Begin(kContinue);
        }
        if (i % perBucket == 0)
            buckets.emplace_back(static_cast<std::uint32_t>(out.bytes.size()),
                                 static_cast<std::uint16_t>(out.bytes.size() - record));
        out.U16(static_cast<std::uint32_t>(text.size()));
        out.U8(compressed ? 0 : 1);
        std::size_t done = 0;
        while (done < text.size()) {
            if (room() < unit) {
                out.End(record);
                record = out.Begin(kContinue);
                out.U8(compressed ? 0 : 1);
            }
            const std::size_t take = std::min(text.size() - done, room() / unit);
            out.Chars(text.substr(done, take), compressed);
            done += take;
        }
    }
    out.End(record);

    record = out.Begin(kExtSst);
    out.U16(perBucket);
    for (const auto& [position, offset] : buckets) {
        out.U32(position);
        out.U16(offset);
        out.U16(0);
    }
    out.End(record);
}

void WriteWorksheet(Stream& out, const Sheet& sheet, bool first, const SharedStrings& strings) {
    WriteBof(out, kWorksheetSubstream);
    out.Record(kCalcMode, {1});
    out.Record(kCalcCount, {100});
    out.Record(kRefMode, {1});
    out.Record(kIteration, {0});
    std::size_t start = out.Begin(kDelta);
    out.F64(0.001);
    out.End(start);
    out.Record(kSaveRecalc, {1});
    out.Record(kPrintHeaders, {0});
    out.Record(kPrintGridlines, {0});
    out.Record(kGridSet, {1});
    out.Record(kGuts, {0, 0, 0, 0});
    out.Record(kDefaultRowHeight, {0, 0x00FF});
    out.Record(kWsBool, {0x04C1});
    out.Record(kHeader, {});
    out.Record(kFooter, {});
    out.Record(kHCenter, {0});
    out.Record(kVCenter, {0});
    out.Record(kDefColWidth, {8});

    // Rows that hold a writable cell, with their first and last column.
    std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>> rows;
    std::uint32_t lastColumn = 0;
    for (const auto& [at, cell] : sheet.cells) {
        if (!Writable(at.first, at.second, cell)) continue;
        if (rows.empty() || std::get<0>(rows.back()) != at.first) rows.emplace_back(at.first, at.second, at.second);
        std::get<2>(rows.back()) = at.second;
        lastColumn = std::max(lastColumn, at.second);
    }
    start = out.Begin(kDimensions);
    out.U32(rows.empty() ? 0 : std::get<0>(rows.front()));
    out.U32(rows.empty() ? 0 : std::get<0>(rows.back()) + 1);
    out.U16(rows.empty() ? 0 : std::get<1>(*std::min_element(rows.begin(), rows.end(), [](auto& a, auto& b) {
        return std::get<1>(a) < std::get<1>(b);
    })));
    out.U16(rows.empty() ? 0 : lastColumn + 1);
    out.U16(0);
    out.End(start);

    // Blocks of up to 32 rows: their ROW records, then their cells.
    auto cell = sheet.cells.begin();
    for (std::size_t blockStart = 0; blockStart < rows.size();) {
        const std::uint32_t block = std::get<0>(rows[blockStart]) / 32;
        std::size_t blockEnd = blockStart;
        while (blockEnd < rows.size() && std::get<0>(rows[blockEnd]) / 32 == block) ++blockEnd;
        for (std::size_t r = blockStart; r < blockEnd; ++r) {
            start = out.Begin(kRow);
            out.U16(std::get<0>(rows[r]));
            out.U16(std::get<1>(rows[r]));
            out.U16(std::get<2>(rows[r]) + 1);
            out.U16(0x00FF);
            out.U16(0);
            out.U16(0);
            out.U32(0x000F0100);
            out.End(start);
        }
        const std::uint32_t endRow = std::get<0>(rows[blockEnd - 1]);
        for (; cell != sheet.cells.end() && cell->first.first <= endRow; ++cell) {
            const auto [row, column] = cell->first;
            const Cell& value = cell->second;
            if (!Writable(row, column, value)) continue;
            const bool number = value.kind == Cell::Kind::Number && std::isfinite(value.number);
            start = out.Begin(number ? kNumber : value.kind == Cell::Kind::Text ? kLabelSst : kBoolErr);
            out.U16(row);
            out.U16(column);
            out.U16(kDefaultCellXf);
            if (number) {
                out.F64(value.number);
            } else if (value.kind == Cell::Kind::Text) {
                out.U32(strings.Of(value.text));
            } else if (value.kind == Cell::Kind::Boolean) {
                out.U8(value.number != 0.0 ? 1 : 0);
                out.U8(0);
            } else if (value.kind == Cell::Kind::Error && value.number >= 0 && value.number < 256) {
                out.U8(static_cast<std::uint8_t>(value.number));
                out.U8(1);
            } else {
                out.U8(kErrorNum);
                out.U8(1);
            }
            out.End(start);
        }
        blockStart = blockEnd;
    }

    out.Record(kWindow2, {static_cast<std::uint16_t>(first ? 0x06B6 : 0x00B6), 0, 0, 0x40, 0, 0, 0, 0, 0});
    out.Record(kEof, {});
}

}  // namespace

std::vector<std::uint8_t> WriteBiff8(const Workbook& workbook) {
    const SharedStrings strings(workbook);
    Stream out;

    WriteBof(out, kGlobalsSubstream);
    out.Record(kInterfaceHdr, {1200});
    out.Record(kMms, {0});
    out.Record(kInterfaceEnd, {});
    WriteWriteAccess(out);
    out.Record(kCodePage, {1200});  // UTF-16
    out.Record(kDsf, {0});
    std::size_t start = out.Begin(kTabId);
    for (std::size_t i = 0; i < workbook.sheets.size(); ++i) out.U16(static_cast<std::uint32_t>(i + 1));
    out.End(start);
    out.Record(kFnGroupCount, {14});
    out.Record(kWindowProtect, {0});
    out.Record(kProtect, {0});
    out.Record(kPassword, {0});
    out.Record(kProt4Rev, {0});
    out.Record(kProt4RevPass, {0});
    out.Record(kWindow1, {0x0168, 0x001E, 0x3A5C, 0x2328, 0x0038, 0, 0, 1, 0x0258});
    out.Record(kBackup, {0});
    out.Record(kHideObj, {0});
    out.Record(kDateMode, {0});
    out.Record(kPrecision, {1});
    out.Record(kRefreshAll, {0});
    out.Record(kBookBool, {0});
    WriteFont(out, 400);
    WriteFont(out, 700);
    WriteFont(out, 400);
    WriteFont(out, 400);
    WriteFormat(out, 0x05, u"\"$\"#,##0_);\\(\"$\"#,##0\\)");
    WriteFormat(out, 0x06, u"\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)");
    WriteFormat(out, 0x07, u"\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)");
    WriteFormat(out, 0x08, u"\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)");
    WriteFormat(out, 0x2A, u"_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)");
    WriteFormat(out, 0x29, u"_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)");
    WriteFormat(out, 0x2C, u"_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)");
    WriteFormat(out, 0x2B, u"_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)");
    WriteStyles(out);
    out.Record(kUsesElfs, {0});

    std::vector<std::size_t> offsetFields;
    for (const Sheet& sheet : workbook.sheets) {
        start = out.Begin(kBoundSheet);
        offsetFields.push_back(out.bytes.size());
        out.U32(0);  // the sheet's BOF, known once the globals end
        out.U8(0);   // visible
        out.U8(0);   // worksheet
        out.ShortString(Cut(ToUtf16(sheet.name), kBiff8MaxSheetName));
        out.End(start);
    }
    out.Record(kCountry, {1, 1});
    WriteSst(out, strings);
    out.Record(kEof, {});

    for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
        const auto offset = static_cast<std::uint32_t>(out.bytes.size());
        for (int b = 0; b < 4; ++b) out.bytes[offsetFields[i] + b] = static_cast<std::uint8_t>(offset >> (8 * b));
        WriteWorksheet(out, workbook.sheets[i], i == 0, strings);
    }
    if (out.bytes.size() < 4096) out.Zeros(4096 - out.bytes.size());
    return std::move(out.bytes);
}

}  // namespace humichart
