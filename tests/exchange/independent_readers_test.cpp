// Every workbook we write, read by programs that are not ours: xlrd, and
// LibreOffice Calc where it is installed. And the fixtures' expected cells,
// checked against xlrd too, so that they do not merely restate our reader.
#include <gtest/gtest.h>

#include <cstdlib>

#include "SampleWorkbooks.h"
#include "WorkbookFile.h"

namespace humichart::test {
namespace {

// Debian's Python modules load in this interpreter, whatever is first on PATH.
const char kPython[] = "/usr/bin/python3";

std::string XlrdDump(const std::filesystem::path& file) {
    return test::Run(std::string(kPython) + " " + XLRD_DUMP + " '" + file.string() + "' 2>&1");
}

TEST(IndependentReaders, XlrdReadsEveryCellWeWrite) {
    ScratchDir dir;
    for (const NamedWorkbook& sample : SampleWorkbooks()) {
        SCOPED_TRACE(sample.name);
        const std::filesystem::path path = dir.path() / "sample.xls";
        std::wstring error;
        ASSERT_TRUE(SaveWorkbookFile(path.wstring(), sample.workbook, error));
        EXPECT_EQ(XlrdDump(path), Dump(sample.workbook));
    }
}

TEST(IndependentReaders, XlrdFindsTheFixturesExpectedCells) {
    const std::filesystem::path root(XLS_FIXTURES);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".xls") continue;
        SCOPED_TRACE(entry.path().string());
        const std::vector<std::uint8_t> expected = ReadAll(root / entry.path().stem().concat(".expected"));
        EXPECT_EQ(XlrdDump(entry.path()), std::string(expected.begin(), expected.end()));
    }
}

// One CSV line per row as LibreOffice writes it: texts as they are, numbers
// in full precision, empty cells empty.
std::vector<std::string> CsvRows(const Sheet& sheet) {
    std::vector<std::string> rows;
    std::uint32_t columns = 0;
    for (const auto& [at, cell] : sheet.cells) columns = std::max(columns, at.second + 1);
    for (const auto& [at, cell] : sheet.cells) {
        if (rows.size() <= at.first) rows.resize(at.first + 1, std::string(columns ? columns - 1 : 0, ','));
    }
    for (std::uint32_t row = 0; row < rows.size(); ++row) {
        std::string line;
        for (std::uint32_t column = 0; column < columns; ++column) {
            if (column) line += ',';
            const Cell* cell = sheet.Find(row, column);
            if (!cell) continue;
            if (cell->kind == Cell::Kind::Text) {
                std::string utf8;
                for (const wchar_t c : cell->text) {
                    const auto code = static_cast<std::uint32_t>(c);
                    if (code < 0x80) utf8 += static_cast<char>(code);
                    else if (code < 0x800) utf8 += {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
                    else utf8 += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
                                  static_cast<char>(0x80 | (code & 0x3F))};
                }
                line += utf8;
            } else {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%.15g", cell->number);
                line += buffer;
            }
        }
        rows[row] = line;
    }
    return rows;
}

TEST(IndependentReaders, LibreOfficeOpensWhatWeWriteWithEveryCell) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the check that it opens our files is skipped";
    ScratchDir dir;
    Workbook workbook;
    workbook.sheets.push_back(Sheet{L"Notes", {{{0, 0}, Txt(L"Exported by Humichart")}, {{2, 3}, Num(-0.125)}}});
    workbook.sheets.push_back(ChartLayoutSheet(40));
    workbook.sheets.push_back(SampleWorkbooks()[3].workbook.sheets[0]);  // shared strings in CONTINUE records
    const std::filesystem::path path = dir.path() / "export.xls";
    std::wstring error;
    ASSERT_TRUE(SaveWorkbookFile(path.wstring(), workbook, error));
    // Every sheet to a CSV file of its own (sheet -1), in UTF-8, numbers as stored.
    const std::string command = "cd '" + dir.path().string() + "' && soffice -env:UserInstallation=file://" +
                                dir.path().string() + "/profile --headless --convert-to "
                                "'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' "
                                "export.xls >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const Sheet& sheet : workbook.sheets) {
        SCOPED_TRACE(Escaped(sheet.name));
        const std::vector<std::uint8_t> bytes = ReadAll(dir.path() / ("export-" + Escaped(sheet.name) + ".csv"));
        std::string expected;
        for (const std::string& row : CsvRows(sheet)) expected += row + "\n";
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    }
}

}  // namespace
}  // namespace humichart::test
