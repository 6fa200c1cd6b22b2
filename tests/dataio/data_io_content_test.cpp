#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CCoreCalcBinding.h"
#include "CSlotFileStore.h"
#include "DataIOContent.h"
#include "IDialogView.h"

namespace humichart {
namespace {

TEST(DataIOTree, FourRootsWithEveryRecordAndNoNameInPlaceOfAnAbsentName) {
    CHumichartDataObj data;
    data.airPressure = 95000.04;
    CChartView(data).SetRange(-10.0, 40.0, 2.0, 30.0);
    data.points = {{50.126, 10.0004, L"A"}, {30.0, 5.0, L""}};
    data.processes = {{L"A", L"", L"", 1200.06}};
    data.mixes = {{L"F", L"R", L"M", L"X", 300.0, 1000.0}};
    const std::vector<TreeRoot> tree = DataTree(data);
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree[0].text, L"函数图基本属性");
    EXPECT_EQ(tree[0].children, (std::vector<std::wstring>{L"大气压力: 95000.0 Pa", L"温度上限: 40.0 ℃",
                                                          L"温度下限: -10.0 ℃", L"湿度上限: 30.0 g/kg",
                                                          L"湿度下限: 2.0 g/kg"}));
    EXPECT_EQ(tree[1].text, L"状态点");
    EXPECT_EQ(tree[1].children, (std::vector<std::wstring>{L"A (I=50.13,D=10.000)", L"(No name) (I=30.00,D=5.000)"}));
    EXPECT_EQ(tree[2].text, L"热湿过程线");
    EXPECT_EQ(tree[2].children, (std::vector<std::wstring>{L"(No name) (SP=A,EP=,AF=1200.1)"}));
    EXPECT_EQ(tree[3].text, L"混和过程线");
    EXPECT_EQ(tree[3].children, (std::vector<std::wstring>{L"X (FP=F,RP=R,MP=M,AF=1000.0,FAF=300.0)"}));
}

TEST(StorageList, RowsShowWhatEachSlotHolds) {
    StorageSlotInfo info;
    EXPECT_EQ(SlotRow(7, info), (std::vector<std::wstring>{L"0007", L"", L"", L"", L"", L"(empty)"}));
    info.state = StorageSlotInfo::State::Damaged;
    EXPECT_EQ(SlotRow(7, info)[5], L"(cannot be read)");
    info.state = StorageSlotInfo::State::Saved;
    info.airPressure = 95123.4f;
    info.pointCount = 7;
    info.processCount = 3;
    info.mixCount = 1;
    info.remark = L"Saved 2026-12-08 10:00:00";
    EXPECT_EQ(SlotRow(7, info),
              (std::vector<std::wstring>{L"0007", L"95123.4", L"7", L"3", L"1", L"Saved 2026-12-08 10:00:00"}));
    EXPECT_EQ(SlotRow(12345, info)[0], L"12345");

    CHumichartDataObj noStore;
    const std::vector<StorageSlotInfo> table = SlotTableOf(noStore);
    ASSERT_EQ(table.size(), 14u);
    EXPECT_EQ(table[13].state, StorageSlotInfo::State::Empty);
}

class StorageCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("humichart_dataio_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        store = std::make_unique<CSlotFileStore>(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::unique_ptr<CSlotFileStore> store;
    CCoreCalcBinding calc;
    std::vector<std::wstring> questions;
    bool replace = false;
    ReplaceQuestion Ask() {
        return [this](const std::wstring& question) {
            questions.push_back(question);
            return replace;
        };
    }
};

TEST_F(StorageCommands, SaveAsksBeforeReplacingAChartAndReadTakesOnlyASoundOne) {
    CHumichartDataObj copy;
    copy.SetSlotStore(store.get());
    copy.points = {{50.0, 10.0, L"P"}};
    copy.airPressure = 90000.0;

    EXPECT_FALSE(StorageSave(copy, 2, Ask()).acted);  // Enter or Esc in the list: nothing
    const SlotOutcome saved = StorageSave(copy, 103, Ask());
    EXPECT_TRUE(saved.acted);
    EXPECT_FALSE(saved.changed);
    EXPECT_EQ(saved.message, L"Successfully saved data to storage (index=3)");
    EXPECT_EQ(saved.icon, kMsgIconInformation);
    EXPECT_TRUE(questions.empty());  // the slot was empty
    EXPECT_EQ(SlotTableOf(copy)[3].pointCount, 1u);
    EXPECT_EQ(SlotTableOf(copy)[3].airPressure, 90000.0f);

    // Over a slot that holds a chart: asked first; No keeps the slot's chart.
    copy.points.push_back({40.0, 8.0, L"Q"});
    EXPECT_FALSE(StorageSave(copy, 103, Ask()).acted);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].rfind(L"Storage slot 3 holds a chart of 1 points, 0 processes and 0 mixes (Saved ", 0), 0u);
    EXPECT_EQ(SlotTableOf(copy)[3].pointCount, 1u);
    replace = true;
    EXPECT_TRUE(StorageSave(copy, 103, Ask()).acted);
    EXPECT_EQ(SlotTableOf(copy)[3].pointCount, 2u);

    copy.points.clear();
    const SlotOutcome missing = StorageRead(copy, 104, calc);
    EXPECT_FALSE(missing.changed);
    EXPECT_EQ(missing.message, L"Failed load data from storage (index=4)\n\nStorage slot 4 is empty.");
    EXPECT_EQ(missing.icon, kMsgIconWarning);
    EXPECT_TRUE(copy.points.empty());

    const SlotOutcome read = StorageRead(copy, 103, calc);
    EXPECT_TRUE(read.changed);
    EXPECT_EQ(read.message, L"Successfully load data from storage (index=3)");
    ASSERT_EQ(copy.points.size(), 2u);
    EXPECT_EQ(copy.points[0].name, L"P");

    // A slot whose chart the check refuses (saved by an older version, or
    // written by hand) is not taken, and the message says what is wrong.
    CHumichartDataObj unsound;
    unsound.points = {{50.0, 10.0, L"A"}, {50.0, 30.0, L"B"}};
    ASSERT_TRUE(store->Save(5, unsound));
    const SlotOutcome refused = StorageRead(copy, 105, calc);
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(refused.message, L"Failed load data from storage (index=5)\n\nPoint \"B\": the state I = 50 kJ/kg, "
                               L"D = 30 g/kg lies above saturation.");
    EXPECT_EQ(copy.points.size(), 2u);
}

