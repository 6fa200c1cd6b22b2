#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CCoreCalcBinding.h"
#include "CHumichartDataObj.h"

namespace humichart {
namespace {

StatePoint Point(const wchar_t* name, double I, double D) { return {I, D, name}; }

TEST(DataObjDefaults, FreshObjectAndRestoreDefaults) {
    CHumichartDataObj data;
    EXPECT_EQ(data.HasTLine + data.HasDLine + data.HasILine + data.HasFLine, 4);
    EXPECT_EQ(data.HasProcessLineName, 0);
    EXPECT_EQ(data.HasBorder, 0);
    EXPECT_EQ(data.HasBackground, 1);
    EXPECT_EQ(data.HasForeground, 1);
    EXPECT_EQ(data.airPressure, 101325.0);
    EXPECT_DOUBLE_EQ(data.viewRange.Ymin, -30.15);
    EXPECT_DOUBLE_EQ(data.viewRange.Ymax, 65.325);
    EXPECT_EQ(data.viewRange.Dmin, 0.0);
    EXPECT_EQ(data.viewRange.Dmax, 42.0);
    EXPECT_TRUE(data.points.empty() && data.processes.empty() && data.mixes.empty());

    // Defaults come back for flags, pressure and range; lists and CSSR stay.
    data.HasTLine = 0;
    data.HasBorder = 1;
    data.airPressure = 90000.0;
    data.viewRange = {1, 2, 3, 4};
    data.points.push_back(Point(L"A", 1, 2));
    data.cssrRegion = {30, 20, 10, 5};
    data.RestoreDefaults();
    EXPECT_EQ(data.HasTLine, 1);
    EXPECT_EQ(data.HasBorder, 0);
    EXPECT_EQ(data.airPressure, 101325.0);
    EXPECT_DOUBLE_EQ(data.viewRange.Ymax, 65.325);
    EXPECT_EQ(data.points.size(), 1u);
    EXPECT_EQ(data.cssrRegion.maxT, 30.0);

    data.ClearData();
    EXPECT_TRUE(data.points.empty());
    EXPECT_EQ(data.cssrRegion.maxT, 0.0);
    EXPECT_EQ(data.cssrRegion.minD, 0.0);
}

TEST(DataObjSlots, ReportFailureAndChangeNothing) {
    CHumichartDataObj data;
    data.points.push_back(Point(L"A", 1, 2));
    CCoreCalcBinding calc;
    EXPECT_LT(data.LoadSlot(0, calc), 0);
    EXPECT_LT(data.SaveSlot(3), 0);
    EXPECT_EQ(data.points.size(), 1u);
}

TEST(FindPoint, ExactNamesOnlyFirstMatch) {
    CHumichartDataObj data;
    data.points = {Point(L"", 1, 1), Point(L"", 2, 2), Point(L"A", 3, 3), Point(L"A", 4, 4)};
    EXPECT_EQ(data.FindPoint(L""), nullptr);
    EXPECT_EQ(data.FindPoint(L"a"), nullptr);
    EXPECT_EQ(data.FindPoint(L"A "), nullptr);
    EXPECT_EQ(data.FindPoint(L" A"), nullptr);
    ASSERT_NE(data.FindPoint(L"A"), nullptr);
    EXPECT_EQ(data.FindPoint(L"A")->I, 3.0);
}

TEST(FindProcess, UnorderedPairAndEmptyNamesNeverMatch) {
    CHumichartDataObj data;
    data.processes = {{L"", L"B", L"empty start", 0}, {L"B", L"A", L"ba", 0},
                      {L"A", L"B", L"ab", 0}};
    ASSERT_NE(data.FindProcess(L"A", L"B"), nullptr);
    EXPECT_EQ(data.FindProcess(L"A", L"B")->name, L"ba");
    EXPECT_EQ(data.FindProcess(L"B", L"A")->name, L"ba");
    EXPECT_EQ(data.FindProcess(L"", L"B"), nullptr);
    EXPECT_EQ(data.FindProcess(L"B", L""), nullptr);
    EXPECT_EQ(data.FindProcess(L"a", L"B"), nullptr);
}

TEST(FindMix, KeyNeedsAllThreeNamesAndRecordsWithEmptyNamesNeverMatch) {
    CHumichartDataObj data;
    data.mixes = {{L"F", L"R", L"", L"no mix name", 0, 0},
                  {L"R", L"F", L"M1", L"swapped", 0, 0},
                  {L"F", L"R", L"M2", L"straight", 0, 0}};
    MixProcess key{L"F", L"R", L"other", L"", 0, 0};
    ASSERT_NE(data.FindMix(key), nullptr);
    EXPECT_EQ(data.FindMix(key)->name, L"swapped");  // mix names are not compared
    key.ptMix.clear();
    EXPECT_EQ(data.FindMix(key), nullptr);
    key = {L"", L"R", L"M", L"", 0, 0};
    EXPECT_EQ(data.FindMix(key), nullptr);
    key = {L"F", L"X", L"M", L"", 0, 0};
    EXPECT_EQ(data.FindMix(key), nullptr);
}

TEST(CopyData, ReplacesEverythingWithDeepCopiesInOrder) {
    CHumichartDataObj source;
    source.points = {Point(L"a", 1, 1), Point(L"b", 2, 2), Point(L"c", 3, 3)};
    source.processes = {{L"a", L"b", L"p", 100}};
    source.mixes = {{L"a", L"b", L"c", L"m", 1, 2}};
    source.HasBorder = 1;
    source.airPressure = 95000;
    source.cssrRegion = {26, 22, 12, 8};
    source.viewRange = {0, 50.25, 2, 30};

    CHumichartDataObj target;
    for (int i = 0; i < 5; ++i) target.points.push_back(Point(L"old", i, i));
    target.processes.resize(4);
    target.CopyData(source);
    ASSERT_EQ(target.points.size(), 3u);
    EXPECT_EQ(target.points[2].name, L"c");
    EXPECT_EQ(target.processes.size(), 1u);
    EXPECT_EQ(target.mixes[0].ptMix, L"c");
    EXPECT_EQ(target.HasBorder, 1);
    EXPECT_EQ(target.airPressure, 95000.0);
    EXPECT_EQ(target.cssrRegion.minT, 22.0);
    EXPECT_EQ(target.viewRange.Dmax, 30.0);

    // The copy is independent of its source.
    source.points[0].name = L"changed";
    EXPECT_EQ(target.points[0].name, L"a");
    target.CopyData(target);
    EXPECT_EQ(target.points.size(), 3u);
}

class MixPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        data.points = {Point(L"F", 10, 2), Point(L"R", 50, 10), Point(L"M", -1, -1)};
    }
    const StatePoint& M() { return *data.FindPoint(L"M"); }
    void Mix(double fresh, double total) {
        data.mixes = {{L"F", L"R", L"M", L"", fresh, total}};
        data.RecomputeMixPoints();
    }
    CHumichartDataObj data;
};

