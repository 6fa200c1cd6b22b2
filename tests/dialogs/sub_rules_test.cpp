// "Get point by HOM" and "Get air flow" over stand-in views: the ranges each
// known parameter accepts, the loads offered and shown, the answers taken.
#include <gtest/gtest.h>

#include "CSubProcessFlowRules.h"
#include "CSubProcessRules.h"
#include "FakeDialogView.h"
#include "ProcessDialogsResource.h"
#include "ProcessTestSupport.h"

namespace humichart {
namespace {

using test::FakeDialogView;

TEST(GetPointByHom, EachKnownParameterTakesItsRangeWithBothBounds) {
    struct Case {
        int kind;
        const wchar_t* value;
        bool accepted;
    } cases[] = {
        {0, L"-30", true},   {0, L"-30.001", false}, {0, L"100", true},    {0, L"100.001", false},
        {1, L"100", true},   {1, L"-0.5", false},    {1, L"0", true},      {1, L"100.5", false},
        {2, L"100", true},   {2, L"-0.001", false},  {2, L"0", true},      {2, L"101", false},
        {3, L"-50", true},   {3, L"-50.5", false},   {3, L"1000", true},   {3, L"1e3", true},
        {3, L"1000.01", false},
        {4, L"-30", true},   {4, L"100.1", false},   {5, L"100", true},    {5, L"-31", false},
        {6, L"1013250", true}, {6, L"1013250.1", false}, {6, L"-1", false}, {6, L"0", true},
        // Read as the leading number of the text.
        {0, L"12,5", true}, {0, L" 7abc", true}, {0, L"abc", true}, {6, L"inf", true}, {6, L"nan", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << testing::PrintToString(std::wstring(c.value)));
        FakeDialogView view{CSubProcessRules::Controls()};
        CSubProcessRules rules{view, test::KindNames()};
        view.Open(rules);
        ASSERT_EQ(view[IDC_KNOWN_KIND].items, test::KindNames());
        ASSERT_EQ(view.Selection(IDC_KNOWN_KIND), 0);
        view.Type(IDC_NEW_POINT_NAME, L"New");
        view.Choose(IDC_KNOWN_KIND, c.kind);
        view.Type(IDC_KNOWN_VALUE, c.value);
        view.Enter();
        EXPECT_EQ(view.closed, c.accepted);
        if (c.accepted) {
            EXPECT_EQ(view.result, IDOK);
            EXPECT_EQ(rules.Answer().newPointName, L"New");
            EXPECT_EQ(rules.Answer().knownKind, c.kind);
        } else {
            ASSERT_EQ(view.questions.size(), 1u);
            EXPECT_EQ(view.questions[0].text, L"Value out of range!");
            EXPECT_EQ(view.focusMoves, std::vector<int>{IDC_KNOWN_VALUE});
        }
    }
}

TEST(GetPointByHom, ANameAndAValueAreNeeded) {
    FakeDialogView view{CSubProcessRules::Controls()};
    CSubProcessRules rules{view, test::KindNames()};
    view.Open(rules);
    view.Type(IDC_KNOWN_VALUE, L"20");
    view.Enter();
    view.Type(IDC_NEW_POINT_NAME, L"N");
    view.Type(IDC_KNOWN_VALUE, L"");
    view.Enter();
    EXPECT_FALSE(view.closed);
    ASSERT_EQ(view.questions.size(), 2u);
    EXPECT_EQ(view.questions[0].text, L"Need name!");
    EXPECT_EQ(view.questions[1].text, L"Invalid value input!");
    for (const auto& question : view.questions) {
        EXPECT_EQ(question.caption, L"Error Report");
        EXPECT_EQ(question.style, kMsgOk | kMsgIconError);
    }
    EXPECT_EQ(view.focusMoves, (std::vector<int>{IDC_NEW_POINT_NAME, IDC_KNOWN_VALUE}));
    view.Type(IDC_KNOWN_VALUE, L"12.5");
    view.Enter();
    EXPECT_EQ(rules.Answer().knownValue, 12.5);
    EXPECT_EQ(view.result, IDOK);

    FakeDialogView cancelled{CSubProcessRules::Controls()};
    CSubProcessRules cancelledRules{cancelled, test::KindNames()};
    cancelled.Open(cancelledRules);
    cancelled.Escape();
    EXPECT_EQ(cancelled.result, IDCANCEL);
}

TEST(GetAirFlow, OffersTheMeaningfulLoadsAndShowsThem) {
    struct Case {
        unsigned loadSet;
        double heat, moisture;
        std::vector<std::wstring> items;
        const wchar_t* shown;
        const wchar_t* afterSecondItem;  // null: no second item
    } cases[] = {
        {3, -11700.4, -2.34, {L"Heat(kJ/Hr)", L"Moist(kg/Hr)"}, L"-11700.40", L"-2.34000"},
        {3, 100000, 0.5, {L"Heat(kJ/Hr)", L"Moist(kg/Hr)"}, L"100000.00", L"0.50000"},
        {1, -123456.7, 0, {L"Heat(kJ/Hr)"}, L"-1.23457E+05", nullptr},
        // Equal enthalpies: moisture only, as the first item.
        {2, 0, 1.5, {L"Moist(kg/Hr)"}, L"1.50000", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loadSet);
        AirFlowQuery query;
        query.loadSet = c.loadSet;
        query.heatLoad = c.heat;
        query.moistureLoad = c.moisture;
        FakeDialogView view{CSubProcessFlowRules::Controls()};
        CSubProcessFlowRules rules{view, query, L"Heat(kJ/Hr)", L"Moist(kg/Hr)"};
        view.Open(rules);
        EXPECT_EQ(view[IDC_KNOWN_KIND].items, c.items);
        EXPECT_EQ(view.Selection(IDC_KNOWN_KIND), 0);
        EXPECT_EQ(view.Text(IDC_KNOWN_VALUE), c.shown);
        if (c.afterSecondItem) {
            view.Choose(IDC_KNOWN_KIND, 1);
            EXPECT_EQ(view.Text(IDC_KNOWN_VALUE), c.afterSecondItem);
        }
    }
}

TEST(GetAirFlow, TakesALoadOfTheSameSignOrTheOtherWayRound) {
    struct Case {
        const char* label;
        int item;
        const wchar_t* typed;
        bool accepted;
        double heat, moisture;  // the answer's loads
    } cases[] = {
        {"a smaller cooling load", 0, L"-5000", true, -5000, 2},
        {"a positive heat for a cooling load", 0, L"5000", false, -10000, 2},
        {"zero", 0, L"0", true, 0, 2},
        {"a moisture load", 1, L"4.5", true, -10000, 4.5},
        {"a negative moisture for a positive load", 1, L"-1", true, -10000, -1},
        {"nothing typed", 1, L"", false, -10000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        AirFlowQuery query;
        query.loadSet = kHeatLoadSet | kMoistureLoadSet;
        query.heatLoad = -10000;
        query.moistureLoad = 2;
        FakeDialogView view{CSubProcessFlowRules::Controls()};
        CSubProcessFlowRules rules{view, query, L"Heat(kJ/Hr)", L"Moist(kg/Hr)"};
        view.Open(rules);
        view.Choose(IDC_KNOWN_KIND, c.item);
        view.Type(IDC_KNOWN_VALUE, c.typed);
        view.Enter();
        EXPECT_EQ(view.closed, c.accepted);
        EXPECT_EQ(rules.Answer().HeatGiven(), c.item == 0);
        EXPECT_EQ(rules.Answer().heatLoad, c.heat);
        EXPECT_EQ(rules.Answer().moistureLoad, c.moisture);
        if (!c.accepted) {
            ASSERT_EQ(view.questions.size(), 1u);
            EXPECT_EQ(view.questions[0].text, L"Invalid value input!");
            EXPECT_EQ(view.questions[0].caption, L"Error Report");
            // The stored value comes back.
            EXPECT_EQ(view.Text(IDC_KNOWN_VALUE), c.item == 0 ? L"-10000.00" : L"2.00000");
            EXPECT_EQ(view.focusMoves, std::vector<int>{IDC_KNOWN_VALUE});
        }
    }
}

}  // namespace
}  // namespace humichart