TEST(StorageCommandsWithoutStore, FailWithTheirWarnings) {
    CHumichartDataObj copy;
    const SlotOutcome saved = StorageSave(copy, 100, nullptr);
    EXPECT_EQ(saved.message, L"Failed save data do storage (index=0)");
    EXPECT_EQ(saved.icon, kMsgIconWarning);
    CCoreCalcBinding calc;
    EXPECT_FALSE(StorageRead(copy, 99, calc).acted);
}

struct FakeChart : IChartDocument {
    CHumichartDataObj data;
    CChartView view{data};
    int renders = 0, repaints = 0, userChanges = 0;
    CChartView& View() override { return view; }
    ICalcBinding& Calc() override { throw std::logic_error("no calculator"); }
    void RequestRepaint() override { ++repaints; }
    void RequestRender() override { ++renders; }
    void DataChangedByUser() override { ++userChanges; }
};

// Every line the data tree shows of data.
std::vector<std::wstring> TreeLines(const CHumichartDataObj& data) {
    std::vector<std::wstring> lines;
    for (const TreeRoot& root : DataTree(data)) {
        lines.push_back(root.text);
        lines.insert(lines.end(), root.children.begin(), root.children.end());
    }
    return lines;
}

// OK hands the working copy back whole: every list, the pressure, the range,
// the region and the flags, and the chart then renders anew and tells its
// host once; Cancel (or a copy nobody changed) leaves the chart as it was,
// and a copy that is what the chart holds changes nothing to tell.
TEST(DataIOWriteBack, OnlyAChangedCopyReplacesTheChart) {
    FakeChart chart;
    chart.data.points = {{1, 1, L"kept"}, {2, 2, L"B"}, {3, 3, L"C"}};
    chart.data.processes = {{L"B", L"C", L"P", 500.0}};
    CHumichartDataObj copy;
    CChartView(copy).SetRange(0.0, 35.0, 1.0, 25.0);
    copy.points = {{5, 5, L"new"}, {6, 7, L"F"}, {8, 9, L"R"}};
    copy.mixes = {{L"F", L"R", L"new", L"X", 300.0, 1000.0}};
    copy.airPressure = 80000.0;
    copy.cssrRegion = {30.0, 20.0, 12.0, 6.0};
    copy.HasBorder = 1;
    copy.HasILine = 0;
    const std::vector<std::wstring> before = TreeLines(chart.data);

    WriteBack(chart, copy, false);
    EXPECT_EQ(TreeLines(chart.data), before);
    EXPECT_EQ(chart.renders + chart.repaints + chart.userChanges, 0);

    WriteBack(chart, copy, true);
    EXPECT_EQ(TreeLines(chart.data), TreeLines(copy));
    EXPECT_TRUE(chart.data.processes.empty());
    EXPECT_EQ(chart.data.cssrRegion.minD, 6.0);
    EXPECT_EQ(chart.data.HasBorder, 1);
    EXPECT_EQ(chart.data.HasILine, 0);
    EXPECT_EQ(chart.renders, 1);
    EXPECT_EQ(chart.userChanges, 1);
    WriteBack(chart, copy, true);
    EXPECT_EQ(chart.userChanges, 1);
}

}  // namespace
}  // namespace humichart
