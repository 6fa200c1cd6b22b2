// "Transfer processes" over a stand-in view and chart: the lists, the
// buttons, what a process shows, every refusal of Add and Modify, the end
// point by heat-moisture ratio, the flow from a load and the write-back.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "CNewProcessRules.h"
#include "DialogCalc.h"
#include "FakeChart.h"
#include "FakeDialogView.h"
#include "PointByRatio.h"
#include "ProcessDialogsResource.h"
#include "ProcessTestSupport.h"
#include "ProcessTexts.h"
#include "TypedText.h"

namespace humichart {
namespace {

using test::FakeDialogView;

constexpr wchar_t kError[] = L"Error Report";

// One open dialog over its own chart: points A, B, an unnamed one and C, and
// two processes (P1 from A to B, an unnamed one from C to A).
struct Harness {
    explicit Harness(std::function<void(CHumichartDataObj&)> setUp = {}) {
        chart.data.points = {{50, 10, L"A"}, {40, 8, L"B"}, {30, 5, L""}, {60, 10, L"C"}};
        chart.data.processes = {{L"A", L"B", L"P1", 1000}, {L"C", L"A", L"", 10}};
        if (setUp) setUp(chart.data);
        view.Open(rules);
    }
    // Density of the air at a chart state, from the calculator.
    double Rho(double I, double D) {
        std::unique_ptr<ICalcSession> calc;
        chart.calc.Open(chart.data.airPressure, calc);
        return calc->ID_ROU_I_D(I, D);
    }
    // The user fills in a process: list items (-1: left alone), texts.
    void Fill(int start, int end, const wchar_t* flow, const wchar_t* name) {
        if (start >= 0) view.Choose(IDC_PROCESS_START, start);
        if (end >= 0) view.Choose(IDC_PROCESS_END, end);
        view.Type(IDC_AIR_FLOW, flow);
        view.Type(IDC_PROCESS_NAME, name);
    }
    // "+", "M", "-" as 1 (enabled) and 0.
    std::wstring Buttons() {
        std::wstring state;
        for (int id : {IDC_ITEM_ADD, IDC_ITEM_MODIFY, IDC_ITEM_DELETE}) state += view.Enabled(id) ? L'1' : L'0';
        return state;
    }

