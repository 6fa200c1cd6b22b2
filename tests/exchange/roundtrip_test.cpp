// What we write reads back as it was: through our own reader here, in both
// builds; through xlrd and LibreOffice in independent_readers_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Biff8.h"
#include "SampleWorkbooks.h"
#include "WorkbookFile.h"

namespace humichart::test {
namespace {

TEST(Biff8RoundTrip, EverySampleReadsBackCellForCellThroughTheFile) {
    ScratchDir dir;
    for (const NamedWorkbook& sample : SampleWorkbooks()) {
        SCOPED_TRACE(sample.name);
        const std::vector<std::uint8_t> stream = WriteBiff8(sample.workbook);
        EXPECT_GE(stream.size(), 4096u);
        Workbook read;
        std::wstring error;
        ASSERT_TRUE(ReadBiff8(stream.data(), stream.size(), read, error)) << Escaped(error);
        EXPECT_EQ(Dump(read), Dump(sample.workbook));

        const std::wstring path = dir.path().wstring() + L"/湿 sample.xls";
        ASSERT_TRUE(SaveWorkbookFile(path, sample.workbook, error)) << Escaped(error);
        Workbook loaded;
        ASSERT_TRUE(LoadWorkbookFile(path, loaded, error)) << Escaped(error);
        EXPECT_EQ(Dump(loaded), Dump(sample.workbook));
    }
}

// What BIFF8 cannot hold is cut, left out or turned into #NUM!, never
// written as a record that no reader takes.
TEST(Biff8RoundTrip, WhatTheFormatCannotHoldIsCutOrLeftOut) {
    Workbook workbook;
    Sheet& sheet = workbook.sheets.emplace_back(Sheet{std::wstring(40, L'n'), {}});
    sheet.cells[{0, 0}] = Num(std::numeric_limits<double>::quiet_NaN());
    sheet.cells[{0, 1}] = Num(-std::numeric_limits<double>::infinity());
    sheet.cells[{0, 2}] = Txt(std::wstring(40000, L'y'));
    sheet.cells[{0, 3}] = Txt(std::wstring(32766, L'y') + L"\U0001F600");
    sheet.cells[{0, 4}] = Cell{};
    sheet.cells[{65536, 0}] = Num(1);
    sheet.cells[{0, 256}] = Num(1);

    const std::vector<std::uint8_t> stream = WriteBiff8(workbook);
    Workbook read;
    std::wstring error;
    ASSERT_TRUE(ReadBiff8(stream.data(), stream.size(), read, error));
    Workbook expected;
    Sheet& want = expected.sheets.emplace_back(Sheet{std::wstring(31, L'n'), {}});
    want.cells[{0, 0}] = Err(0x24);
    want.cells[{0, 1}] = Err(0x24);
    want.cells[{0, 2}] = Txt(std::wstring(32767, L'y'));
    want.cells[{0, 3}] = Txt(std::wstring(32766, L'y'));  // never half a surrogate pair
    EXPECT_EQ(Dump(read), Dump(expected));
}

TEST(GeneralText, ShowsNumbersAsTheSpreadsheetDoesInAStandardCell) {
    const std::pair<double, const wchar_t*> cases[] = {
        {0, L"0"}, {-0.0, L"0"}, {1, L"1"}, {12.5, L"12.5"}, {-12.5, L"-12.5"}, {101325, L"101325"},
        {1.0 / 3, L"0.333333333"}, {-1.0 / 3, L"-0.33333333"}, {2.0 / 3, L"0.666666667"},
        {12345678901.0, L"12345678901"}, {99999999999.4, L"99999999999"}, {123456789012.0, L"1.23457E+11"},
        {-123456789012.0, L"-1.2346E+11"}, {1e100, L"1E+100"}, {1.5e-300, L"1.5E-300"},
        {0.0001234, L"0.0001234"}, {0.0001, L"0.0001"}, {0.00001, L"1E-05"}, {0.0000123456789, L"1.23457E-05"},
        {1234567.891, L"1234567.891"}, {1234567890.12, L"1234567890"}, {0.1 + 0.2, L"0.3"},
        {std::numeric_limits<double>::quiet_NaN(), L"#NUM!"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(GeneralText(value), text) << value;
}

}  // namespace
}  // namespace humichart::test
