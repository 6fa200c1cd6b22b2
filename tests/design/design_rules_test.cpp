// The design tools' dialogs over a stand-in view and chart: what they list,
// results shown while the user types and gone with the reason when there are
// none, OK adding the change as one or saying why not, a calculator that
// cannot be had. Messages come from a stand-in string table: "#<id> <names>".
#include <gtest/gtest.h>

#include "CDewPointRules.h"
#include "CFreshAirRules.h"
#include "CSupplyAirRules.h"
#include "DesignDialogsResource.h"
#include "FakeChart.h"
#include "FakeDialogView.h"
#include "TypedText.h"

namespace humichart {
namespace {

using test::FakeDialogView;

std::wstring Texts(int id) { return L"#" + std::to_wstring(id) + L" %1"; }
std::wstring Message(int id, const std::wstring& name = L"") { return L"#" + std::to_wstring(id) + L" " + name; }

template <class Rules>
struct Harness {
    Harness() {
        CHumichartDataObj& data = chart.data;
        data.points = {{calc(L"I", 34, 0.55), calc(L"D", 34, 0.55), L"W"},
                       {1, 1, L""},
                       {calc(L"I", 26, 0.55), calc(L"D", 26, 0.55), L"N"}};
        data.processes = {{L"W", L"N", L"", 5000}};
        view.Open(rules);
    }
    double calc(const wchar_t* what, double T, double F) {
        std::unique_ptr<ICalcSession> session;
        chart.calc.Open(101325, session);
        return what[0] == L'I' ? session->ID_I_T_F(T, F) : session->ID_D_T_F(T, F);
    }

    test::FakeChart chart;
    FakeDialogView view{Rules::Controls()};
    Rules rules{chart, view, Texts};
};

TEST(DesignRules, SupplyAirShownWhileTypedAddedOnOkRefusedAsAWhole) {
    Harness<CSupplyAirRules> h;
    FakeDialogView& view = h.view;
    EXPECT_EQ(view[IDC_DESIGN_ROOM].items, (std::vector<std::wstring>{L"W", L"N"}));
    EXPECT_EQ(view.Text(IDC_DESIGN_STATUS), Message(IDS_DESIGN_CHOOSE_ROOM));
    ASSERT_TRUE(view.Choose(IDC_DESIGN_ROOM, 1));
    ASSERT_TRUE(view.Type(IDC_DESIGN_HEAT, L"10"));
    ASSERT_TRUE(view.Type(IDC_DESIGN_MOIST, L"3"));
    EXPECT_EQ(view.Text(IDC_DESIGN_STATUS), L"");
    EXPECT_EQ(view.Text(IDC_DESIGN_HEAT_KJH), L"36000.00");
    EXPECT_EQ(view.Text(IDC_DESIGN_RATIO), L"12000.00");
    // The results are the computation's, as the dialog formats them.
    SupplyAirResult expected;
    {
        std::unique_ptr<ICalcSession> calc;
        h.chart.calc.Open(101325, calc);
        ASSERT_FALSE(DesignSupplyAir(*calc, h.chart.data, {L"N", 10, 3, 8, L"O", L"Supply"}, expected).Refused());
    }
    EXPECT_EQ(view.Text(IDC_DESIGN_O_T), FormatNumber("%.2f", expected.supply.T));
    EXPECT_EQ(view.Text(IDC_DESIGN_O_RH), FormatNumber("%.1f", expected.supply.F * 100));
    EXPECT_EQ(view.Text(IDC_DESIGN_O_D), FormatNumber("%.3f", expected.supply.D));
    EXPECT_EQ(view.Text(IDC_DESIGN_VOLUME_FLOW), FormatNumber("%.2f", expected.volumeFlow));

    // Too large a difference: no results, the reason, and OK refuses.
    ASSERT_TRUE(view.Type(IDC_DESIGN_DELTA_T, L"18"));
    EXPECT_EQ(view.Text(IDC_DESIGN_O_T), L"");
    EXPECT_EQ(view.Text(IDC_DESIGN_STATUS), Message(IDS_DESIGN_SATURATED));
    const std::size_t points = h.chart.data.points.size();
    ASSERT_TRUE(view.Click(IDOK));
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, Message(IDS_DESIGN_SATURATED));
    EXPECT_EQ(view.questions[0].caption, L"Error Report");
    EXPECT_EQ(view.focus, IDC_DESIGN_DELTA_T);
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(h.chart.data.points.size(), points);

