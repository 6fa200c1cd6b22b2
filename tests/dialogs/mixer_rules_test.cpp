// "Mix processes" over a stand-in view and chart: the buttons, every refusal
// of Add and Modify, the mix point it names and creates, the rename question,
// Delete and the write-back.
#include <gtest/gtest.h>

#include <functional>

#include "CNewMixerRules.h"
#include "FakeChart.h"
#include "FakeDialogView.h"
#include "ProcessDialogsResource.h"

namespace humichart {
namespace {

using test::FakeDialogView;

constexpr wchar_t kSamePosition[] = L"Same position found one existing process. \n\nPlease make changes.";
constexpr wchar_t kExistingMixPoint[] =
    L"New process using an existing mix point. \n\nPlease make sure the mix point is a new one.";
constexpr wchar_t kRename[] =
    L"Rename mix point may cause the related process lost if there is one. \n\nAre you sure to make the change?";

// One open dialog over its own chart: points O (outdoor), R (room), an
// unnamed one, S (supply) and M1, and the mix "Mix1" of O and R into M1.
struct Harness {
    explicit Harness(std::function<void(CHumichartDataObj&)> setUp = {}) {
        chart.data.points = {{80, 20, L"O"}, {45, 9, L"R"}, {1, 1, L""}, {30, 7, L"S"}, {0, 0, L"M1"}};
        chart.data.mixes = {{L"O", L"R", L"M1", L"Mix1", 300, 1000}};
        if (setUp) setUp(chart.data);
        view.Open(rules);
    }
    // The user fills in a mix: list items (-1: left alone), texts.
    void Fill(int fresh, int ret, const wchar_t* mix, const wchar_t* freshFlow, const wchar_t* total,
              const wchar_t* name) {
        if (fresh >= 0) view.Choose(IDC_MIX_FRESH, fresh);
        if (ret >= 0) view.Choose(IDC_MIX_RETURN, ret);
        view.Type(IDC_MIX_POINT, mix);
        view.Type(IDC_FRESH_FLOW, freshFlow);
        view.Type(IDC_AIR_FLOW, total);
        view.Type(IDC_PROCESS_NAME, name);
    }
    std::wstring Buttons() {
        std::wstring state;
        for (int id : {IDC_ITEM_ADD, IDC_ITEM_MODIFY, IDC_ITEM_DELETE}) state += view.Enabled(id) ? L'1' : L'0';
        return state;
    }