TEST_F(MixPlacement, FlowWeightedAndClamped) {
    Mix(0, 0);
    EXPECT_DOUBLE_EQ(M().I, 30.0);
    EXPECT_DOUBLE_EQ(M().D, 6.0);
    Mix(1000, -5);
    EXPECT_DOUBLE_EQ(M().I, 30.0);
    Mix(250, 1000);
    EXPECT_DOUBLE_EQ(M().I, 0.25 * 10 + 0.75 * 50);
    EXPECT_DOUBLE_EQ(M().D, 0.75 * 10 + 0.25 * 2);
    Mix(2000, 1000);
    EXPECT_DOUBLE_EQ(M().I, 10.0);
    EXPECT_DOUBLE_EQ(M().D, 2.0);
    Mix(-100, 1000);
    EXPECT_DOUBLE_EQ(M().I, 50.0);
    EXPECT_DOUBLE_EQ(M().D, 10.0);
}

TEST_F(MixPlacement, FreshFlowNotANumberMixesHalfAndHalf) {
    Mix(std::nan(""), 1000);
    EXPECT_DOUBLE_EQ(M().I, 30.0);
    EXPECT_DOUBLE_EQ(M().D, 6.0);
}

TEST_F(MixPlacement, IncompleteMixesLeaveTheirPointInPlace) {
    data.mixes = {{L"X", L"R", L"M", L"", 0, 0}, {L"F", L"R", L"", L"", 0, 0},
                  {L"", L"R", L"M", L"", 0, 0}};
    data.RecomputeMixPoints();
    EXPECT_EQ(M().I, -1.0);
    EXPECT_EQ(M().D, -1.0);
}

TEST_F(MixPlacement, ChainsArePlacedInOnePassWhateverTheirOrder) {
    data.points.push_back(Point(L"M2", 0, 0));
    // M2 mixes M with F, but is listed before the mix that places M.
    data.mixes = {{L"M", L"F", L"M2", L"", 0, 0}, {L"F", L"R", L"M", L"", 0, 0}};
    data.RecomputeMixPoints();
    EXPECT_DOUBLE_EQ(M().I, 30.0);
    EXPECT_DOUBLE_EQ(data.FindPoint(L"M2")->I, 20.0);
    EXPECT_DOUBLE_EQ(data.FindPoint(L"M2")->D, 4.0);
    const std::vector<StatePoint> once = data.points;
    data.RecomputeMixPoints();
    for (std::size_t k = 0; k < once.size(); ++k) {
        EXPECT_EQ(data.points[k].I, once[k].I) << k;
        EXPECT_EQ(data.points[k].D, once[k].D) << k;
    }

    // Mixes that feed one another (data no chart takes in) still end.
    data.mixes = {{L"M", L"R", L"M2", L"", 0, 0}, {L"M2", L"F", L"M", L"", 0, 0}};
    data.RecomputeMixPoints();
    EXPECT_TRUE(std::isfinite(M().I) && std::isfinite(data.FindPoint(L"M2")->I));
}

}  // namespace
}  // namespace humichart