    // A supply point named like a chart point: refused, naming it.
    ASSERT_TRUE(view.Type(IDC_DESIGN_DELTA_T, L"8"));
    ASSERT_TRUE(view.Type(IDC_DESIGN_POINT_NAME, L"W"));
    ASSERT_TRUE(view.Click(IDOK));
    EXPECT_EQ(view.questions.back().text, Message(IDS_DESIGN_NAME_USED, L"W"));
    EXPECT_EQ(view.focus, IDC_DESIGN_POINT_NAME);
    EXPECT_EQ(h.chart.data.points.size(), points);
    EXPECT_EQ(h.chart.repaints + h.chart.userChanges, 0);

    ASSERT_TRUE(view.Type(IDC_DESIGN_POINT_NAME, L"O"));
    ASSERT_TRUE(view.Click(IDOK));
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(view.result, IDOK);
    EXPECT_EQ(h.chart.repaints, 1);
    EXPECT_EQ(h.chart.userChanges, 1);
    ASSERT_EQ(h.chart.data.points.size(), points + 1);
    EXPECT_EQ(h.chart.data.points.back().name, L"O");
    EXPECT_EQ(h.chart.data.points.back().D, expected.supply.D);
    ASSERT_EQ(h.chart.data.processes.size(), 2u);
    EXPECT_EQ(h.chart.data.processes[1].ptStart + L">" + h.chart.data.processes[1].ptEnd, L"O>N");
    EXPECT_EQ(h.chart.data.processes[1].name, Texts(IDS_DESIGN_NAME_SUPPLY)) << "the interface's default name";
    EXPECT_EQ(h.chart.data.processes[1].dAirFlow, expected.volumeFlow);
}

TEST(DesignRules, FreshAirTakesTheRoomsSupplyFlowAndAddsTheMix) {
    Harness<CFreshAirRules> h;
    FakeDialogView& view = h.view;
    EXPECT_EQ(view.Text(IDC_DESIGN_STATUS), Message(IDS_DESIGN_CHOOSE_OUTDOOR));
    ASSERT_TRUE(view.Choose(IDC_DESIGN_OUTDOOR, 0));
    ASSERT_TRUE(view.Choose(IDC_DESIGN_ROOM, 1));
    // The flow of the process that ends at the room.
    EXPECT_EQ(view.Text(IDC_DESIGN_SUPPLY_FLOW), L"5000.00");
    ASSERT_TRUE(view.Type(IDC_DESIGN_PEOPLE, L"20"));
    EXPECT_EQ(view.Text(IDC_DESIGN_FRESH_FLOW), L"600.00");
    EXPECT_EQ(view.Text(IDC_DESIGN_FRESH_PERCENT), L"12.0");
    ASSERT_TRUE(view.Choose(IDC_DESIGN_ROOM, 0));
    EXPECT_EQ(view.Text(IDC_DESIGN_STATUS), Message(IDS_DESIGN_SAME_POINTS));
    EXPECT_EQ(view.Text(IDC_DESIGN_FRESH_FLOW), L"");
    ASSERT_TRUE(view.Choose(IDC_DESIGN_ROOM, 1));
    ASSERT_TRUE(view.Click(IDOK));
    ASSERT_TRUE(view.closed);
    ASSERT_EQ(h.chart.data.mixes.size(), 1u);
    const MixProcess& mix = h.chart.data.mixes[0];
    EXPECT_EQ(mix.ptFresh + L"+" + mix.ptReturn + L">" + mix.ptMix + L":" + mix.name,
              L"W+N>C:" + Texts(IDS_DESIGN_NAME_FRESH));
    EXPECT_EQ(mix.dFreshAirFlow, 600);
    EXPECT_EQ(mix.dAirFlow, 5000);
}

TEST(DesignRules, DewPointWithOrWithoutOutdoorAirAndAFailingCalculator) {
    Harness<CDewPointRules> h;
    FakeDialogView& view = h.view;
    EXPECT_EQ(view[IDC_DESIGN_OUTDOOR].items, (std::vector<std::wstring>{L"#1500 %1", L"W", L"N"}));
    EXPECT_EQ(view.Selection(IDC_DESIGN_OUTDOOR), 0);
    EXPECT_FALSE(view.Enabled(IDC_DESIGN_FRESH_SHARE)) << "no outdoor air, no share";
    ASSERT_TRUE(view.Choose(IDC_DESIGN_ROOM, 1));
    ASSERT_TRUE(view.Type(IDC_DESIGN_HEAT, L"10"));
    ASSERT_TRUE(view.Type(IDC_DESIGN_MOIST, L"3"));
    EXPECT_EQ(view.Text(IDC_DESIGN_STATUS), L"");
    EXPECT_EQ(view.Text(IDC_DESIGN_REHEAT), L"0.00");
    EXPECT_EQ(view.Text(IDC_DESIGN_C_T), L"26.00") << "room air enters the coil";
    ASSERT_TRUE(view.Type(IDC_DESIGN_MAX_DT, L"6"));
    EXPECT_NE(view.Text(IDC_DESIGN_REHEAT), L"0.00");
    EXPECT_EQ(view.Text(IDC_DESIGN_O_T), L"20.00");
    ASSERT_TRUE(view.Choose(IDC_DESIGN_OUTDOOR, 1));
    EXPECT_TRUE(view.Enabled(IDC_DESIGN_FRESH_SHARE));
    ASSERT_TRUE(view.Type(IDC_DESIGN_FRESH_SHARE, L"20"));
    const StatePoint& W = h.chart.data.points[0];
    const StatePoint& N = h.chart.data.points[2];
    EXPECT_EQ(view.Text(IDC_DESIGN_C_D), FormatNumber("%.3f", 0.8 * N.D + 0.2 * W.D)) << "mixed air enters it";
    ASSERT_TRUE(view.Type(IDC_DESIGN_PREFIX, L"AHU1-"));

    // The calculator fails: said on the status line while typing, in a box
    // on OK, and nothing is added.
    h.chart.calc.openStatus = static_cast<Status>(0x80040154u);
    ASSERT_TRUE(view.Type(IDC_DESIGN_COIL_RH, L"95"));
    EXPECT_NE(view.Text(IDC_DESIGN_STATUS).find(L"0x80040154"), std::wstring::npos);
    EXPECT_EQ(view.Text(IDC_DESIGN_L_T), L"");
    EXPECT_TRUE(view.questions.empty());
    ASSERT_TRUE(view.Click(IDOK));
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_NE(view.questions[0].text.find(L"0x80040154"), std::wstring::npos);
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(h.chart.data.points.size(), 3u);

    h.chart.calc.openStatus = kStatusOk;
    ASSERT_TRUE(view.Click(IDOK));
    ASSERT_TRUE(view.closed);
    std::wstring names;
    for (const StatePoint& point : h.chart.data.points) names += point.name + L" ";
    EXPECT_EQ(names, L"W  N AHU1-L AHU1-O AHU1-C ");
    std::wstring processes;
    for (const TransferProcess& process : h.chart.data.processes) processes += process.name + L"|";
    EXPECT_EQ(processes, L"|AHU1-" + Texts(IDS_DESIGN_NAME_COIL) + L"|AHU1-" + Texts(IDS_DESIGN_NAME_REHEAT) +
                             L"|AHU1-" + Texts(IDS_DESIGN_NAME_SUPPLY) + L"|");
    ASSERT_EQ(h.chart.data.mixes.size(), 1u);
    EXPECT_EQ(h.chart.data.mixes[0].name, L"AHU1-" + Texts(IDS_DESIGN_NAME_MIX));
}

}  // namespace
}  // namespace humichart
