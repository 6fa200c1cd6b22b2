// Workbooks saved by LibreOffice Calc, xlwt and SheetJS in the chart's layout
// (tests/data/xls, made by scripts/make_xls_fixtures.sh), imported by the
// client through the built-in engine as a user would import them.
#include "CChartView.h"
#include "ExchangeTestSupport.h"

namespace humichart::test {
namespace {

struct FixtureCase {
    const char* file;
    CExchangeClient::Outcome outcome;
    double pressure, minT, maxT, minD, maxD;
    std::vector<StatePoint> points;  // the first ones, in order
    std::size_t pointCount;
    const wchar_t* failure;          // the Exception's description
};

// Files a user made by hand keep their quirks (a point on an empty row's
// far side, a point above saturation): those are refused whole, with the
// row named; the working copy stays as it was.
TEST_F(ExchangeTest, WorkbooksSavedBySpreadsheetProgramsImport) {
    using O = CExchangeClient::Outcome;
    const FixtureCase cases[] = {
        {"basic", O::Refused, 0, 0, 0, 0, 0, {}, 0,
         L"Points table, row 6: it holds data below row 5, whose empty name ends the table."},
        {"f3_number_as_text", O::Refused, 0, 0, 0, 0, 0, {}, 0,
         L"Points table, row 3: the state I = 12.5 kJ/kg, D = 8 g/kg lies above saturation."},
        {"f3_word", O::Failed, 0, 0, 0, 0, 0, {}, 0, L"Cell F4 holds text that is not a number"},
        {"point_named_1", O::Done, 101325, -10, 50, 0, 30, {{40, 8, L"1"}, {45, 9, L"12.5"}}, 2, nullptr},
        {"pressure_50000_swapped_bounds", O::Done, 50000, -10, 40, 5, 25, {{40, 8, L"A"}}, 1, nullptr},
        {"several_sheets", O::Done, 101325, -10, 50, 0, 30, {{40, 8, L"A"}}, 1, nullptr},
        // Read whole (every long shared string), then refused: the table
        // climbs far above saturation.
        {"long_shared_strings", O::Refused, 0, 0, 0, 0, 0, {}, 0, L"lies above saturation."},
        {"formulas", O::Done, 101325, -10, 50, 0, 30, {{40, 8, L"P1"}}, 1, nullptr},
        {"missing_sheet", O::MissingSheet, 0, 0, 0, 0, 0, {}, 0, L"Missing sheet named as Humichart."},
    };
    int imported = 0;
    for (const wchar_t* producer : {L"libreoffice", L"xlwt", L"sheetjs"}) {
        for (const FixtureCase& c : cases) {
            const std::wstring path = std::wstring(DATAIO_FIXTURES_DIR) + L"\\" + producer + L"\\" +
                                      std::wstring(c.file, c.file + strlen(c.file)) + L".xls";
            if (!std::filesystem::exists(path)) continue;  // formulas: LibreOffice only
            SCOPED_TRACE(std::string(c.file) + " by " + std::string(producer, producer + wcslen(producer)));
            ++imported;
            messages.clear();
            CHumichartDataObj target;
            target.points = {{1, 1, L"old"}};
            const CHumichartDataObj before = target;
            CExchangeClient client = Client();
            EXPECT_EQ(client.ImportFrom(nullptr, path, target, calc), c.outcome);
            if (c.outcome != O::Done) {
                EXPECT_TRUE(SameData(target, before));
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_NE(messages[0].text.find(c.failure), std::wstring::npos)
                    << std::string(messages[0].text.begin(), messages[0].text.end());
                continue;
            }
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(target.airPressure, c.pressure);
            const ChartRange range = CChartView(target).GetRange();
            EXPECT_NEAR(range.minT, c.minT, 1e-9);
            EXPECT_NEAR(range.maxT, c.maxT, 1e-9);
            EXPECT_EQ(range.minD, c.minD);
            EXPECT_EQ(range.maxD, c.maxD);
            ASSERT_EQ(target.points.size(), c.pointCount);
            for (std::size_t i = 0; i < c.points.size(); ++i) {
                EXPECT_EQ(target.points[i].name, c.points[i].name);
                EXPECT_EQ(target.points[i].I, c.points[i].I);
                EXPECT_EQ(target.points[i].D, c.points[i].D);
            }
        }
    }
    EXPECT_EQ(imported, 3 * 8 + 1);
}

}  // namespace
}  // namespace humichart::test
