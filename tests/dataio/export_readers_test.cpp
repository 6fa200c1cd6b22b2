// An export through the client and the built-in engine, left in the build
// tree with the cells it must hold in the form of xlrd_dump.py, for the
// independent reader that the test script runs next (see CMakeLists.txt).
#include <fstream>

#include "../exchange/ExchangeTestSupport.h"
#include "CChartView.h"
#include "ExchangeTestSupport.h"
#include "SheetLayout.h"

namespace humichart::test {
namespace {

TEST_F(ExchangeTest, DISABLED_ExportForIndependentReaders) {
    CHumichartDataObj chart;
    chart.airPressure = 95123.25;
    CChartView(chart).SetRange(-12.5, 41.0, 0.5, 28.0);
    chart.points = {{50.125, 10.0625, L"A"}, {30.0, 5.0, L""}, {44.0, 9.5, L"送风点"}, {1.0 / 3.0, 1e-300, L"1"}};
    chart.processes = {{L"A", L"", L"冷却", 1200.0}, {L"A", L"1", L"", 7.0}};
    chart.mixes = {{L"A", L"送风点", L"M", L"新风混合", 300.0, 1000.0}};

    const std::filesystem::path out(DATAIO_EXPORT_DIR);
    CExchangeClient client = Client();
    ASSERT_EQ(client.ExportTo(nullptr, (out / "exported.xls").wstring(), chart), CExchangeClient::Outcome::Done);

    Workbook expected;
    expected.sheets.push_back({L"Humichart", {}});
    for (const SheetCellWrite& cell : ExportCells(chart)) {
        unsigned row = 0, column = 0;
        ASSERT_TRUE(ParseCellAddress(cell.address, row, column));
        if (cell.isText && cell.text.empty()) continue;  // an empty text leaves the cell empty
        expected.sheets[0].cells[{row, column}] = cell.isText ? Txt(cell.text) : Num(cell.number);
    }
    std::ofstream(out / "exported.expected", std::ios::binary) << Dump(expected);
}

}  // namespace
}  // namespace humichart::test
