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

TEST_F(ExchangeTest, WorkbooksSavedBySpreadsheetProgramsImport) {
    using O = CExchangeClient::Outcome;
    const FixtureCase cases[] = {
        {"basic", O::Done, 101325, -10, 50, 0, 30, {{40.5, 8.25, L"A"}, {60, 12.5, L"B"}}, 2, nullptr},
        {"f3_number_as_text", O::Done, 101325, -10, 50, 0, 30, {{12.5, 8, L"A"}}, 1, nullptr},
        {"f3_word", O::Failed, 101325, -10, 50, 0, 30, {{40, 8, L"A"}}, 1, L"Cell F4 holds text that is not a number"},
        {"point_named_1", O::Done, 101325, -10, 50, 0, 30, {{40, 8, L"1"}, {45, 9, L"12.5"}}, 2, nullptr},
        {"pressure_50000_swapped_bounds", O::Done, 50000, -10, 40, 5, 25, {{40, 8, L"A"}}, 1, nullptr},
        {"several_sheets", O::Done, 101325, -10, 50, 0, 30, {{40, 8, L"A"}}, 1, nullptr},
        {"long_shared_strings", O::Done, 101325, -10, 50, 0, 30,
         {{20, 5, L"送风状态点 0000 湿空气"}, {20.25, 5.5, L"Supply air point 0001 after the cooling coil"}}, 1500, nullptr},
        {"formulas", O::Done, 101325, -10, 50, 0, 30, {{40, 8, L"P1"}}, 1, nullptr},
        {"missing_sheet", O::MissingSheet, 101325, -30, 65, 0, 42, {{1, 1, L"old"}}, 1, nullptr},
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
            CExchangeClient client = Client();
            EXPECT_EQ(client.ImportFrom(nullptr, path, target, nullptr), c.outcome);
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
            if (std::string(c.file) == "basic") {
                ASSERT_EQ(target.processes.size(), 1u);
                EXPECT_EQ(target.processes[0].name, L"Cooling coil");  // rich text in LibreOffice's file
                EXPECT_EQ(target.processes[0].dAirFlow, 1500.0);
                ASSERT_EQ(target.mixes.size(), 1u);
                EXPECT_EQ(target.mixes[0].ptMix, L"M");
                EXPECT_EQ(target.mixes[0].dAirFlow, 2000.0);
                EXPECT_EQ(target.mixes[0].dFreshAirFlow, 500.0);
            }
            if (c.failure) {
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_NE(messages[0].text.find(c.failure), std::wstring::npos);
            } else {
                EXPECT_EQ(messages.size(), c.outcome == O::Done ? 0u : 1u);
            }
        }
    }
    EXPECT_EQ(imported, 3 * 8 + 1);
}

}  // namespace
}  // namespace humichart::test
