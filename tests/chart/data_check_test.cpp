// The one check of a chart's data: a sound chart passes, and each way of
// breaking it is found, at the record that breaks it, and told in words that
// name the row of a workbook or the record of a chart.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "../chart/CountingCalcBinding.h"
#include "ChartDataCheck.h"
#include "../../resources/DataCheckResource.h"
#include "DataFaultText.h"

namespace humichart {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// An air-handling unit: outdoor and room air mixed, the mix cooled to the
// supply state, the supply taking up the room's loads.
CHumichartDataObj SoundChart() {
    CHumichartDataObj data;
    data.points = {{90, 21, L"Outdoor"}, {50, 10, L"Room"}, {40, 9, L"Supply"}, {0, 0, L"Mixed"}, {45, 8, L""}};
    data.processes = {{L"Mixed", L"Supply", L"Cooling", 12000}, {L"Supply", L"Room", L"", 12000}};
    data.mixes = {{L"Outdoor", L"Room", L"Mixed", L"AHU", 2400, 12000}};
    data.cssrRegion = {26, 22, 12, 8};
    return data;
}

struct Breakage {
    const char* label;
    std::function<void(CHumichartDataObj&)> breakIt;
    DataRule rule;
    DataList list;
    std::size_t index;
};

TEST(ChartDataCheck, FindsEveryWayOfBreakingASoundChartAtItsRecord) {
    test::CountingCalcBinding calc;
    ASSERT_FALSE(CheckChartData(SoundChart(), calc).has_value());

    const Breakage cases[] = {
        {"pressure below the domain", [](auto& d) { d.airPressure = 5000; }, DataRule::Pressure, DataList::None, 0},
        {"pressure not a number", [](auto& d) { d.airPressure = kNaN; }, DataRule::Pressure, DataList::None, 0},
        {"temperature range of no width", [](auto& d) { d.viewRange.Ymax = d.viewRange.Ymin; },
         DataRule::TemperatureRange, DataList::None, 0},
        {"temperature beyond 200", [](auto& d) { d.viewRange.Ymax = 1.005 * 250; }, DataRule::TemperatureRange,
         DataList::None, 0},
        {"humidity range half a g/kg wide", [](auto& d) { d.viewRange.Dmax = d.viewRange.Dmin + 0.5; },
         DataRule::HumidityRange, DataList::None, 0},
        {"flag neither 0 nor 1", [](auto& d) { d.HasBorder = 5; }, DataRule::Flag, DataList::None, 0},
        {"point far beyond the chart", [](auto& d) { d.points[2] = {1e6, 1e6, L"Supply"}; }, DataRule::PointOutside,
         DataList::Points, 2},
        {"point of negative humidity", [](auto& d) { d.points[1] = {-500, -20, L"Room"}; }, DataRule::PointOutside,
         DataList::Points, 1},
        {"point colder than the chart", [](auto& d) { d.points[4] = {-120, 0, L""}; }, DataRule::PointOutside,
         DataList::Points, 4},
        {"point not a number", [](auto& d) { d.points[4].I = kNaN; }, DataRule::PointNotFinite, DataList::Points, 4},
        {"point in the fog", [](auto& d) { d.points[1].D = 20; }, DataRule::PointAboveSaturation, DataList::Points, 1},
        {"two points of one name", [](auto& d) { d.points[4].name = L"Room"; }, DataRule::PointNameRepeated,
         DataList::Points, 4},
        {"process to a point that went", [](auto& d) { d.points.erase(d.points.begin() + 2); },
         DataRule::ProcessNoPoint, DataList::Processes, 0},
        {"process without an end", [](auto& d) { d.processes[1].ptEnd.clear(); }, DataRule::ProcessNoPoint,
         DataList::Processes, 1},
        {"process names differ only in case", [](auto& d) { d.processes[1].ptEnd = L"room"; },
         DataRule::ProcessNoPoint, DataList::Processes, 1},
        {"process from a point to itself", [](auto& d) { d.processes[1].ptEnd = L"Supply"; },
         DataRule::ProcessSamePoint, DataList::Processes, 1},
        {"process flow infinite", [](auto& d) { d.processes[0].dAirFlow = kInf; }, DataRule::ProcessFlow,
         DataList::Processes, 0},
        {"the same two points joined twice", [](auto& d) { d.processes.push_back({L"Room", L"Supply", L"back", 1}); },
         DataRule::ProcessRepeated, DataList::Processes, 2},
        {"mix of a point that went", [](auto& d) { d.points.erase(d.points.begin()); }, DataRule::MixNoPoint,
         DataList::Mixes, 0},
        {"mix of a point with itself", [](auto& d) { d.mixes[0].ptFresh = L"Room"; }, DataRule::MixSamePoint,
         DataList::Mixes, 0},
        {"mix flow not a number", [](auto& d) { d.mixes[0].dFreshAirFlow = kNaN; }, DataRule::MixFlow,
         DataList::Mixes, 0},
        {"the same two points mixed twice",
         [](auto& d) {
             d.points.push_back({0, 0, L"Mixed2"});
             d.mixes.push_back({L"Room", L"Outdoor", L"Mixed2", L"", 1, 2});
         },
         DataRule::MixRepeated, DataList::Mixes, 1},
        {"two mixes writing one point",
         [](auto& d) { d.mixes.push_back({L"Outdoor", L"Supply", L"Mixed", L"", 1, 2}); }, DataRule::MixPointShared,
         DataList::Mixes, 1},
        {"mix into its own return point", [](auto& d) { d.mixes[0].ptMix = L"Room"; }, DataRule::MixFeedsItself,
         DataList::Mixes, 0},
        {"two mixes feeding each other",
         [](auto& d) {
             d.points.push_back({0, 0, L"Mixed2"});
             d.mixes[0].ptReturn = L"Mixed2";
             d.mixes.push_back({L"Mixed", L"Supply", L"Mixed2", L"", 1, 2});
         },
         DataRule::MixFeedsItself, DataList::Mixes, 0},
        {"CSSR humidity above saturation", [](auto& d) { d.cssrRegion.maxD = 30; }, DataRule::Cssr, DataList::None, 0},
        {"CSSR beyond the chart", [](auto& d) { d.cssrRegion.maxT = 300; }, DataRule::Cssr, DataList::None, 0},
    };
    for (const Breakage& c : cases) {
        SCOPED_TRACE(c.label);
        CHumichartDataObj data = SoundChart();
        c.breakIt(data);
        const auto fault = CheckChartData(data, calc);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->rule, c.rule);
        EXPECT_EQ(fault->list, c.list);
        EXPECT_EQ(fault->index, c.index);
    }

