// The records and string forms of BIFF8 that real programs write, each put
// together by hand where no fixture program happens to write it: shared
// strings with rich-text and phonetic runs split over CONTINUE records with
// a change of character width, LABEL, RK and MULRK in all their encodings,
// cached FORMULA results of every kind, blanks, and substreams that are not
// worksheets.
#include <gtest/gtest.h>

#include <limits>

#include "Biff8.h"
#include "Biff8Builder.h"
#include "ExchangeTestSupport.h"

namespace humichart::test {
namespace {

TEST(Biff8Records, EveryKindOfCellRecordAndStringFormReads) {
    StreamBuilder s;
    s.Bof(0x0005);
    const std::size_t first = s.BoundSheet("Data");
    const std::size_t chart = s.BoundSheet("Chart1", 2);
    const std::size_t macro = s.BoundSheet("Macro1", 1);
    const std::size_t second = s.BoundSheet("Zwei");
    // SST: "Plain"; "Rich" with two runs and phonetic data; a text begun in
    // one byte per character and continued in UTF-16; a UTF-16 text whose
    // run lies across the last boundary.
    s.Record(0x00FC, Bytes().U32(4).U32(4)
                         .U16(5).U8(0).Latin1("Plain")
                         .U16(4).U8(0x0C).U16(2).U32(10).Latin1("Rich").U32(0).U32(0x00010002).U32(1).U32(2).U16(3)
                         .U16(10).U8(0).Latin1("Split"));
    s.Record(0x003C, Bytes().U8(1).Wide(u"湿空气OK").U16(3).U8(0x09).U16(1).Wide(u"温度X").U16(0));
    s.Record(0x003C, Bytes().U16(5));
    s.Eof();

    s.PlaceSheet(first);
    s.Bof(0x0010);
    for (std::uint32_t i = 0; i < 4; ++i) s.Record(0x00FD, Bytes().Cell(0, i).U32(i));
    s.Record(0x0204, Bytes().Cell(1, 0).U16(2).U8(1).Wide(u"Ü湿"));
    s.Record(0x027E, Bytes().Cell(2, 0).U32(Rk(7)));
    s.Record(0x027E, Bytes().Cell(2, 1).U32(Rk(1250) | 1));
    s.Record(0x027E, Bytes().Cell(2, 2).U32(0x40F8BCD0));
    s.Record(0x027E, Bytes().Cell(2, 3).U32(Rk(-5)));
    s.Record(0x027E, Bytes().Cell(2, 4).U32(0x3FF00000 | 1));  // 1.0 / 100
    s.Record(0x00BD, Bytes().U16(3).U16(1).U16(15).U32(Rk(1)).U16(15).U32(Rk(2)).U16(15).U32(Rk(3)).U16(3));
    s.Record(0x0203, Bytes().Cell(4, 0).U32(0).U32(0x7FF80000));
    s.Record(0x0203, Bytes().Cell(4, 1).F64(std::numeric_limits<double>::infinity()));
    s.Record(0x0201, Bytes().Cell(5, 0));
    s.Record(0x00BE, Bytes().U16(5).U16(1).U16(15).U16(15).U16(15).U16(3));
    s.Record(0x0205, Bytes().Cell(6, 0).U8(1).U8(0));
    s.Record(0x0205, Bytes().Cell(6, 1).U8(0x07).U8(1));
    const auto formula = [&](std::uint32_t column, const Bytes& result) {
        s.Record(0x0006, Bytes().Cell(7, column).Add(result).U16(0).U32(0).U16(0));
    };
    formula(0, Bytes().F64(2.5));
    formula(1, Bytes().U8(0).U8(0).U32(0).U16(0xFFFF));
    s.Record(0x04BC, Bytes().U32(0).U16(0));  // a shared formula before the cached text
    s.Record(0x0207, Bytes().U16(12).U8(0).Latin1("formula"));
    s.Record(0x003C, Bytes().U8(1).Wide(u" text"));
    formula(2, Bytes().U8(1).U8(0).U8(1).U8(0).U16(0).U16(0xFFFF));
    formula(3, Bytes().U8(2).U8(0).U8(0x2A).U8(0).U16(0).U16(0xFFFF));
    formula(4, Bytes().U8(3).U8(0).U32(0).U16(0xFFFF));
    s.Bof(0x0020);  // a chart embedded in the sheet, with cells of its own
    s.Record(0x0203, Bytes().Cell(9, 9).F64(99));
    s.Eof();
    s.Eof();

    s.PlaceSheet(chart);
    s.Bof(0x0020);
    s.Eof();
    s.PlaceSheet(macro);
    s.Bof(0x0040);
    s.Eof();
    s.PlaceSheet(second);
    s.Bof(0x0010);
    s.Record(0x0203, Bytes().Cell(0, 0).F64(1));
    s.Eof();

    Workbook expected;
    Sheet& data = expected.sheets.emplace_back(Sheet{L"Data", {}});
    data.cells[{0, 0}] = Txt(L"Plain");
    data.cells[{0, 1}] = Txt(L"Rich");
    data.cells[{0, 2}] = Txt(L"Split湿空气OK");
    data.cells[{0, 3}] = Txt(L"温度X");
    data.cells[{1, 0}] = Txt(L"Ü湿");
    for (const auto& [column, value] : {std::pair{0u, 7.0}, {1u, 12.5}, {2u, 101325.0}, {3u, -5.0}, {4u, 0.01}})
        data.cells[{2, column}] = Num(value);
    for (std::uint32_t i = 1; i <= 3; ++i) data.cells[{3, i}] = Num(i);
    // Kept as they are: refusing them is the business of whoever converts.
    data.cells[{4, 0}] = Num(std::numeric_limits<double>::quiet_NaN());
    data.cells[{4, 1}] = Num(std::numeric_limits<double>::infinity());
    data.cells[{6, 0}] = Bool(true);
    data.cells[{6, 1}] = Err(0x07);
    data.cells[{7, 0}] = Num(2.5);
    data.cells[{7, 1}] = Txt(L"formula text");
    data.cells[{7, 2}] = Bool(true);
    data.cells[{7, 3}] = Err(0x2A);
    data.cells[{7, 4}] = Txt(L"");
    expected.sheets.push_back(Sheet{L"Zwei", {{{0, 0}, Num(1)}}});

    Workbook read;
    std::wstring error;
    ASSERT_TRUE(ReadBiff8(s.bytes.data(), s.bytes.size(), read, error)) << Escaped(error);
    EXPECT_EQ(Dump(read), Dump(expected));
}

}  // namespace
}  // namespace humichart::test
