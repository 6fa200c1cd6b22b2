// The control's data methods on a data object, with the calculator core
// behind the seam: a calculator that fails leaves everything as it was.
#include <gtest/gtest.h>

#include <functional>

#include "../chart/CountingCalcBinding.h"
#include "CChartDataCommands.h"
#include "CSlotFileCodec.h"
#include "ChartDataCheck.h"

namespace humichart {
namespace {

class ChartDataCommandsTest : public ::testing::Test {
protected:
    CHumichartDataObj data;
    test::CountingCalcBinding calc;
    CChartDataCommands commands{data, calc};
};

TEST_F(ChartDataCommandsTest, ACalculatorThatFailsReportsItsStatusAndChangesNothing) {
    data.points = {{40, 5, L"A"}};
    calc.openStatus = static_cast<Status>(0x80040154u);  // class not registered
    EXPECT_EQ(commands.AddPoint(40, 6, L"A"), calc.openStatus);
    EXPECT_EQ(commands.SetCSSR(20, 26, 5, 10), calc.openStatus);
    calc.openStatus = kStatusOk;
    calc.failOnCall = 1;
    EXPECT_EQ(commands.AddPoint(40, 6, L"A"), calc.failStatus);
    calc.Reset();
    calc.failOnCall = 2;  // the second bound's saturation
    EXPECT_EQ(commands.SetCSSR(20, 26, 5, 10), calc.failStatus);
    ASSERT_EQ(data.points.size(), 1u);
    EXPECT_EQ(data.points[0].D, 5.0);
    EXPECT_EQ(data.cssrRegion.maxT, 0.0);
}

TEST_F(ChartDataCommandsTest, TheChartsPressureDecidesSaturation) {
    // Lower pressure holds more vapour at the same enthalpy.
    data.airPressure = 85000;
    EXPECT_EQ(commands.AddPoint(50, 13.3, L"high"), kStatusOk);
    EXPECT_EQ(calc.pressures, 85000.0);
    data.airPressure = 101325;
    EXPECT_EQ(commands.AddPoint(50, 13.3, L"low"), kStatusInvalidArg);
}

TEST_F(ChartDataCommandsTest, AddPointLeavesOnePointOfItsName) {
    data.points = {{40, 8, L"A"}, {30, 5, L""}, {55, 10, L"A"}, {45, 6, L"a"}};
    ASSERT_EQ(commands.AddPoint(50, 9, L"A"), kStatusOk);
    ASSERT_EQ(data.points.size(), 3u);
    EXPECT_EQ(data.points[0].name, L"");
    EXPECT_EQ(data.points[1].name, L"a");
    EXPECT_EQ(data.points[2].name, L"A");
    EXPECT_EQ(data.points[2].I, 50.0);
}

TEST_F(ChartDataCommandsTest, TheComfortRegionIsStoredMaximaFirst) {
    ASSERT_EQ(commands.SetCSSR(20, 26, 5, 10), kStatusOk);
    EXPECT_EQ(data.cssrRegion.maxT, 26.0);
    EXPECT_EQ(data.cssrRegion.minT, 20.0);
    EXPECT_EQ(data.cssrRegion.maxD, 10.0);
    EXPECT_EQ(data.cssrRegion.minD, 5.0);
}

TEST_F(ChartDataCommandsTest, RemovingAMixMatchesItsPairOnly) {
    data.mixes = {{L"F", L"R", L"M", L"", 1, 2}, {L"F", L"X", L"N", L"", 1, 2}};
    EXPECT_EQ(commands.RemoveMixLine(L"X", L"F"), kStatusOk);
    ASSERT_EQ(data.mixes.size(), 1u);
    EXPECT_EQ(data.mixes[0].ptMix, L"M");
    EXPECT_EQ(commands.RemoveMixLine(L"F", L"M"), kStatusFail);  // a mix point is no end of the pair
    EXPECT_EQ(commands.RemoveMixLine(L"f", L"R"), kStatusFail);  // names are case-sensitive
}

// Each method, called as a host would, either refuses and changes nothing
// (the slot encoding is the same bytes) or leaves a chart that passes the
// chart-data check: a point that goes takes the records naming it along.
TEST_F(ChartDataCommandsTest, EveryMethodLeavesASoundChartOrNothingChanged) {
    struct Step {
        const char* label;
        std::function<Status(CChartDataCommands&)> call;
        Status expected;
        std::size_t points, processes, mixes;
    };
    const Step steps[] = {
        {"outdoor", [](auto& c) { return c.AddPoint(90, 21, L"Outdoor"); }, kStatusOk, 1, 0, 0},
        {"room", [](auto& c) { return c.AddPoint(50, 10, L"Room"); }, kStatusOk, 2, 0, 0},
        {"supply", [](auto& c) { return c.AddPoint(40, 9, L"Supply"); }, kStatusOk, 3, 0, 0},
        {"a point far beyond the chart", [](auto& c) { return c.AddPoint(1e6, 1e6, L"X"); }, kStatusInvalidArg, 3, 0, 0},
        {"a point of negative humidity", [](auto& c) { return c.AddPoint(-500, -20, L"X"); }, kStatusInvalidArg, 3, 0,
         0},
        {"a process to a point not there", [](auto& c) { return c.AddProcess(L"Supply", L"Nowhere", L"P", 1); },
         kStatusInvalidArg, 3, 0, 0},
        {"a process from a point to itself", [](auto& c) { return c.AddProcess(L"Room", L"Room", L"P", 1); },
         kStatusInvalidArg, 3, 0, 0},
        {"the supply process", [](auto& c) { return c.AddProcess(L"Supply", L"Room", L"P", 1000); }, kStatusOk, 3, 1,
         0},
        {"a mix of a point not there", [](auto& c) { return c.AddMixLine(L"Nowhere", L"Room", L"M", L"", 1, 2); },
         kStatusInvalidArg, 3, 1, 0},
        {"a mix of a point with itself", [](auto& c) { return c.AddMixLine(L"Room", L"Room", L"M", L"", 1, 2); },
         kStatusInvalidArg, 3, 1, 0},
        {"the mix", [](auto& c) { return c.AddMixLine(L"Outdoor", L"Room", L"Mixed", L"AHU", 200, 1000); }, kStatusOk,
         4, 1, 1},
        {"a CSSR beyond the chart", [](auto& c) { return c.SetCSSR(20, 300, 5, 10); }, kStatusInvalidArg, 4, 1, 1},
        {"the room goes, with its process and its mix", [](auto& c) { return c.RemovePoint(L"Room"); }, kStatusOk, 3,
         0, 0},
        {"the room again, and a process", [](auto& c) {
             c.AddPoint(50, 10, L"Room");
             return c.AddProcess(L"Supply", L"Room", L"P", 1000);
         }, kStatusOk, 4, 1, 0},
        {"every point goes, every record with them", [](auto& c) {
             c.RemoveAllPoints();
             return kStatusOk;
         }, kStatusOk, 0, 0, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        const auto before = CSlotFileCodec::Encode(data, L"");
        EXPECT_EQ(step.call(commands), step.expected);
        if (step.expected != kStatusOk) EXPECT_EQ(CSlotFileCodec::Encode(data, L""), before);
        data.RecomputeMixPoints();
        const auto fault = CheckChartData(data, calc);
        EXPECT_FALSE(fault.has_value()) << (fault ? static_cast<int>(fault->rule) : -1);
        EXPECT_EQ(data.points.size(), step.points);
        EXPECT_EQ(data.processes.size(), step.processes);
        EXPECT_EQ(data.mixes.size(), step.mixes);
    }
}

}  // namespace
}  // namespace humichart