    // A mix point is the chart's to place and may lie in the fog; without a
    // calculator nothing can be said of saturation.
    CHumichartDataObj fog = SoundChart();
    fog.points[3] = {50, 20, L"Mixed"};
    EXPECT_FALSE(CheckChartData(fog, calc).has_value());
    calc.openStatus = static_cast<Status>(0x80040154u);
    const auto fault = CheckChartData(fog, calc);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->rule, DataRule::Calculator);
    EXPECT_EQ(fault->status, calc.openStatus);
}

TEST(ChartDataCheck, TellsTheRowOfAWorkbookAndTheRecordOfAChart) {
    test::CountingCalcBinding calc;
    CHumichartDataObj data = SoundChart();
    data.points[2] = {1e6, 1e6, L"Supply"};
    auto fault = CheckChartData(data, calc);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(ImportRefusalText(*fault),
              L"Points table, row 5: the state I = 1e+06 kJ/kg, D = 1e+06 g/kg lies beyond the chart "
              L"(-100 to 200 \u2103, 0 to 500 g/kg).\n\nNothing was imported.");
    EXPECT_EQ(DataFaultText(*fault, FaultPlace::Chart),
              L"Point \"Supply\": the state I = 1e+06 kJ/kg, D = 1e+06 g/kg lies beyond the chart "
              L"(-100 to 200 \u2103, 0 to 500 g/kg).");

    data = SoundChart();
    data.mixes[0].ptMix = L"Room";
    fault = CheckChartData(data, calc);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(DataFaultText(*fault, FaultPlace::Chart),
              L"Mix \"AHU\" (of \"Outdoor\" and \"Room\" into \"Room\"): its mix point \"Room\" feeds its own mix, so "
              L"it would never stay in place.");
    // The interface's own table wins over the English text.
    const TextSource chinese = [](int id) { return id == IDS_CHECK_AT_MIX_ROW ? std::wstring(L"混和过程线表第%1行") : L""; };
    EXPECT_EQ(DataFaultText(*fault, FaultPlace::Workbook, chinese).rfind(L"混和过程线表第3行: ", 0), 0u);

    data = SoundChart();
    data.airPressure = 5000;
    fault = CheckChartData(data, calc);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(DataFaultText(*fault, FaultPlace::Workbook),
              L"Cell C3: the air pressure 5000 Pa lies outside 50000 to 1560000 Pa.");
}

}  // namespace
}  // namespace humichart
