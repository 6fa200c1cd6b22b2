// Workbooks saved by real spreadsheet software (LibreOffice Calc, xlwt,
// SheetJS; scripts/make_xls_fixtures.sh) read with the cells that the cases
// put in them.
#include <gtest/gtest.h>

#include <filesystem>

#include "ExchangeTestSupport.h"
#include "WorkbookFile.h"

namespace humichart::test {
namespace {

TEST(Fixtures, EveryWorkbookSavedBySpreadsheetProgramsReadsWithItsCells) {
    const std::filesystem::path root(XLS_FIXTURES);
    int files = 0;
    for (const char* maker : {"libreoffice", "xlwt", "sheetjs"}) {
        for (const auto& entry : std::filesystem::directory_iterator(root / maker)) {
            if (entry.path().extension() != ".xls") continue;
            SCOPED_TRACE(entry.path().string());
            ++files;
            Workbook workbook;
            std::wstring error;
            ASSERT_TRUE(LoadWorkbookFile(entry.path().wstring(), workbook, error)) << Escaped(error);
            const std::vector<std::uint8_t> expected = ReadAll(root / entry.path().stem().concat(".expected"));
            EXPECT_EQ(Dump(workbook), std::string(expected.begin(), expected.end()));
        }
    }
    EXPECT_EQ(files, 25);
}

}  // namespace
}  // namespace humichart::test