    test::FakeChart chart;
    FakeDialogView view{CNewMixerRules::Controls()};
    CNewMixerRules rules{chart, view};
};

TEST(MixerRules, ButtonsFollowThePointsTheMixNameAndTheEdits) {
    Harness h;
    FakeDialogView& view = h.view;
    EXPECT_EQ(view[IDC_MIX_FRESH].items, (std::vector<std::wstring>{L"O", L"R", L"S", L"M1"}));
    EXPECT_EQ(view[IDC_MIX_POINT].items, view[IDC_MIX_FRESH].items);
    EXPECT_EQ(view[IDC_PROCESS_NAME].items, std::vector<std::wstring>{L"Mix1"});
    struct Step {
        const char* action;
        std::function<void()> act;
        const wchar_t* buttons;
    } steps[] = {
        {"opened", [] {}, L"000"},
        {"a new name", [&] { view.Type(IDC_PROCESS_NAME, L"New"); }, L"000"},
        {"fresh and return", [&] { view.Choose(IDC_MIX_FRESH, 2), view.Choose(IDC_MIX_RETURN, 1); }, L"000"},
        {"a typed mix point", [&] { view.Type(IDC_MIX_POINT, L"M2"); }, L"100"},
        {"the mix point emptied", [&] { view.Type(IDC_MIX_POINT, L""); }, L"000"},
        {"a listed mix point", [&] { view.Choose(IDC_MIX_POINT, 3); }, L"100"},
        {"return as fresh", [&] { view.Choose(IDC_MIX_RETURN, 2); }, L"000"},
        {"the existing mix", [&] { view.Choose(IDC_PROCESS_NAME, 0); }, L"001"},
        {"its total flow edited", [&] { view.Type(IDC_AIR_FLOW, L"900"); }, L"011"},
        {"its name in other case", [&] { view.Type(IDC_PROCESS_NAME, L"MIX1"); }, L"011"},
        {"a new name for it", [&] { view.Type(IDC_PROCESS_NAME, L"Winter"); }, L"111"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        step.act();
        EXPECT_EQ(h.Buttons(), step.buttons);
    }
    // Emptying the mix box's text drops its list selection too.
    view.Type(IDC_MIX_POINT, L"");
    EXPECT_EQ(view.Selection(IDC_MIX_POINT), -1);
}

TEST(MixerRules, ShowingAMixWritesItsFlowsWithoutCountingAsAnEdit) {
    Harness h;
    ASSERT_TRUE(h.view.Choose(IDC_PROCESS_NAME, 0));
    EXPECT_EQ(h.view.Selection(IDC_MIX_FRESH), 0);
    EXPECT_EQ(h.view.Selection(IDC_MIX_RETURN), 1);
    EXPECT_EQ(h.view.Text(IDC_MIX_POINT), L"M1");
    EXPECT_EQ(h.view.Text(IDC_FRESH_FLOW), L"300.00");
    EXPECT_EQ(h.view.Text(IDC_AIR_FLOW), L"1000.00");
    EXPECT_EQ(h.Buttons(), L"001");
}

TEST(MixerRules, AddAndModifyRefuseIncompleteOrDuplicateInput) {
    struct Case {
        const char* label;
        std::function<void(Harness&)> fill;
        int button;
        const wchar_t* message;
        int focus;
    } cases[] = {
        {"no fresh flow", [](Harness& h) { h.Fill(2, 1, L"M2", L"", L"10", L"N"); }, IDC_ITEM_ADD,
         L"Forget input fresh air flow?", IDC_FRESH_FLOW},
        {"negative fresh flow", [](Harness& h) { h.Fill(2, 1, L"M2", L"-1", L"10", L"N"); }, IDC_ITEM_ADD,
         L"Are you sure fresh air flow can less than 0?", IDC_FRESH_FLOW},
        {"no total flow", [](Harness& h) { h.Fill(2, 1, L"M2", L"1", L"", L"N"); }, IDC_ITEM_ADD,
         L"Forget input air flow?", IDC_AIR_FLOW},
        {"negative total flow", [](Harness& h) { h.Fill(2, 1, L"M2", L"0", L"-0.01", L"N"); }, IDC_ITEM_ADD,
         L"Are you sure air flow can less than 0?", IDC_AIR_FLOW},
        {"fresh above total", [](Harness& h) { h.Fill(2, 1, L"M2", L"10.5", L"10", L"N"); }, IDC_ITEM_ADD,
         L"Are you sure fresh air flow can be larger than total air flow?", IDC_FRESH_FLOW},
        {"no fresh point", [](Harness& h) { h.Fill(-1, 1, L"M2", L"1", L"10", L"N"); }, IDC_ITEM_ADD,
         L"Forget asign fresh point?", IDC_MIX_FRESH},
        {"no return point", [](Harness& h) { h.Fill(2, -1, L"M2", L"1", L"10", L"N"); }, IDC_ITEM_ADD,
         L"Forget asign return point?", IDC_MIX_RETURN},
        {"return is fresh", [](Harness& h) { h.Fill(2, 2, L"M2", L"1", L"10", L"N"); }, IDC_ITEM_ADD,
         L"God save me! \n\nDo you think return point can be the same as fresh one?", IDC_MIX_FRESH},
        {"no mix point", [](Harness& h) { h.Fill(2, 1, L"", L"1", L"10", L"N"); }, IDC_ITEM_ADD,
         L"Forget asign mix point?", IDC_MIX_POINT},
        {"R and O beside O and R", [](Harness& h) { h.Fill(1, 0, L"M2", L"1", L"10", L"N"); }, IDC_ITEM_ADD,
         kSamePosition, IDC_MIX_FRESH},
        {"an existing point as mix point", [](Harness& h) { h.Fill(2, 1, L"O", L"1", L"10", L"N"); },
         IDC_ITEM_ADD, kExistingMixPoint, IDC_MIX_POINT},
        {"modified to rename its mix point onto another point",
         [](Harness& h) {
             h.view.Choose(IDC_PROCESS_NAME, 0);
             h.view.Type(IDC_MIX_POINT, L"S");
         },
         IDC_ITEM_MODIFY, kExistingMixPoint, IDC_MIX_POINT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Harness h;
        c.fill(h);
        h.rules.OnEvent(c.button, ControlEvent::Clicked);
        ASSERT_EQ(h.view.questions.size(), 1u);
        EXPECT_EQ(h.view.questions[0].text, c.message);
        EXPECT_EQ(h.view.questions[0].caption, L"Error Report");
        EXPECT_EQ(h.view.questions[0].style, kMsgOk | kMsgIconError);
        EXPECT_EQ(h.view.focusMoves, std::vector<int>{c.focus});
        ASSERT_EQ(h.rules.WorkingMixes().size(), 1u);
        EXPECT_EQ(h.rules.WorkingMixes()[0].ptMix, L"M1");
        EXPECT_EQ(h.rules.WorkingPoints().size(), 4u);
        EXPECT_FALSE(h.view.Enabled(IDC_APPLY));
    }
}

TEST(MixerRules, AddNamesANewMixPointThatTheChartPlacesAfterApply) {
    Harness h;
    // All air fresh: equal flows are accepted.
    h.Fill(2, 1, L"M2", L"500", L"500", L"Summer");
    ASSERT_TRUE(h.view.Click(IDC_ITEM_ADD));
    ASSERT_EQ(h.rules.WorkingMixes().size(), 2u);
    EXPECT_EQ(h.rules.WorkingMixes()[1].ptFresh, L"S");
    EXPECT_EQ(h.rules.WorkingMixes()[1].ptReturn, L"R");
    const StatePoint& m2 = h.rules.WorkingPoints().back();
    EXPECT_EQ(m2.name, L"M2");
    EXPECT_EQ(m2.I, 0.0);
    for (int list : {IDC_MIX_FRESH, IDC_MIX_RETURN, IDC_MIX_POINT}) EXPECT_EQ(h.view[list].items.back(), L"M2");
    EXPECT_EQ(h.view.Selection(IDC_PROCESS_NAME), 1);
    EXPECT_EQ(h.view.Text(IDC_MIX_POINT), L"M2");
    EXPECT_EQ(h.Buttons(), L"001");

    // A second mix, then everything written back.
    h.Fill(0, 2, L"M3", L"0", L"0", L"Half");
    ASSERT_TRUE(h.view.Click(IDC_ITEM_ADD));
    ASSERT_TRUE(h.view.Click(IDC_APPLY));
    CHumichartDataObj& data = h.chart.data;
    ASSERT_EQ(data.points.size(), 6u);  // the unnamed point is gone
    EXPECT_EQ(data.mixes.size(), 3u);
    EXPECT_EQ(h.chart.repaints, 1);
    EXPECT_EQ(h.chart.userChanges, 1);
    data.RecomputeMixPoints();
    // All fresh: on S. Total flow 0: halfway between O and S.
    EXPECT_EQ(data.FindPoint(L"M2")->I, 30.0);
    EXPECT_EQ(data.FindPoint(L"M3")->I, 55.0);
    EXPECT_EQ(data.FindPoint(L"M3")->D, 13.5);
    EXPECT_FALSE(h.view.Enabled(IDC_APPLY));
}

TEST(MixerRules, RenamingTheMixPointAsksFirst) {
    for (int answer : {kAnswerNo, kAnswerYes}) {
        SCOPED_TRACE(answer);
        // A point "m1" before "M1": a search that ignores case would show,
        // and rename, the wrong one.
        Harness h([](CHumichartDataObj& data) { data.points.insert(data.points.begin() + 4, {35, 7, L"m1"}); });
        h.view.Choose(IDC_PROCESS_NAME, 0);
        h.view.Type(IDC_MIX_POINT, L"Mixed");
        h.view.Answer(answer);
        ASSERT_TRUE(h.view.Click(IDC_ITEM_MODIFY));
        ASSERT_EQ(h.view.questions.size(), 1u);
        EXPECT_EQ(h.view.questions[0].text, kRename);
        EXPECT_EQ(h.view.questions[0].caption, L"Delete Confirm");
        EXPECT_EQ(h.view.questions[0].style, kMsgYesNo | kMsgIconWarning | kMsgDefaultButton2);
        if (answer == kAnswerNo) {
            EXPECT_EQ(h.view.Text(IDC_MIX_POINT), L"M1");
            EXPECT_EQ(h.view.focusMoves, std::vector<int>{IDC_MIX_POINT});
            EXPECT_EQ(h.rules.WorkingMixes()[0].ptMix, L"M1");
            EXPECT_EQ(h.rules.WorkingPoints()[4].name, L"M1");
            EXPECT_FALSE(h.view.Enabled(IDC_APPLY));
            continue;
        }
        // The point keeps its place and coordinates under its new name.
        EXPECT_EQ(h.rules.WorkingMixes()[0].ptMix, L"Mixed");
        EXPECT_EQ(h.rules.WorkingPoints().size(), 5u);
        EXPECT_EQ(h.rules.WorkingPoints()[4].name, L"Mixed");
        EXPECT_EQ(h.rules.WorkingPoints()[3].name, L"m1");
        for (int list : {IDC_MIX_FRESH, IDC_MIX_RETURN, IDC_MIX_POINT}) {
            EXPECT_EQ(h.view[list].items[3], L"m1");
            EXPECT_EQ(h.view[list].items[4], L"Mixed");
        }
        EXPECT_EQ(h.view.Selection(IDC_MIX_POINT), 4);
        ASSERT_TRUE(h.view.Click(IDC_APPLY));
        EXPECT_EQ(h.chart.data.FindPoint(L"M1"), nullptr);
        EXPECT_NE(h.chart.data.FindPoint(L"Mixed"), nullptr);
        EXPECT_EQ(h.chart.data.FindPoint(L"m1")->I, 35.0);
    }
}

TEST(MixerRules, AMixWhosePointWasRenamedAwayGetsItBack) {
    Harness h;
    h.chart.data.points.pop_back();
    FakeDialogView view{CNewMixerRules::Controls()};
    CNewMixerRules rules{h.chart, view};
    view.Open(rules);
    view.Choose(IDC_PROCESS_NAME, 0);
    EXPECT_EQ(view.Selection(IDC_MIX_POINT), -1);
    EXPECT_EQ(view.Text(IDC_MIX_POINT), L"");
    view.Type(IDC_MIX_POINT, L"M1");
    ASSERT_TRUE(view.Click(IDC_ITEM_MODIFY));
    EXPECT_EQ(view.questions.size(), 0u);
    EXPECT_EQ(rules.WorkingPoints().back().name, L"M1");
    EXPECT_EQ(view[IDC_MIX_POINT].items.back(), L"M1");
}

TEST(MixerRules, DeleteKeepsTheMixPoint) {
    Harness h;
    h.view.Choose(IDC_PROCESS_NAME, 0);
    h.view.Answer(kAnswerYes);
    ASSERT_TRUE(h.view.Click(IDC_ITEM_DELETE));
    EXPECT_EQ(h.view.questions[0].text, L"Are you sure?");
    EXPECT_EQ(h.view.questions[0].style, kMsgYesNo | kMsgIconQuestion | kMsgDefaultButton2);
    EXPECT_TRUE(h.rules.WorkingMixes().empty());
    EXPECT_EQ(h.view.Text(IDC_PROCESS_NAME), L"");
    EXPECT_FALSE(h.view.Enabled(IDC_ITEM_DELETE));
    h.view.Enter();
    EXPECT_TRUE(h.view.closed);
    EXPECT_TRUE(h.chart.data.mixes.empty());
    EXPECT_NE(h.chart.data.FindPoint(L"M1"), nullptr);
}

// The chart's processes and the mixes fed by a renamed mix point follow it;
// a mix whose point would feed its own inputs is refused.
TEST(MixerRules, ARenamedMixPointTakesItsRecordsAlongAndNoMixFeedsItself) {
    Harness h([](CHumichartDataObj& data) {
        data.points.push_back({0, 0, L"M2"});
        data.mixes.push_back({L"M1", L"S", L"M2", L"Mix2", 100, 1000});
        data.processes = {{L"M1", L"R", L"Heat", 1000}};
    });
    // Mix2 with its own point as an input.
    h.view.Choose(IDC_PROCESS_NAME, 1);
    h.view.Choose(IDC_MIX_FRESH, 4);  // M2
    ASSERT_TRUE(h.view.Click(IDC_ITEM_MODIFY));
    ASSERT_EQ(h.view.questions.size(), 1u);
    EXPECT_EQ(h.view.questions[0].text,
              L"The mix point \"M2\" would feed its own mix. \n\nPlease choose other fresh and return points.");
    EXPECT_EQ(h.rules.WorkingMixes()[1].ptFresh, L"M1");

    h.view.Choose(IDC_PROCESS_NAME, 0);  // Mix1: O and R into M1
    h.view.Type(IDC_MIX_POINT, L"Mixed");
    h.view.Answer(kAnswerYes);
    ASSERT_TRUE(h.view.Click(IDC_ITEM_MODIFY));
    EXPECT_EQ(h.rules.WorkingMixes()[1].ptFresh, L"Mixed");
    ASSERT_TRUE(h.view.Click(IDC_APPLY));
    const CHumichartDataObj& data = h.chart.data;
    ASSERT_EQ(data.processes.size(), 1u);
    EXPECT_EQ(data.processes[0].ptStart, L"Mixed");
    EXPECT_EQ(data.mixes[1].ptFresh, L"Mixed");
    EXPECT_EQ(data.FindPoint(L"M1"), nullptr);
}

}  // namespace
}  // namespace humichart
