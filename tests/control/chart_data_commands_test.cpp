// The control's data methods on a data object, with the calculator core
// behind the seam: a calculator that fails leaves everything as it was.
#include <gtest/gtest.h>

#include "../chart/CountingCalcBinding.h"
#include "CChartDataCommands.h"

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

}  // namespace
}  // namespace humichart
