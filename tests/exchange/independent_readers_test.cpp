// Every workbook we write, read by programs that are not ours: xlrd, and
// LibreOffice Calc where it is installed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "SampleWorkbooks.h"
#include "WorkbookFile.h"

namespace humichart::test {
namespace {

// Debian's Python modules load in this interpreter, whatever is first on PATH.
const char kPython[] = "/usr/bin/python3";

TEST(IndependentReaders, XlrdReadsEveryCellWeWrite) {
    ScratchDir dir;
    for (const NamedWorkbook& sample : SampleWorkbooks()) {
        SCOPED_TRACE(sample.name);
        const std::filesystem::path path = dir.path() / "sample.xls";
        std::wstring error;
        ASSERT_TRUE(SaveWorkbookFile(path.wstring(), sample.workbook, error));
        EXPECT_EQ(test::Run(std::string(kPython) + " " + XLRD_DUMP + " '" + path.string() + "' 2>&1"), Dump(sample.workbook));
    }
}

}  // namespace
}  // namespace humichart::test