    test::FakeChart chart;
    test::ScriptedSubDialogs sub;
    FakeDialogView view{CNewProcessRules::Controls()};
    CNewProcessRules rules{chart, view, sub, test::kByHom};
};

TEST(ProcessRules, ListsHoldTheNamedPointsAfterByHomAndEveryProcess) {
    Harness h;
    FakeDialogView& view = h.view;
    const std::vector<std::wstring> points = {L"<By HOM>", L"A", L"B", L"C"};
    EXPECT_EQ(view[IDC_PROCESS_START].items, points);
    EXPECT_EQ(view[IDC_PROCESS_END].items, points);
    EXPECT_EQ(view[IDC_PROCESS_NAME].items, (std::vector<std::wstring>{L"P1", L""}));
    EXPECT_EQ(h.Buttons(), L"000");
    EXPECT_FALSE(view.Enabled(IDC_APPLY));
}

TEST(ProcessTexts, HeatAndRatioSwitchToExponentsAbove100000) {
    struct Case {
        std::wstring shown, expected;
    } cases[] = {
        {HeatText(100000.0), L"100000.00"},
        {HeatText(-100000.0), L"-100000.00"},
        {HeatText(100000.004), L"1.00000E+05"},
        {HeatText(-1234567.0), L"-1.23457E+06"},
        {HeatText(0.0), L"0.00"},
        {MoistureText(-0.123456), L"-0.12346"},
        {RatioText(0, 10, 100, 11), L"100000.00"},
        {RatioText(0, 10, 100.0001, 11), L"1.0000E+05"},
        {RatioText(50, 10, 40, 8), L"5000.00"},
        {RatioText(50, 10, 60, 10), L"+Infinite"},
        {RatioText(60, 10, 50, 10), L"-Infinite"},
        {RatioText(50, 10, 50, 10), L"(0)"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.shown, c.expected);
}

TEST(ProcessRules, ShowingAProcessSelectsItsPointsAndComputesItsLoads) {
    Harness h([](CHumichartDataObj& data) {
        data.points.push_back({51, 10.001, L"Steep"});
        data.points.push_back({45, 9, L"c"});
        data.processes = {{L"A", L"B", L"P1", 1000}, {L"A", L"C", L"Warm", 10},  {L"C", L"A", L"Cool", 10},
                          {L"A", L"A", L"Dot", 10},  {L"X", L"Y", L"Gone", 250}, {L"A", L"B", L"Big", 100000},
                          {L"A", L"Steep", L"Up", 1}, {L"c", L"A", L"Lower", 10}};
    });
    FakeDialogView& view = h.view;
    const double rho = h.Rho(50, 10);
    struct Case {
        int item, start, end;
        const wchar_t* flow;
        double heat, moisture;
        const wchar_t* ratio;
    } cases[] = {
        {0, 1, 2, L"1000.00", rho * 1000 * -10, rho * 1000 / 1000 * -2, L"5000.00"},
        {1, 1, 3, L"10.00", rho * 10 * 10, 0, L"+Infinite"},
        {2, 3, 1, L"10.00", h.Rho(60, 10) * 10 * -10, 0, L"-Infinite"},
        {3, 1, 1, L"10.00", 0, 0, L"(0)"},
        // Points renamed away count as the chart's origin.
        {4, -1, -1, L"250.00", 0, 0, L"(0)"},
        {5, 1, 2, L"100000.00", rho * 100000 * -10, rho * 100 * -2, L"5000.00"},
        {6, 1, 4, L"1.00", rho * 1, rho / 1000 * 0.001, L"1.0000E+06"},
        // Names are matched exactly: "c" is not "C" (item 3), so Modify does
        // not rebind the process either.
        {7, 5, 1, L"10.00", h.Rho(45, 9) * 10 * 5, h.Rho(45, 9) * 10 / 1000 * 1, L"5000.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        ASSERT_TRUE(view.Choose(IDC_PROCESS_NAME, c.item));
        EXPECT_EQ(view.Selection(IDC_PROCESS_START), c.start);
        EXPECT_EQ(view.Selection(IDC_PROCESS_END), c.end);
        EXPECT_EQ(view.Text(IDC_AIR_FLOW), c.flow);
        EXPECT_EQ(view.Text(IDC_PROCESS_HEAT), HeatText(c.heat));
        EXPECT_NEAR(LeadingNumber(view.Text(IDC_PROCESS_HEAT)), c.heat, 1e-5 * std::fabs(c.heat) + 0.006);
        EXPECT_EQ(view.Text(IDC_PROCESS_MOIST), MoistureText(c.moisture));
        EXPECT_EQ(view.Text(IDC_PROCESS_RATIO), c.ratio);
        // Showing is not editing: only "-" offers itself.
        EXPECT_EQ(h.Buttons(), L"001");
    }
    // The process from "c" modified in its flow alone still starts at "c".
    ASSERT_TRUE(view.Choose(IDC_PROCESS_NAME, 7));
    ASSERT_TRUE(view.Type(IDC_AIR_FLOW, L"20"));
    ASSERT_TRUE(view.Click(IDC_ITEM_MODIFY));
    EXPECT_EQ(h.rules.WorkingProcesses()[7].ptStart, L"c");
    EXPECT_EQ(h.rules.WorkingProcesses()[7].dAirFlow, 20.0);
}

TEST(ProcessRules, ButtonsFollowThePointsTheNameAndTheEdits) {
    Harness h;
    FakeDialogView& view = h.view;
    struct Step {
        const char* action;
        std::function<void()> act;
        const wchar_t* buttons;  // "+", "M", "-"
        bool ratioWritable;
    } steps[] = {
        {"a new name alone", [&] { view.Type(IDC_PROCESS_NAME, L"New"); }, L"000", false},
        {"a start point", [&] { view.Choose(IDC_PROCESS_START, 1); }, L"000", false},
        {"an end point", [&] { view.Choose(IDC_PROCESS_END, 2); }, L"100", false},
        {"the same end as start", [&] { view.Choose(IDC_PROCESS_END, 1); }, L"000", false},
        {"the end by ratio", [&] { view.Choose(IDC_PROCESS_END, 0); }, L"100", true},
        {"an existing process", [&] { view.Choose(IDC_PROCESS_NAME, 0); }, L"001", false},
        {"its flow edited", [&] { view.Type(IDC_AIR_FLOW, L"2000"); }, L"011", false},
        {"its own name in other case", [&] { view.Type(IDC_PROCESS_NAME, L"p1"); }, L"011", false},
        {"the other process's (empty) name", [&] { view.Type(IDC_PROCESS_NAME, L""); }, L"001", false},
        {"a new name for it", [&] { view.Type(IDC_PROCESS_NAME, L"Renamed"); }, L"111", false},
        {"the start by ratio", [&] { view.Choose(IDC_PROCESS_START, 0); }, L"111", true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        step.act();
        EXPECT_EQ(h.Buttons(), step.buttons);
        EXPECT_EQ(!view[IDC_PROCESS_RATIO].readOnly, step.ratioWritable);
    }
}

TEST(ProcessRules, AddAndModifyRefuseIncompleteOrDuplicateInput) {
    struct Case {
        const char* label;
        std::function<void(Harness&)> fill;
        int button;
        const wchar_t* message;  // null: refused without a word
        int focus;               // 0: the focus stays
    } cases[] = {
        {"no flow", [](Harness& h) { h.Fill(1, 3, L"", L"N"); }, IDC_ITEM_ADD, L"Forget input air flow?", IDC_AIR_FLOW},
        {"negative flow", [](Harness& h) { h.Fill(1, 3, L" -0.5", L"N"); }, IDC_ITEM_ADD,
         L"Are you sure air flow can be less than 0?", IDC_AIR_FLOW},
        {"no start", [](Harness& h) { h.Fill(-1, 3, L"1", L"N"); }, IDC_ITEM_ADD, L"Forget asign start point?",
         IDC_PROCESS_START},
        {"no end", [](Harness& h) { h.Fill(1, -1, L"1", L"N"); }, IDC_ITEM_ADD, L"Forget asign end point?",
         IDC_PROCESS_END},
        {"one point at both ends", [](Harness& h) { h.Fill(2, 2, L"1", L"N"); }, IDC_ITEM_ADD,
         L"God save me! \n\nDo you think end point can be the same as start one?", IDC_PROCESS_END},
        {"ratio at both ends", [](Harness& h) { h.Fill(0, 0, L"1", L"N"); }, IDC_ITEM_ADD,
         L"God save me! \n\nDo you think end point can be the same as start one?", IDC_PROCESS_END},
        {"no ratio", [](Harness& h) { h.Fill(0, 1, L"1", L"N"); }, IDC_ITEM_ADD, L"Forget input ratio?",
         IDC_PROCESS_RATIO},
        {"ratio point cancelled",
         [](Harness& h) {
             h.Fill(0, 1, L"1", L"N");
             h.view.Type(IDC_PROCESS_RATIO, L"5000");
         },
         IDC_ITEM_ADD, nullptr, 0},
        {"ratio point of an existing name",
         [](Harness& h) {
             h.Fill(1, 0, L"1", L"N");
             h.view.Type(IDC_PROCESS_RATIO, L"5000");
             h.sub.hom = HomPointQuery{L"C", 2, 12};
         },
         IDC_ITEM_ADD, L"Point already exists!", 0},
        {"flat ratio for a known enthalpy",
         [](Harness& h) {
             h.Fill(1, 0, L"1", L"N");
             h.view.Type(IDC_PROCESS_RATIO, L"0");
             h.sub.hom = HomPointQuery{L"New", 3, 60};
         },
         IDC_ITEM_ADD, L"New point is found invalid!", 0},
        {"B to A beside A to B", [](Harness& h) { h.Fill(2, 1, L"1", L"N"); }, IDC_ITEM_ADD,
         L"Same position found one existing process. \n\nPlease make changes.", IDC_PROCESS_START},
        {"modified onto another process's pair",
         [](Harness& h) {
             h.view.Choose(IDC_PROCESS_NAME, 0);
             h.view.Choose(IDC_PROCESS_START, 1);
             h.view.Choose(IDC_PROCESS_END, 3);
         },
         IDC_ITEM_MODIFY, L"Same position found one other existing process. \n\nPlease make changes.",
         IDC_PROCESS_START},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Harness h;
        c.fill(h);
        // Refusals are reached even where the button rule would not offer
        // the button.
        h.rules.OnEvent(c.button, ControlEvent::Clicked);
        if (c.message) {
            ASSERT_EQ(h.view.questions.size(), 1u);
            EXPECT_EQ(h.view.questions[0].text, c.message);
            EXPECT_EQ(h.view.questions[0].caption, kError);
            EXPECT_EQ(h.view.questions[0].style, kMsgOk | kMsgIconError);
        } else {
            EXPECT_TRUE(h.view.questions.empty());
        }
        EXPECT_EQ(h.view.focusMoves, c.focus ? std::vector<int>{c.focus} : std::vector<int>{});
        ASSERT_EQ(h.rules.WorkingProcesses().size(), 2u);
        EXPECT_EQ(h.rules.WorkingProcesses()[0].ptEnd, L"B");
        EXPECT_EQ(h.rules.WorkingProcesses()[1].ptEnd, L"A");
        EXPECT_EQ(h.rules.WorkingPoints().size(), 3u);
        EXPECT_FALSE(h.view.Enabled(IDC_APPLY));
    }
}

TEST(ProcessRules, AddModifyAndDeleteEditTheWorkingListOnly) {
    Harness h;
    FakeDialogView& view = h.view;
    // Add from B to C.
    h.Fill(2, 3, L"500", L"Warm");
    ASSERT_TRUE(view.Click(IDC_ITEM_ADD));
    ASSERT_EQ(h.rules.WorkingProcesses().size(), 3u);
    EXPECT_EQ(h.rules.WorkingProcesses()[2].ptEnd, L"C");
    EXPECT_EQ(h.rules.WorkingProcesses()[2].dAirFlow, 500.0);
    EXPECT_EQ(view.Selection(IDC_PROCESS_NAME), 2);
    EXPECT_EQ(view.Text(IDC_PROCESS_RATIO), L"10000.00");
    EXPECT_EQ(h.Buttons(), L"001");
    EXPECT_TRUE(view.Enabled(IDC_APPLY));
    EXPECT_EQ(h.chart.data.processes.size(), 2u);

    // Modify P1: its flow and name.
    view.Choose(IDC_PROCESS_NAME, 0);
    view.Type(IDC_AIR_FLOW, L"2000");
    view.Type(IDC_PROCESS_NAME, L"Heat B");
    ASSERT_TRUE(view.Click(IDC_ITEM_MODIFY));
    EXPECT_EQ(h.rules.WorkingProcesses()[0].ptEnd, L"B");
    EXPECT_EQ(h.rules.WorkingProcesses()[0].dAirFlow, 2000.0);
    EXPECT_EQ(h.rules.WorkingProcesses()[0].name, L"Heat B");
    EXPECT_EQ(view[IDC_PROCESS_NAME].items, (std::vector<std::wstring>{L"Heat B", L"", L"Warm"}));
    EXPECT_EQ(view.Selection(IDC_PROCESS_NAME), 0);
    EXPECT_EQ(h.Buttons(), L"001");

    // Delete asks first; No keeps everything.
    view.Answer(kAnswerNo);
    ASSERT_TRUE(view.Click(IDC_ITEM_DELETE));
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, L"Are you sure?");
    EXPECT_EQ(view.questions[0].caption, L"Delete Confirm");
    EXPECT_EQ(view.questions[0].style, kMsgYesNo | kMsgIconQuestion | kMsgDefaultButton2);
    EXPECT_EQ(h.rules.WorkingProcesses().size(), 3u);

    // Deleting the last item shows the one before it, which can go next.
    view.Choose(IDC_PROCESS_NAME, 2);
    view.Answer(kAnswerYes);
    ASSERT_TRUE(view.Click(IDC_ITEM_DELETE));
    EXPECT_EQ(view.Selection(IDC_PROCESS_NAME), 1);
    EXPECT_EQ(view.Text(IDC_AIR_FLOW), L"10.00");
    EXPECT_EQ(h.Buttons(), L"001");
    for (int left = 2; left > 0; --left) {
        view.Answer(kAnswerYes);
        ASSERT_TRUE(view.Click(IDC_ITEM_DELETE));
    }
    EXPECT_TRUE(h.rules.WorkingProcesses().empty());
    EXPECT_EQ(view.Text(IDC_PROCESS_NAME), L"");
    EXPECT_FALSE(view.Enabled(IDC_ITEM_DELETE));
    EXPECT_EQ(h.rules.SelectedIndex(), -1);

    // Everything deleted, a process can be added again.
    h.Fill(1, 2, L"100", L"Again");
    ASSERT_TRUE(view.Click(IDC_ITEM_ADD));
    EXPECT_EQ(view[IDC_PROCESS_NAME].items, std::vector<std::wstring>{L"Again"});
    EXPECT_EQ(h.chart.data.processes.size(), 2u);
    EXPECT_EQ(h.chart.repaints, 0);
}

TEST(ProcessRules, AnEndByRatioBecomesANewPointOnTheLine) {
    Harness h;
    FakeDialogView& view = h.view;
    h.Fill(1, 0, L"100", L"To N");
    view.Type(IDC_PROCESS_RATIO, L"5000");
    h.sub.hom = HomPointQuery{L"N", static_cast<int>(KnownKind::Moisture), 12};
    ASSERT_TRUE(view.Click(IDC_ITEM_ADD));
    ASSERT_EQ(h.rules.WorkingPoints().size(), 4u);
    const StatePoint& n = h.rules.WorkingPoints()[3];
    EXPECT_EQ(n.name, L"N");
    EXPECT_DOUBLE_EQ(n.D, 12.0);
    EXPECT_DOUBLE_EQ(n.I, 60.0);
    EXPECT_EQ(view[IDC_PROCESS_START].items.back(), L"N");
    EXPECT_EQ(view[IDC_PROCESS_END].items.back(), L"N");
    EXPECT_EQ(h.rules.WorkingProcesses().back().ptEnd, L"N");
    // Shown with the new point chosen in the end list.
    EXPECT_EQ(view.Selection(IDC_PROCESS_END), 4);
    EXPECT_EQ(view.Text(IDC_PROCESS_RATIO), L"5000.00");
}

// A line from a point 60 kJ/kg above the saturation curve, as steep as the
// curve is far out: it creeps towards the 100 % curve and never meets it
// inside the chart.
TEST(ProcessRules, ARatioLineThatNeverMeetsTheHumidityCurveCreatesNoPoint) {
    double hot = 0;
    {
        test::CountingCalcBinding calc;
        std::unique_ptr<ICalcSession> session;
        calc.Open(101325, session);
        hot = session->ID_I_D_F(10, 1.0) + 60;
    }
    Harness h([&](CHumichartDataObj& data) { data.points.push_back({hot, 10, L"Hot"}); });
    h.Fill(4, 0, L"100", L"Saturate");
    h.view.Type(IDC_PROCESS_RATIO, L"2684");
    h.sub.hom = HomPointQuery{L"Wet", static_cast<int>(KnownKind::RelHumidity), 100};
    h.chart.calc.Reset();
    ASSERT_TRUE(h.view.Click(IDC_ITEM_ADD));
    ASSERT_EQ(h.view.questions.size(), 1u);
    EXPECT_EQ(h.view.questions[0].text, L"New point is found invalid!");
    EXPECT_EQ(h.rules.WorkingPoints().size(), 4u);
    EXPECT_EQ(h.rules.WorkingProcesses().size(), 2u);
    // The search along the line is bounded (it finds no crossing here).
    EXPECT_LE(h.chart.calc.calls, 1000);
    EXPECT_EQ(h.chart.calc.sessions, 1);
}

TEST(ProcessRules, FlowComesFromAKnownLoad) {
    struct Case {
        const char* label;
        int item;              // process double-clicked
        std::optional<double> load;
        int loadKind;
        bool asked;
        unsigned loadSet;
        double scale;          // flow the loads are computed for
        double flow;           // flow stored afterwards (0: unchanged)
        const wchar_t* refusal = nullptr;  // and nothing stored
    };
    Harness probe;
    const double rhoA = probe.Rho(50, 10), rhoC = probe.Rho(60, 10);
    const Case cases[] = {
        {"heat of A to B", 0, -5000.0, 0, true, 3, 1000, -5000 / rhoA / -10},
        {"moisture of A to B", 0, -1.0, 1, true, 3, 1000, -1 / rhoA / -2 * 1000},
        {"positive heat for a negative load", 0, 5000.0, 0, true, 3, 1000, 0, L"Invalid value input!"},
        {"negative heat for a positive load", 5, -5000.0, 0, true, 3, 10, 0,
         L"Are you sure air flow can be less than 0?"},
        {"negative moisture for a positive load", 5, -1.0, 1, true, 3, 10, 0,
         L"Are you sure air flow can be less than 0?"},
        {"C to A has no moisture load", 1, -300.0, 0, true, 1, 10, -300 / rhoC / -10},
        {"no flow yet: loads of 1 m3/h", 2, -20.0, 0, true, 3, 1, -20 / rhoA / -10},
        {"cancelled", 0, std::nullopt, 0, true, 3, 1000, 0},
        {"points that coincide", 3, 1.0, 0, false, 0, 0, 0},
        {"points renamed away", 4, 1.0, 0, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Harness h([](CHumichartDataObj& data) {
            data.points.push_back({50, 10, L"A2"});
            data.processes.push_back({L"A", L"B", L"Still", 0});
            data.processes.push_back({L"A", L"A2", L"Dot", 10});
            data.processes.push_back({L"X", L"Y", L"Gone", 10});
            data.processes.push_back({L"B", L"A", L"Warm", 10});
        });
        h.sub.load = c.load;
        h.sub.loadKind = c.loadKind;
        const double before = h.rules.WorkingProcesses()[c.item].dAirFlow;
        ASSERT_TRUE(h.view.DoubleClick(IDC_PROCESS_NAME, c.item));
        EXPECT_EQ(h.sub.flowAsked, c.asked ? 1 : 0);
        const double after = h.rules.WorkingProcesses()[c.item].dAirFlow;
        if (!c.asked) {
            EXPECT_EQ(after, before);
            continue;
        }
        const StatePoint& start = *h.chart.data.FindPoint(h.chart.data.processes[c.item].ptStart);
        const StatePoint& end = *h.chart.data.FindPoint(h.chart.data.processes[c.item].ptEnd);
        const double mass = h.Rho(start.I, start.D) * c.scale;
        EXPECT_EQ(h.sub.flowAsk.loadSet, c.loadSet);
        EXPECT_EQ(h.sub.flowAsk.loadKind, 0);
        EXPECT_NEAR(h.sub.flowAsk.heatLoad, (end.I - start.I) * mass, 1e-9);
        EXPECT_NEAR(h.sub.flowAsk.moistureLoad, mass / 1000 * (end.D - start.D), 1e-12);
        if (c.refusal) {
            // Told once, by "Get air flow" or by the dialog itself.
            std::vector<std::wstring> told = h.sub.flowQuestions;
            for (const auto& question : h.view.questions) told.push_back(question.text);
            EXPECT_EQ(told, std::vector<std::wstring>{c.refusal});
            EXPECT_EQ(after, before);
            EXPECT_FALSE(h.view.Enabled(IDC_APPLY));
        } else if (c.load) {
            EXPECT_NEAR(after, c.flow, 1e-9);
            EXPECT_EQ(h.view.Text(IDC_AIR_FLOW), FormatNumber("%.2f", c.flow));
            EXPECT_TRUE(h.view.Enabled(IDC_APPLY));
        } else {
            EXPECT_EQ(after, before);
            EXPECT_FALSE(h.view.Enabled(IDC_APPLY));
        }
    }
}

TEST(ProcessRules, ApplyWritesPointsAndProcessesBackAndDropsUnnamedPoints) {
    Harness h([](CHumichartDataObj& data) { data.points.push_back({20, 4, L"A"}); });
    FakeDialogView& view = h.view;
    h.Fill(2, 0, L"100", L"By ratio");
    view.Type(IDC_PROCESS_RATIO, L"-2000");
    h.sub.hom = HomPointQuery{L"N", static_cast<int>(KnownKind::Moisture), 9};
    ASSERT_TRUE(view.Click(IDC_ITEM_ADD));
    ASSERT_TRUE(view.Click(IDC_APPLY));
    const auto& points = h.chart.data.points;
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[0].name, L"A");
    EXPECT_EQ(points[1].name, L"B");
    EXPECT_EQ(points[2].name, L"C");
    // Two points named A stay two points, each with its own coordinates.
    EXPECT_EQ(points[0].I, 50.0);
    EXPECT_EQ(points[3].name, L"A");
    EXPECT_EQ(points[3].I, 20.0);
    EXPECT_EQ(points[4].name, L"N");
    EXPECT_DOUBLE_EQ(points[4].I, 40 - 2.0 * (9 - 8));
    ASSERT_EQ(h.chart.data.processes.size(), 3u);
    EXPECT_EQ(h.chart.data.processes[2].ptStart, L"B");
    EXPECT_EQ(h.chart.data.processes[2].ptEnd, L"N");
    EXPECT_EQ(h.chart.repaints, 1);
    EXPECT_EQ(h.chart.renders, 0);
    EXPECT_EQ(h.chart.userChanges, 1);
    EXPECT_FALSE(view.Enabled(IDC_APPLY));

    // Applied twice: the second Apply has nothing new but writes the same.
    h.Fill(2, 3, L"1", L"Second");
    ASSERT_TRUE(view.Click(IDC_ITEM_ADD));
    ASSERT_TRUE(view.Click(IDC_APPLY));
    EXPECT_EQ(h.chart.data.processes.size(), 4u);
    EXPECT_EQ(h.chart.data.points.size(), 5u);
    EXPECT_EQ(h.chart.repaints, 2);
    EXPECT_EQ(h.chart.userChanges, 2);

    // Cancel after Apply keeps what was applied and drops the rest.
    view.Answer(kAnswerYes);
    ASSERT_TRUE(view.Click(IDC_ITEM_DELETE));
    view.Escape();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(view.result, IDCANCEL);
    EXPECT_EQ(h.chart.data.processes.size(), 4u);
    EXPECT_EQ(h.chart.repaints, 2);
}

TEST(ProcessRules, OkAppliesOnlyWhatIsPending) {
    for (bool pending : {false, true}) {
        SCOPED_TRACE(pending);
        Harness h;
        if (pending) {
            h.Fill(2, 3, L"5", L"New");
            ASSERT_TRUE(h.view.Click(IDC_ITEM_ADD));
        }
        h.view.Enter();
        EXPECT_TRUE(h.view.closed);
        EXPECT_EQ(h.view.result, IDOK);
        EXPECT_EQ(h.chart.repaints, pending ? 1 : 0);
        EXPECT_EQ(h.chart.data.processes.size(), pending ? 3u : 2u);
        // Only Apply drops the unnamed point.
        EXPECT_EQ(h.chart.data.points.size(), pending ? 3u : 4u);
    }
}

TEST(ProcessRules, ThousandsOfPointsAndVeryLongNames) {
    const std::wstring longName(100000, L'x');
    Harness h([&](CHumichartDataObj& data) {
        for (int i = 0; i < 1000; ++i) data.points.push_back({10.0 + i % 50, 1.0 + i % 20, L"P" + std::to_wstring(i)});
        data.points.push_back({70, 12, longName});
    });
    EXPECT_EQ(h.view.ItemCount(IDC_PROCESS_START), 1 + 3 + 1000 + 1);
    h.Fill(1, 1004, L"1", longName.c_str());
    ASSERT_TRUE(h.view.Click(IDC_ITEM_ADD));
    ASSERT_TRUE(h.view.Click(IDC_APPLY));
    EXPECT_EQ(h.chart.data.processes.back().ptEnd, longName);
    EXPECT_EQ(h.chart.data.processes.back().name, longName);
    EXPECT_EQ(h.chart.data.points.size(), 1004u);
    EXPECT_EQ(h.view.Text(IDC_PROCESS_RATIO), RatioText(50, 10, 70, 12));
}

TEST(ProcessRules, ACalculatorThatCannotBeCreatedIsReportedAndChangesNothing) {
    Harness h;
    h.chart.calc.openStatus = static_cast<Status>(0x80040154u);  // class not registered
    ASSERT_TRUE(h.view.Choose(IDC_PROCESS_NAME, 0));
    ASSERT_EQ(h.view.questions.size(), 1u);
    EXPECT_EQ(h.view.questions[0].text, CalculatorFailureText(static_cast<Status>(0x80040154u)));
    EXPECT_EQ(h.view.Text(IDC_PROCESS_HEAT), L"");
    EXPECT_EQ(h.view.Text(IDC_PROCESS_RATIO), L"5000.00");

    h.sub.load = 1.0;
    ASSERT_TRUE(h.view.DoubleClick(IDC_PROCESS_NAME, 0));
    EXPECT_EQ(h.sub.flowAsked, 0);

    h.Fill(1, 0, L"1", L"N");
    h.view.Type(IDC_PROCESS_RATIO, L"5000");
    h.sub.hom = HomPointQuery{L"N", 2, 12};
    ASSERT_TRUE(h.view.Click(IDC_ITEM_ADD));
    EXPECT_EQ(h.rules.WorkingPoints().size(), 3u);
    EXPECT_EQ(h.rules.WorkingProcesses().size(), 2u);
    EXPECT_FALSE(h.view.Enabled(IDC_APPLY));
    EXPECT_EQ(h.view.questions.back().caption, kError);
}

}  // namespace
}  // namespace humichart
