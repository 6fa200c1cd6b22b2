#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "CCoreCalcSession.h"
#include "CPointDialogRules.h"
#include "FakeChart.h"
#include "FakeDialogView.h"
#include "PointDialogsResource.h"
#include "TypedText.h"

namespace humichart {
namespace {

using test::FakeChart;
using test::FakeDialogView;
using Rules = CPointDialogRules;

constexpr int kName = IDC_POINTS_NAME, kAdd = IDC_POINTS_ADD, kModify = IDC_POINTS_MODIFY,
              kDelete = IDC_POINTS_DELETE, kApply = IDC_POINTS_APPLY;
constexpr int DBT = IDC_POINTS_CHECK_DBT, MC = IDC_POINTS_CHECK_MC, DPT = IDC_POINTS_CHECK_DPT,
              VP = IDC_POINTS_CHECK_VP, RH = IDC_POINTS_CHECK_RH, WBT = IDC_POINTS_CHECK_WBT,
              IE = IDC_POINTS_CHECK_I;
constexpr int kChecks[] = {DBT, MC, DPT, VP, RH, WBT, IE};

int EditOf(int check) {
    for (const auto& parameter : Rules::kParameters)
        if (parameter.check == check) return parameter.edit;
    return 0;
}

// The quantity each check box fixes, as the user sees the groups.
int GroupOf(int check) {
    if (check == MC || check == DPT || check == VP) return 1;
    if (check == WBT || check == IE) return 2;
    return 0;
}

std::wstring Exact(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

class PointDialogTest : public ::testing::Test {
protected:
    void Open() { view.Open(rules); }
    // Checks the box and types value into its edit.
    void Known(int check, const std::wstring& value) {
        ASSERT_TRUE(view.Click(check)) << check;
        ASSERT_TRUE(view.Type(EditOf(check), value)) << check;
    }
    CCoreCalcSession& Core() {
        core.SetInit(chart.data.airPressure);
        return core;
    }
    std::vector<std::wstring> ChartNames() const {
        std::vector<std::wstring> names;
        for (const StatePoint& point : chart.data.points) names.push_back(point.name);
        return names;
    }
    bool On(int id) { return view[id].enabled; }

    FakeChart chart;
    FakeDialogView view{Rules::Controls()};
    Rules rules{chart, view};
    CCoreCalcSession core;
};

// Every allowed set of known parameters, reached by clicks in every order,
// and every click the rule must refuse on the way.
TEST_F(PointDialogTest, CheckBoxRuleOverEveryCombination) {
    Open();
    std::vector<std::set<int>> allowed = {{}};
    for (int a : kChecks) {
        allowed.push_back({a});
        for (int b : kChecks)
            if (a < b && (GroupOf(a) == 0 || GroupOf(a) != GroupOf(b))) allowed.push_back({a, b});
    }
    ASSERT_EQ(allowed.size(), 1u + 7u + 17u);

    const auto expectState = [&](const std::set<int>& known) {
        int mask = 0;
        for (const auto& parameter : Rules::kParameters)
            if (known.count(parameter.check)) mask |= parameter.bit;
        EXPECT_EQ(rules.knownCount, static_cast<int>(known.size()));
        EXPECT_EQ(rules.knownMask, mask);
        for (int check : kChecks) {
            const bool isKnown = known.count(check) > 0;
            bool enabled = isKnown || known.size() < 2;
            for (int other : known)
                if (other != check && GroupOf(other) != 0 && GroupOf(other) == GroupOf(check)) enabled = false;
            EXPECT_EQ(view[check].checked, isKnown) << check;
            EXPECT_EQ(view[check].enabled, enabled) << check << " with " << known.size() << " known";
            EXPECT_EQ(view[EditOf(check)].readOnly, !isKnown) << check;
        }
    };

    for (const std::set<int>& target : allowed) {
        std::vector<int> order(target.begin(), target.end());
        do {
            std::set<int> known;
            expectState(known);
            for (int check : order) {
                // Every box the user could click now that the target does not
                // hold: clicking it is either impossible or undone.
                ASSERT_TRUE(view.Click(check));
                known.insert(check);
                expectState(known);
            }
            for (int check : kChecks) {
                if (known.count(check)) continue;
                const bool groupTaken = [&] {
                    for (int other : known)
                        if (GroupOf(other) != 0 && GroupOf(other) == GroupOf(check)) return true;
                    return false;
                }();
                if (known.size() == 2 || groupTaken) {
                    EXPECT_FALSE(view.Click(check)) << check;
                }
            }
            // Unchecking in reverse order comes back through every state.
            for (auto it = order.rbegin(); it != order.rend(); ++it) {
                ASSERT_TRUE(view.Click(*it));
                known.erase(*it);
                expectState(known);
            }
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

struct ButtonCase {
    const char* what;
    int select;             // -1: nothing selected
    const wchar_t* name;    // typed after the selection; null: left as it is
    int knownBoxes;         // 0, 1 or 2 (DB.T and R.H)
    bool editValue;         // a value typed while a point is selected
    bool add, modify, remove;
};

TEST_F(PointDialogTest, ButtonAndNameRules) {
    const ButtonCase cases[] = {
        {"new name, two known", -1, L"New", 2, false, true, false, false},
        {"new name, one known", -1, L"New", 1, false, false, false, false},
        {"another's name in other case", -1, L"room", 2, false, false, false, false},
        {"empty name", -1, L"", 2, false, false, false, false},
        {"selected, untouched", 0, nullptr, 2, false, false, false, true},
        {"selected, value edited", 0, nullptr, 2, true, false, true, true},
        {"selected, value edited, one known", 0, nullptr, 1, true, false, false, true},
        {"selected, renamed", 0, L"Supply", 2, false, true, true, true},
        {"selected, own name in other case", 0, L"ROOM", 2, true, false, true, true},
        {"selected, name of another", 0, L"OUT", 2, true, false, false, true},
        {"selected, name emptied", 1, L"", 2, true, false, false, true},
        {"name with a trailing blank is new", 1, L"Out ", 2, false, true, true, true},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeChart fresh;
        fresh.data.points = {{50, 10, L"Room"}, {40, 8, L""}, {30, 5, L"Out"}};
        FakeDialogView v{Rules::Controls()};
        Rules r{fresh, v};
        v.Open(r);
        ASSERT_EQ(v[kName].items, (std::vector<std::wstring>{L"Room", L"Out"}));
        EXPECT_FALSE(v[kAdd].enabled || v[kModify].enabled || v[kDelete].enabled || v[kApply].enabled);
        if (c.select >= 0) { ASSERT_TRUE(v.Choose(kName, c.select)); }
        if (c.knownBoxes >= 1) { ASSERT_TRUE(v.Click(DBT)); }
        if (c.knownBoxes >= 2) { ASSERT_TRUE(v.Click(RH)); }
        if (c.editValue) { ASSERT_TRUE(v.Type(EditOf(DBT), L"21")); }
        if (c.name) { ASSERT_TRUE(v.Type(kName, c.name)); }
        EXPECT_EQ(v[kAdd].enabled, c.add);
        EXPECT_EQ(v[kModify].enabled, c.modify);
        EXPECT_EQ(v[kDelete].enabled, c.remove);
    }
}

struct DeriveCase {
    int first, second;
    const wchar_t* a;
    const wchar_t* b;
    double I, D;  // filled in by the test from the core
};

TEST_F(PointDialogTest, EveryPairOfKindsDerivesThePointFromTheCalculator) {
    chart.data.airPressure = 95000.0;
    CCoreCalcSession& c = Core();
    const double wetI = c.ID_I_TS(18.0);
    DeriveCase cases[] = {
        {DBT, MC, L"25", L"10", c.ID_I_T_D(25, 10), 10},
        {DBT, DPT, L"25", L"12", c.ID_I_T_D(25, c.ID_D_T_F(12, 1)), c.ID_D_T_F(12, 1)},
        {DBT, VP, L"25", L"1500", c.ID_I_T_D(25, c.ID_D_PQ(1500)), c.ID_D_PQ(1500)},
        {DBT, RH, L"25", L"50", c.ID_I_T_F(25, 0.5), c.ID_D_T_F(25, 0.5)},
        {DBT, WBT, L"25", L"18", wetI, c.ID_D_T_I(25, wetI)},
        {DBT, IE, L"25", L"50", 50, c.ID_D_T_I(25, 50)},
        {MC, RH, L"8", L"60", c.ID_I_D_F(8, 0.6), 8},
        {DPT, RH, L"10", L"60", c.ID_I_D_F(c.ID_D_T_F(10, 1), 0.6), c.ID_D_T_F(10, 1)},
        {VP, RH, L"1200", L"60", c.ID_I_D_F(c.ID_D_PQ(1200), 0.6), c.ID_D_PQ(1200)},
        {MC, IE, L"8", L"40", 40, 8},
        {DPT, WBT, L"8", L"18", wetI, c.ID_D_T_F(8, 1)},
        {VP, IE, L"1000", L"45", 45, c.ID_D_PQ(1000)},
        {RH, IE, L"60", L"50", 50, c.ID_D_I_F(50, 0.6)},
        {RH, WBT, L"60", L"18", wetI, c.ID_D_I_F(wetI, 0.6)},
        // Typed texts read as their leading decimal number, with a dot.
        {DBT, MC, L" 25,7", L"1e1", c.ID_I_T_D(25, 10), 10},
        {DBT, MC, L"25abc", L"+10.", c.ID_I_T_D(25, 10), 10},
    };
    int n = 0;
    for (const DeriveCase& k : cases) {
        const std::wstring name = L"P" + std::to_wstring(++n);
        SCOPED_TRACE(testing::PrintToString(name));
        FakeChart fresh;
        fresh.data.airPressure = chart.data.airPressure;
        FakeDialogView v{Rules::Controls()};
        Rules r{fresh, v};
        v.Open(r);
        ASSERT_TRUE(v.Click(k.first));
        ASSERT_TRUE(v.Click(k.second));
        ASSERT_TRUE(v.Type(EditOf(k.first), k.a));
        ASSERT_TRUE(v.Type(EditOf(k.second), k.b));
        ASSERT_TRUE(v.Type(kName, name));
        fresh.calc.Reset();
        ASSERT_TRUE(v.Click(kAdd));
        EXPECT_TRUE(v.questions.empty()) << testing::PrintToString(v.questions.empty() ? L"" : v.questions[0].text);
        ASSERT_EQ(r.WorkingPoints().size(), 1u);
        EXPECT_DOUBLE_EQ(r.WorkingPoints()[0].I, k.I);
        EXPECT_DOUBLE_EQ(r.WorkingPoints()[0].D, k.D);
        EXPECT_EQ(fresh.calc.sessions, 2) << "one session to derive, one to show";
        EXPECT_EQ(fresh.calc.pressures, 95000.0);
        // The stored point is selected and shown in all seven fields.
        EXPECT_EQ(v[kName].selection, 0);
        EXPECT_EQ(v[kName].text, name);
        EXPECT_EQ(v[IDC_POINTS_EDIT_I].text, FormatNumber("%.2f", k.I));
        EXPECT_EQ(v[IDC_POINTS_EDIT_MC].text, FormatNumber("%.3f", k.D));
        EXPECT_EQ(v[IDC_POINTS_EDIT_DBT].text, FormatNumber("%.2f", c.ID_T_D_I(k.D, k.I)));
        EXPECT_EQ(v[IDC_POINTS_EDIT_DPT].text, FormatNumber("%.2f", c.ID_T_D_F(k.D, 1)));
        EXPECT_EQ(v[IDC_POINTS_EDIT_WBT].text, FormatNumber("%.2f", c.ID_TS_I(k.I)));
        EXPECT_EQ(v[IDC_POINTS_EDIT_RH].text, FormatNumber("%.1f", c.ID_F_D_I(k.D, k.I) * 100));
        EXPECT_EQ(v[IDC_POINTS_EDIT_VP].text, FormatNumber("%.1f", c.ID_PQ_D(k.D)));
        EXPECT_EQ(r.valuesEdited, 0) << "showing is not editing";
        EXPECT_TRUE(v[kApply].enabled);
        EXPECT_FALSE(v[kAdd].enabled);
        EXPECT_TRUE(fresh.data.points.empty()) << "the chart waits for Apply";
    }
}

TEST_F(PointDialogTest, SaturationCorrectionFromElevenThousandthsOfAGram) {
    Open();
    CCoreCalcSession& c = Core();
    // Enthalpies where Dsat + step lies step or more above Dsat in doubles.
    struct Case {
        double above;
        bool asked;
    };
    const Case cases[] = {{0.0011, true}, {0.0012, true}, {0.001, false}, {0.00109, false}, {-1.0, false}};
    for (const Case& k : cases) {
        double I = 40.0;
        double Dsat = c.ID_D_I_F(I, 1);
        while ((Dsat + k.above) - Dsat < k.above && k.asked) {
            I += 0.37;
            Dsat = c.ID_D_I_F(I, 1);
        }
        for (int answer : {kAnswerYes, kAnswerNo}) {
            SCOPED_TRACE(testing::Message() << k.above << " answer " << answer);
            FakeChart fresh;
            FakeDialogView v{Rules::Controls()};
            Rules r{fresh, v};
            v.Open(r);
            ASSERT_TRUE(v.Click(MC));
            ASSERT_TRUE(v.Click(IE));
            ASSERT_TRUE(v.Type(EditOf(IE), Exact(I)));
            ASSERT_TRUE(v.Type(EditOf(MC), Exact(Dsat + k.above)));
            ASSERT_TRUE(v.Type(kName, L"S"));
            v.Answer(answer);
            ASSERT_TRUE(v.Click(kAdd));
            if (!k.asked) {
                EXPECT_TRUE(v.questions.empty());
                ASSERT_EQ(r.WorkingPoints().size(), 1u);
                EXPECT_EQ(r.WorkingPoints()[0].D, Dsat + k.above);
                continue;
            }
            ASSERT_EQ(v.questions.size(), 1u);
            EXPECT_EQ(v.questions[0].text, L"This point is out of the posible range! \n\nLet me correct it for you?");
            EXPECT_EQ(v.questions[0].caption, L"Error Report");
            EXPECT_EQ(v.questions[0].style, kMsgYesNo | kMsgIconQuestion);
            if (answer == kAnswerYes) {
                ASSERT_EQ(r.WorkingPoints().size(), 1u);
                EXPECT_EQ(r.WorkingPoints()[0].D, Dsat);
                EXPECT_EQ(r.WorkingPoints()[0].I, I);
            } else {
                EXPECT_TRUE(r.WorkingPoints().empty());
                EXPECT_EQ(v.focusMoves, std::vector<int>{EditOf(MC)}) << "the first known parameter's edit";
                EXPECT_TRUE(v[kName].items.empty());
            }
        }
    }
}

struct RejectCase {
    const char* what;
    int first, second;
    const wchar_t* a;
    const wchar_t* b;
    const wchar_t* name;
    std::vector<std::wstring> messages;
    std::vector<int> focus;
};

TEST_F(PointDialogTest, InputsThatDescribeNoStorablePointChangeNothing) {
    const std::wstring range = L"One or more input value(s) is not valid or the point is out of our range!";
    const std::wstring saturation = L"This point is out of the posible range! \n\nLet me correct it for you?";
    const RejectCase cases[] = {
        {"empty name", DBT, RH, L"20", L"50", L"", {}, {kName}},
        {"empty first value", DBT, RH, L"", L"50", L"N", {L"Forget input value?"}, {EditOf(DBT)}},
        {"empty second value", DBT, RH, L"20", L"", L"N", {L"Forget input value?"}, {EditOf(RH)}},
        {"too hot", DBT, MC, L"1e3", L"5", L"N", {range}, {EditOf(DBT)}},
        {"beyond Dmax", DBT, MC, L"20", L"43", L"N", {range, saturation}, {EditOf(DBT), EditOf(DBT)}},
        {"below Tmin", IE, MC, L"-40", L"0.01", L"N", {range}, {EditOf(MC)}},
        {"negative D", DBT, MC, L"20", L"-0.5", L"N", {range}, {EditOf(DBT)}},
        {"vapour pressure at the air's", DBT, VP, L"20", L"200000", L"N", {range, saturation},
         {EditOf(DBT), EditOf(DBT)}},
        {"inf reads 0, above saturation", IE, MC, L"inf", L"5", L"N", {saturation}, {EditOf(MC)}},
    };
    for (const RejectCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeChart fresh;
        fresh.data.points = {{40, 6, L"A"}};
        FakeDialogView v{Rules::Controls()};
        Rules r{fresh, v};
        v.Open(r);
        ASSERT_TRUE(v.Click(c.first));
        ASSERT_TRUE(v.Click(c.second));
        v.Type(EditOf(c.first), c.a);
        v.Type(EditOf(c.second), c.b);
        v.Type(kName, c.name);
        // Force the command even where the rules disabled the button.
        for (std::size_t i = 0; i < 2; ++i) v.Answer(kAnswerNo);
        r.nameIsNew = r.nameUsable = 1;
        r.Add();
        std::vector<std::wstring> asked;
        for (const auto& q : v.questions) {
            asked.push_back(q.text);
            EXPECT_EQ(q.caption, L"Error Report");
            EXPECT_EQ(q.style & 0xF0u, q.text == saturation ? kMsgIconQuestion : kMsgIconError);
        }
        EXPECT_EQ(asked, c.messages);
        EXPECT_EQ(v.focusMoves, c.focus);
        EXPECT_EQ(r.WorkingPoints().size(), 1u);
        EXPECT_EQ(v[kName].items.size(), 1u);
        EXPECT_FALSE(v[kApply].enabled);
    }
}

TEST_F(PointDialogTest, ModifyOverwritesTheSelectedPointAndRenamesIt) {
    chart.data.points = {{40, 6, L"A"}, {50, 9, L"B"}};
    Open();
    ASSERT_TRUE(view.Choose(kName, 1));
    EXPECT_EQ(view[IDC_POINTS_EDIT_I].text, L"50.00");
    EXPECT_EQ(view[IDC_POINTS_EDIT_MC].text, L"9.000");
    EXPECT_FALSE(On(kModify));
    Known(IE, L"45");
    Known(MC, L"8");
    EXPECT_TRUE(On(kModify));
    ASSERT_TRUE(view.Click(kModify));
    EXPECT_EQ(rules.WorkingPoints()[1].I, 45.0);
    EXPECT_EQ(rules.WorkingPoints()[1].D, 8.0);
    EXPECT_EQ(view[kName].items, (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(view[kName].selection, 1);

    ASSERT_TRUE(view.Type(kName, L"B2"));
    ASSERT_TRUE(view.Click(kModify));
    EXPECT_EQ(view[kName].items, (std::vector<std::wstring>{L"A", L"B2"}));
    EXPECT_EQ(rules.WorkingPoints()[1].name, L"B2");
    EXPECT_EQ(rules.selectedIndex, 1);
    EXPECT_FALSE(On(kModify));

    // A command that the rules do not allow only disables its button.
    rules.selectedIndex = -1;
    view[kModify].enabled = true;
    rules.Modify();
    EXPECT_FALSE(On(kModify));
    EXPECT_EQ(rules.WorkingPoints()[1].name, L"B2");
}

TEST_F(PointDialogTest, DeleteAsksAndSelectsTheNextPoint) {
    chart.data.points = {{40, 6, L"A"}, {50, 9, L"B"}, {30, 4, L"C"}};
    Open();
    ASSERT_TRUE(view.Choose(kName, 2));
    view.Answer(kAnswerNo);
    ASSERT_TRUE(view.Click(kDelete));
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, L"Are you sure?");
    EXPECT_EQ(view.questions[0].caption, L"Delete Confirm");
    EXPECT_EQ(view.questions[0].style, kMsgYesNo | kMsgIconQuestion | kMsgDefaultButton2);
    EXPECT_EQ(view[kName].items.size(), 3u);
    EXPECT_FALSE(On(kApply));

    // The last of three: the new last is shown.
    view.Answer(kAnswerYes);
    ASSERT_TRUE(view.Click(kDelete));
    EXPECT_EQ(view[kName].items, (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(view[kName].selection, 1);
    EXPECT_EQ(view[IDC_POINTS_EDIT_I].text, L"50.00");
    EXPECT_TRUE(On(kApply));
    // Then every other one; the last leaves an empty name and no "-".
    for (int left = 2; left > 0; --left) {
        view.Answer(kAnswerYes);
        ASSERT_TRUE(view.Click(kDelete));
    }
    EXPECT_TRUE(view[kName].items.empty());
    EXPECT_EQ(view[kName].text, L"");
    EXPECT_EQ(rules.selectedIndex, -1);
    EXPECT_FALSE(On(kDelete));
    EXPECT_TRUE(rules.WorkingPoints().empty());

    // And adding again works from the empty list.
    Known(DBT, L"20");
    Known(RH, L"50");
    ASSERT_TRUE(view.Type(kName, L"A"));
    ASSERT_TRUE(view.Click(kAdd));
    EXPECT_EQ(view[kName].items, std::vector<std::wstring>{L"A"});
    ASSERT_TRUE(view.Click(kApply));
    EXPECT_EQ(ChartNames(), std::vector<std::wstring>{L"A"});
    EXPECT_EQ(view.unscriptedQuestions, 0);
}

TEST_F(PointDialogTest, ApplyMergesNamedPointsAndLeavesTheRestAlone) {
    chart.data.points = {{10, 1, L""}, {40, 6, L"A"}, {50, 9, L"B"}, {11, 2, L""}, {30, 4, L"C"}, {33, 3, L"c"}};
    chart.data.processes = {{L"B", L"C", L"BC", 1000.0}, {L"A", L"C", L"AC", 500.0}};
    Open();
    EXPECT_EQ(view[kName].items, (std::vector<std::wstring>{L"A", L"B", L"C", L"c"}));
    // Delete B: the question says that its process goes with it.
    ASSERT_TRUE(view.Choose(kName, 1));
    view.Answer(kAnswerYes);
    ASSERT_TRUE(view.Click(kDelete));
    EXPECT_EQ(view.questions.back().text,
              L"Are you sure?\n\nPoint \"B\" is named by 1 processes and 0 mixes, which go with it.");
    // Rename C (now index 1) to C2, keeping its values.
    ASSERT_TRUE(view.Choose(kName, 1));
    Known(IE, L"30");
    Known(MC, L"4");
    ASSERT_TRUE(view.Type(kName, L"C2"));
    ASSERT_TRUE(view.Click(kModify));
    // Change A's values.
    ASSERT_TRUE(view.Choose(kName, 0));
    ASSERT_TRUE(view.Type(EditOf(IE), L"42"));
    ASSERT_TRUE(view.Click(kModify));
    // Add D.
    ASSERT_TRUE(view.Type(kName, L"D"));
    ASSERT_TRUE(view.Click(kAdd));
    EXPECT_EQ(chart.repaints, 0);

    ASSERT_TRUE(view.Click(kApply));
    EXPECT_EQ(ChartNames(), (std::vector<std::wstring>{L"", L"A", L"", L"c", L"C2", L"D"}));
    EXPECT_EQ(chart.data.points[0].I, 10.0);
    EXPECT_EQ(chart.data.points[2].I, 11.0);
    EXPECT_EQ(chart.data.points[1].I, 42.0);
    EXPECT_EQ(chart.data.points[4].I, 30.0);
    // B's process went with it; C's follows it to its new name.
    ASSERT_EQ(chart.data.processes.size(), 1u);
    EXPECT_EQ(chart.data.processes[0].name, L"AC");
    EXPECT_EQ(chart.data.processes[0].ptEnd, L"C2");
    EXPECT_EQ(chart.repaints, 1);
    EXPECT_EQ(chart.renders, 0);
    EXPECT_EQ(chart.userChanges, 1);
    EXPECT_FALSE(On(kApply));

    // Apply twice, then Cancel: the chart holds what was applied, and the
    // second Apply, which changed nothing, tells nobody.
    const auto applied = chart.data.points;
    rules.Apply();
    EXPECT_EQ(chart.userChanges, 1);
    // The process that followed C to C2 stays: the chart's C2 is the
    // dialog's C2 now, not a point the dialog deleted.
    ASSERT_EQ(chart.data.processes.size(), 1u);
    EXPECT_EQ(chart.data.processes[0].ptEnd, L"C2");
    EXPECT_EQ(ChartNames(), (std::vector<std::wstring>{L"", L"A", L"", L"c", L"C2", L"D"}));
    ASSERT_TRUE(view.Type(kName, L"E"));
    ASSERT_TRUE(view.Click(kAdd));
    view.Escape();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(view.result, 2);
    EXPECT_EQ(ChartNames().size(), applied.size());
}

// A workbook of an older release may have left two points of one name.
TEST_F(PointDialogTest, TwoPointsOfOneNameStayTwoPoints) {
    chart.data.points = {{40, 8, L"A"}, {30, 5, L""}, {55, 10, L"A"}};
    Open();
    Known(IE, L"45");
    Known(MC, L"7");
    ASSERT_TRUE(view.Type(kName, L"Z"));
    ASSERT_TRUE(view.Click(kAdd));
    view.Enter();
    ASSERT_EQ(ChartNames(), (std::vector<std::wstring>{L"A", L"", L"A", L"Z"}));
    EXPECT_EQ(chart.data.points[0].I, 40.0);
    EXPECT_EQ(chart.data.points[0].D, 8.0);
    EXPECT_EQ(chart.data.points[2].I, 55.0);
    EXPECT_EQ(chart.data.points[2].D, 10.0);
}

TEST_F(PointDialogTest, OkAppliesOnlyWhatWaits) {
    chart.data.points = {{40, 6, L"A"}};
    Open();
    view.Enter();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(view.result, 1);
    EXPECT_EQ(chart.repaints, 0);

    FakeDialogView v{Rules::Controls()};
    Rules r{chart, v};
    v.Open(r);
    ASSERT_TRUE(v.Click(DBT));
    ASSERT_TRUE(v.Click(RH));
    ASSERT_TRUE(v.Type(EditOf(DBT), L"20"));
    ASSERT_TRUE(v.Type(EditOf(RH), L"40"));
    ASSERT_TRUE(v.Type(kName, L"B"));
    ASSERT_TRUE(v.Click(kAdd));
    ASSERT_TRUE(v.Click(1));
    EXPECT_EQ(v.result, 1);
    EXPECT_EQ(ChartNames(), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(chart.repaints, 1);
}

TEST_F(PointDialogTest, LongAndNonBmpNamesAndAThousandPoints) {
    for (int i = 0; i < 1000; ++i) chart.data.points.push_back({20.0 + i * 0.01, 5.0, L"P" + std::to_wstring(i)});
    Open();
    EXPECT_EQ(view[kName].items.size(), 1000u);
    const std::wstring longName(100000, L'n');
    const std::wstring astral = L"\U0001F321\U00020BB7 \u00e9";
    Known(DBT, L"22");
    Known(RH, L"45");
    for (const std::wstring& name : {longName, astral}) {
        ASSERT_TRUE(view.Type(kName, name));
        ASSERT_TRUE(On(kAdd));
        ASSERT_TRUE(view.Click(kAdd));
    }
    // The same long name again is not new.
    ASSERT_TRUE(view.Type(kName, longName));
    EXPECT_FALSE(On(kAdd));
    ASSERT_TRUE(view.Click(kApply));
    ASSERT_EQ(chart.data.points.size(), 1002u);
    EXPECT_EQ(chart.data.points[1000].name, longName);
    EXPECT_EQ(chart.data.points[1001].name, astral);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(chart.data.points[i].name, L"P" + std::to_wstring(i));
}

TEST_F(PointDialogTest, CalculatorFailuresAreToldAndChangeNothing) {
    chart.data.points = {{40, 6, L"A"}};
    Open();
    chart.calc.openStatus = static_cast<Status>(0x80040154u);  // class not registered
    ASSERT_TRUE(view.Choose(kName, 0));
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].caption, L"Error Report");
    EXPECT_EQ(view.questions[0].style, kMsgIconError);
    EXPECT_NE(view.questions[0].text.find(L"0x80040154"), std::wstring::npos);
    EXPECT_EQ(view[IDC_POINTS_EDIT_I].text, L"");

    Known(DBT, L"20");
    Known(RH, L"50");
    ASSERT_TRUE(view.Type(kName, L"N"));
    ASSERT_TRUE(view.Click(kAdd));
    EXPECT_EQ(view.questions.size(), 2u);
    EXPECT_EQ(rules.WorkingPoints().size(), 1u);
    EXPECT_FALSE(On(kApply));

    // A call failing half-way through (the calculator went away).
    chart.calc.openStatus = kStatusOk;
    chart.calc.Reset();
    chart.calc.failOnCall = 2;
    ASSERT_TRUE(view.Click(kAdd));
    ASSERT_EQ(view.questions.size(), 3u);
    EXPECT_NE(view.questions[2].text.find(L"0x80010108"), std::wstring::npos);
    EXPECT_EQ(rules.WorkingPoints().size(), 1u);
    EXPECT_EQ(view[kName].items.size(), 1u);
    chart.calc.failOnCall = 0;
    ASSERT_TRUE(view.Click(kAdd));
    EXPECT_EQ(rules.WorkingPoints().size(), 2u);
    EXPECT_EQ(view.unscriptedQuestions, 3);
}

}  // namespace
}  // namespace humichart
