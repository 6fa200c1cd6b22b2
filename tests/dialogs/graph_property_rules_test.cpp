#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CGraphPropertyRules.h"
#include "FakeChart.h"
#include "FakeDialogView.h"
#include "PointDialogsResource.h"

namespace humichart {
namespace {

using test::FakeChart;
using test::FakeDialogView;
using Rules = CGraphPropertyRules;

constexpr int P = IDC_PROP_PRESSURE, MAXT = IDC_PROP_MAX_T, MINT = IDC_PROP_MIN_T, MAXD = IDC_PROP_MAX_D,
              MIND = IDC_PROP_MIN_D, kApply = IDC_PROP_APPLY;

class GraphPropertyTest : public ::testing::Test {
protected:
    void Open() { view.Open(rules); }

    FakeChart chart;
    FakeDialogView view{Rules::Controls()};
    Rules rules{chart, view};
};

TEST_F(GraphPropertyTest, ShowsTheChartAndWaitsForAChange) {
    chart.data.airPressure = 84000.5;
    chart.view.SetRange(-5.0, 40.25, 2.0, 30.0);
    chart.data.HasDLine = 0;
    chart.data.HasBorder = 1;
    chart.view.renderPending = 0;
    Open();
    EXPECT_EQ(view[P].text, L"84000.5");
    EXPECT_EQ(view[MINT].text, L"-5.0");
    EXPECT_EQ(view[MAXT].text, L"40.2");  // 40.25 * 1.005 / 1.005 prints as printf does
    EXPECT_EQ(view[MIND].text, L"2.0");
    EXPECT_EQ(view[MAXD].text, L"30.0");
    const std::vector<std::pair<int, bool>> checks = {
        {IDC_PROP_T_LINE, true}, {IDC_PROP_D_LINE, false},    {IDC_PROP_I_LINE, true},     {IDC_PROP_F_LINE, true},
        {IDC_PROP_LINE_NAME, false}, {IDC_PROP_FRAME, true}, {IDC_PROP_BACKGROUND, true}, {IDC_PROP_FOREGROUND, true}};
    for (const auto& [id, checked] : checks) EXPECT_EQ(view[id].checked, checked) << id;
    EXPECT_FALSE(view[kApply].enabled);
    EXPECT_EQ(rules.redrawAll, 0);

    // OK right away closes and leaves the chart alone.
    view.Enter();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(view.result, 1);
    EXPECT_EQ(chart.repaints, 0);
    EXPECT_EQ(chart.data.airPressure, 84000.5);
}

// The messages as the user reads them, written out here rather than taken
// from the dialog's own constants, so that a changed text is caught.
constexpr const wchar_t* kPressure = L"Value out of range!\n\nThe valid air pressure value covers from 50000 to 1560000 Pa.";
constexpr const wchar_t* kMaxT = L"Value out of range!\n\nThe valid Max T value covers from -99 to 200 ℃.";
constexpr const wchar_t* kMinT = L"Value out of range!\n\nThe valid Min T value covers from -100 to 199 ℃.";
constexpr const wchar_t* kMaxD = L"Value out of range!\n\nThe valid Max D value covers from 1 to 500 g/kg.";
constexpr const wchar_t* kMinD = L"Value out of range!\n\nThe valid Min D value covers from 0 to 299 g/kg.";
constexpr const wchar_t* kSmallT = L"Small range!\n\nThe valid T range should be larger than 1 ℃.";
constexpr const wchar_t* kSmallD = L"Small range!\n\nThe valid D range should be larger than 1 g/kg.";

struct BoundCase {
    const char* what;
    std::vector<std::pair<int, const wchar_t*>> typed;
    const wchar_t* message;  // null: accepted
    int focus;
};

TEST_F(GraphPropertyTest, ValuesAreTestedInOrderAndTheFirstFailureIsTold) {
    const BoundCase cases[] = {
        {"defaults", {}, nullptr, 0},
        {"highest pressure", {{P, L"1560000"}}, nullptr, 0},
        {"lowest pressure", {{P, L"50000"}}, nullptr, 0},
        {"pressure just below", {{P, L"49999.99"}}, kPressure, P},
        {"pressure just above", {{P, L"1560000.01"}}, kPressure, P},
        {"pressure unreadable", {{P, L"abc"}}, kPressure, P},
        {"pressure with a comma", {{P, L"101,325"}}, kPressure, P},
        {"pressure first of all", {{P, L"1"}, {MAXT, L"999"}}, kPressure, P},
        {"max T above", {{MAXT, L"200.5"}}, kMaxT, MAXT},
        {"max T highest", {{MAXT, L"200"}}, nullptr, 0},
        {"max T below", {{MAXT, L"-99.5"}}, kMaxT, MAXT},
        {"max T before min T", {{MAXT, L"1e3"}, {MINT, L"-1e3"}}, kMaxT, MAXT},
        {"min T below", {{MINT, L"-100.1"}}, kMinT, MINT},
        {"min T lowest", {{MINT, L"-100"}}, nullptr, 0},
        {"min T above", {{MINT, L"199.5"}, {MAXT, L"200"}}, kMinT, MINT},
        {"max D above", {{MAXD, L"500.1"}}, kMaxD, MAXD},
        {"max D below", {{MAXD, L"0.5"}}, kMaxD, MAXD},
        {"max D empty reads 0", {{MAXD, L""}}, kMaxD, MAXD},
        {"min D negative", {{MIND, L"-0.1"}}, kMinD, MIND},
        {"min D highest", {{MIND, L"299"}, {MAXD, L"500"}}, nullptr, 0},
        {"min D above", {{MIND, L"299.5"}, {MAXD, L"500"}}, kMinD, MIND},
        {"min D of 0 from -0", {{MIND, L"-0"}}, nullptr, 0},
        {"T range below a degree", {{MINT, L"20"}, {MAXT, L"20.5"}}, kSmallT, MAXT},
        {"T range of a degree", {{MINT, L"20"}, {MAXT, L"21"}}, nullptr, 0},
        {"T range upside down", {{MINT, L"30"}, {MAXT, L"10"}}, kSmallT, MAXT},
        {"D range below a gram", {{MIND, L"10"}, {MAXD, L"10.9"}}, kSmallD, MAXD},
        {"D range of a gram", {{MIND, L"10"}, {MAXD, L"11"}}, nullptr, 0},
        {"T before D", {{MINT, L"20"}, {MAXT, L"20"}, {MIND, L"5"}, {MAXD, L"5"}}, kSmallT, MAXT},
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeChart fresh;
        FakeDialogView v{Rules::Controls()};
        Rules r{fresh, v};
        v.Open(r);
        const CHumichartDataObj before = fresh.data;
        for (const auto& [id, text] : c.typed) ASSERT_TRUE(v.Type(id, text));
        if (c.typed.empty()) { ASSERT_TRUE(v.Click(IDC_PROP_T_LINE)); }
        EXPECT_TRUE(v[kApply].enabled);
        v.Enter();
        if (!c.message) {
            EXPECT_TRUE(v.questions.empty());
            EXPECT_TRUE(v.closed);
            EXPECT_EQ(fresh.repaints, 1);
            continue;
        }
        ASSERT_EQ(v.questions.size(), 1u);
        EXPECT_EQ(v.questions[0].text, std::wstring(c.message));
        EXPECT_EQ(v.questions[0].caption, L"Error Report");
        EXPECT_EQ(v.questions[0].style, kMsgIconError);
        EXPECT_EQ(v.focusMoves, std::vector<int>{c.focus});
        EXPECT_FALSE(v.closed) << "the dialog stays open";
        EXPECT_TRUE(v[kApply].enabled);
        EXPECT_EQ(fresh.repaints, 0);
        EXPECT_EQ(fresh.data.airPressure, before.airPressure);
        EXPECT_EQ(fresh.data.viewRange.Ymax, before.viewRange.Ymax);
        EXPECT_EQ(fresh.data.viewRange.Dmin, before.viewRange.Dmin);
    }
}

TEST_F(GraphPropertyTest, ApplyStoresEverythingAndRebuildsOnlyWhenTheImageChanges) {
    struct Case {
        int click;
        bool render;
    };
    const Case cases[] = {
        {IDC_PROP_LINE_NAME, false}, {IDC_PROP_FRAME, false},      {IDC_PROP_T_LINE, true},
        {IDC_PROP_D_LINE, true},     {IDC_PROP_I_LINE, true},      {IDC_PROP_F_LINE, true},
        {IDC_PROP_BACKGROUND, true}, {IDC_PROP_FOREGROUND, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.click);
        FakeChart fresh;
        fresh.view.renderPending = 0;
        FakeDialogView v{Rules::Controls()};
        Rules r{fresh, v};
        v.Open(r);
        ASSERT_TRUE(v.Click(c.click));
        ASSERT_TRUE(v.Click(kApply));
        EXPECT_EQ(fresh.view.renderPending, c.render ? 1 : 0);
        EXPECT_EQ(fresh.repaints, 1);
        EXPECT_EQ(fresh.userChanges, 1);
        EXPECT_FALSE(v[kApply].enabled);
        EXPECT_EQ(r.redrawAll, 0);
        const int flags[] = {fresh.data.HasTLine,  fresh.data.HasDLine,           fresh.data.HasILine,
                             fresh.data.HasFLine,  fresh.data.HasProcessLineName, fresh.data.HasBorder,
                             fresh.data.HasBackground, fresh.data.HasForeground};
        int changed = 0;
        const int defaults[] = {1, 1, 1, 1, 0, 0, 1, 1};
        for (int i = 0; i < 8; ++i) changed += flags[i] != defaults[i];
        EXPECT_EQ(changed, 1);
    }

    Open();
    ASSERT_TRUE(view.Type(P, L"1560000"));
    ASSERT_TRUE(view.Type(MINT, L" 30"));
    ASSERT_TRUE(view.Type(MAXT, L"10"));
    ASSERT_TRUE(view.Type(MINT, L"-10.5"));
    ASSERT_TRUE(view.Type(MIND, L"1e0"));
    ASSERT_TRUE(view.Type(MAXD, L"25,9"));
    chart.view.renderPending = 0;
    ASSERT_TRUE(view.Click(kApply));
    EXPECT_EQ(chart.data.airPressure, 1560000.0);
    const ChartRange range = chart.view.GetRange();
    EXPECT_DOUBLE_EQ(range.minT, -10.5);
    EXPECT_DOUBLE_EQ(range.maxT, 10.0);
    EXPECT_EQ(range.minD, 1.0);
    EXPECT_EQ(range.maxD, 25.0);
    EXPECT_EQ(chart.view.renderPending, 1);
    EXPECT_EQ(chart.userChanges, 1);
    // The same values typed and applied again change nothing to tell.
    ASSERT_TRUE(view.Type(P, L"1560000"));
    ASSERT_TRUE(view.Click(kApply));
    EXPECT_EQ(chart.userChanges, 1);
    // Cancel after Apply keeps what was applied.
    view.Escape();
    EXPECT_EQ(view.result, 2);
    EXPECT_EQ(chart.data.airPressure, 1560000.0);
}

}  // namespace
}  // namespace humichart
