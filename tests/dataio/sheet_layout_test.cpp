#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CChartView.h"
#include "SheetLayout.h"

namespace humichart {
namespace {

// A sheet as plain cells: texts, numbers and words that do not convert.
struct FakeSheet : ISheetCellReader {
    std::map<std::wstring, std::wstring> texts;
    std::map<std::wstring, double> numbers;
    std::vector<std::wstring> reads;

    void Put(const SheetCellWrite& cell) {
        if (cell.isText) texts[cell.address] = cell.text;
        else numbers[cell.address] = cell.number;
    }
    bool Number(const std::wstring& address, double& value) override {
        reads.push_back(address);
        if (numbers.count(address)) { value = numbers[address]; return true; }
        if (!texts.count(address)) { value = 0; return true; }
        const std::wstring& t = texts[address];
        wchar_t* end = nullptr;
        const double v = wcstod(t.c_str(), &end);
        if (t.empty() || *end) return false;
        value = v;
        return true;
    }
    bool DisplayText(const std::wstring& address, std::wstring& text) override { return ValueText(address, text); }
    bool LastRow(unsigned& row) override {
        row = 0;
        for (const auto* cells : {&texts}) for (const auto& [address, text] : *cells) row = std::max(row, RowOf(address));
        for (const auto& [address, number] : numbers) row = std::max(row, RowOf(address));
        return true;
    }
    static unsigned RowOf(const std::wstring& address) {
        unsigned row = 0, column = 0;
        return ParseCellAddress(address, row, column) ? row + 1 : 0;
    }
    bool ValueText(const std::wstring& address, std::wstring& text) override {
        reads.push_back(address);
        if (numbers.count(address)) {
            std::wstring t = std::to_wstring(numbers[address]);
            t.erase(t.find_last_not_of(L'0') + 1);
            if (t.back() == L'.') t.pop_back();
            text = t;
        } else {
            text = texts.count(address) ? texts[address] : L"";
        }
        return true;
    }
};

CHumichartDataObj Chart() {
    CHumichartDataObj data;
    data.airPressure = 95000.0;
    CChartView(data).SetRange(-10.0, 40.0, 2.0, 30.0);
    data.points = {{50.0, 10.0, L"A"}, {30.0, 5.0, L""}, {44.0, 9.0, L"B"}};
    data.processes = {{L"A", L"B", L"", 1.0}, {L"", L"B", L"P1", 1200.0}};
    data.mixes = {{L"A", L"B", L"M", L"X1", 300.0, 1000.0}, {L"A", L"B", L"M2", L"", 1.0, 2.0}};
    return data;
}

std::vector<std::wstring> Addresses(const std::vector<SheetCellWrite>& cells) {
    std::vector<std::wstring> out;
    for (const SheetCellWrite& c : cells) out.push_back(c.address);
    return out;
}

TEST(SheetExport, WritesNamedRecordsInTheFixedCellOrder) {
    const std::vector<SheetCellWrite> cells = ExportCells(Chart());
    const std::vector<std::wstring> expected = {
        L"B1", L"B2", L"B3", L"B4", L"B5", L"B6", L"B7", L"C2", L"C3", L"C4", L"C5", L"C6", L"C7",
        L"E1", L"E2", L"F2", L"G2", L"E3", L"F3", L"G3", L"E4", L"F4", L"G4",
        L"I1", L"I2", L"J2", L"K2", L"L2", L"I3", L"J3", L"K3", L"L3",
        L"N1", L"N2", L"O2", L"P2", L"Q2", L"R2", L"S2", L"N3", L"O3", L"P3", L"Q3", L"R3", L"S3"};
    EXPECT_EQ(Addresses(cells), expected);

    std::map<std::wstring, SheetCellWrite> at;
    for (const SheetCellWrite& c : cells) at[c.address] = c;
    EXPECT_EQ(at[L"B3"].text, L"大气压力");
    EXPECT_EQ(at[L"C3"].number, 95000.0);
    EXPECT_FALSE(at[L"C3"].isText);
    EXPECT_NEAR(at[L"C4"].number, 40.0, 1e-12);
    EXPECT_NEAR(at[L"C5"].number, -10.0, 1e-12);
    EXPECT_EQ(at[L"C6"].number, 30.0);
    EXPECT_EQ(at[L"C7"].number, 2.0);
    EXPECT_EQ(at[L"E4"].text, L"B");  // the unnamed point leaves no row
    EXPECT_EQ(at[L"F4"].number, 44.0);
    EXPECT_EQ(at[L"J3"].text, L"");   // an absent start point is an empty text
    EXPECT_TRUE(at[L"J3"].isText);
    EXPECT_EQ(at[L"L3"].number, 1200.0);
    EXPECT_EQ(at[L"R3"].number, 1000.0);  // total flow before the fresh-air flow
    EXPECT_EQ(at[L"S3"].number, 300.0);
    EXPECT_EQ(at[L"S2"].text, L"新风量");
}

TEST(SheetExport, EmptyChartStillWritesHeadingsAndBasicProperties) {
    EXPECT_EQ(ExportCells(CHumichartDataObj()).size(), 13u + 4u + 5u + 7u);
}

TEST(SheetImport, RestoresWhatExportWroteAndLeavesFlagsAndRegionAlone) {
    FakeSheet sheet;
    for (const SheetCellWrite& c : ExportCells(Chart())) sheet.Put(c);
    CHumichartDataObj target;
    target.HasTLine = 0;
    target.cssrRegion = {26.0, 20.0, 10.0, 5.0};
    target.points = {{1.0, 1.0, L"old"}};
    std::optional<DataFault> trailing;
    ASSERT_TRUE(ImportCells(sheet, target, trailing));
    EXPECT_FALSE(trailing.has_value());
    EXPECT_EQ(target.airPressure, 95000.0);
    const ChartRange range = CChartView(target).GetRange();
    EXPECT_NEAR(range.minT, -10.0, 1e-12);
    EXPECT_NEAR(range.maxT, 40.0, 1e-12);
    ASSERT_EQ(target.points.size(), 2u);
    EXPECT_EQ(target.points[1].name, L"B");
    EXPECT_EQ(target.points[1].D, 9.0);
    ASSERT_EQ(target.processes.size(), 1u);
    EXPECT_EQ(target.processes[0].name, L"P1");
    EXPECT_EQ(target.processes[0].ptStart, L"");
    ASSERT_EQ(target.mixes.size(), 1u);
    EXPECT_EQ(target.mixes[0].dAirFlow, 1000.0);
    EXPECT_EQ(target.mixes[0].dFreshAirFlow, 300.0);
    EXPECT_EQ(target.HasTLine, 0);
    EXPECT_EQ(target.cssrRegion.maxT, 26.0);
}

TEST(SheetImport, StopsAtTheFirstEmptyNameAndTakesValuesAsTheyAre) {
    FakeSheet sheet;
    sheet.numbers = {{L"C3", 50000.0}, {L"C4", -5.0}, {L"C5", 30.0}, {L"C6", 20.0}, {L"C7", 1.0},
                     {L"F3", 1.0}, {L"F4", 2.0}, {L"E4", 1.0}};
    sheet.texts = {{L"E3", L"A"}, {L"F3", L"12.5"}, {L"N3", L""}};
    CHumichartDataObj target;
    std::optional<DataFault> trailing;
    ASSERT_TRUE(ImportCells(sheet, target, trailing));
    EXPECT_FALSE(trailing.has_value());
    EXPECT_EQ(target.airPressure, 50000.0);
    const ChartRange range = CChartView(target).GetRange();  // swapped bounds put in order
    EXPECT_NEAR(range.minT, -5.0, 1e-12);
    EXPECT_NEAR(range.maxT, 30.0, 1e-12);
    ASSERT_EQ(target.points.size(), 2u);
    EXPECT_EQ(target.points[0].I, 1.0);  // a number cell wins over a stale text of the same address
    EXPECT_EQ(target.points[1].name, L"1");
    EXPECT_TRUE(target.processes.empty());
}

// An empty name ends a table; rows with data below that end (or on its row)
// are not dropped silently: the walk reports the first of them.
TEST(SheetImport, ATableThatGoesOnBelowItsEndIsReportedAtItsFirstRow) {
    struct Case {
        const char* label;
        std::map<std::wstring, std::wstring> texts;
        std::map<std::wstring, double> numbers;
        DataList list;
        unsigned row, end;
    };
    const Case cases[] = {
        {"values without a name between two points", {{L"E3", L"A"}, {L"E5", L"C"}}, {{L"F4", 40.0}, {L"G4", 8.0}},
         DataList::Points, 4, 4},
        {"a point two rows below the end", {{L"E3", L"A"}, {L"E6", L"late"}}, {{L"F6", 9.0}}, DataList::Points, 6, 4},
        {"a process below an empty row", {{L"I3", L"P"}, {L"J3", L"A"}, {L"K3", L"B"}, {L"K5", L"C"}}, {},
         DataList::Processes, 5, 4},
        {"a mix flow alone", {}, {{L"S7", 300.0}}, DataList::Mixes, 7, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        FakeSheet sheet;
        sheet.texts = c.texts;
        sheet.numbers = c.numbers;
        sheet.numbers[L"C3"] = 101325.0;
        CHumichartDataObj target;
        std::optional<DataFault> trailing;
        ASSERT_TRUE(ImportCells(sheet, target, trailing));
        ASSERT_TRUE(trailing.has_value());
        EXPECT_EQ(trailing->rule, DataRule::RowsAfterEnd);
        EXPECT_EQ(trailing->list, c.list);
        EXPECT_EQ(trailing->index + 3, c.row);
        EXPECT_EQ(trailing->values[0], c.end);
    }
}

TEST(SheetImport, FailureKeepsWhatWasStoredBeforeIt) {
    FakeSheet sheet;
    sheet.numbers = {{L"C3", 90000.0}, {L"C4", 40.0}, {L"C5", 0.0}, {L"C6", 30.0}, {L"C7", 0.0},
                     {L"F3", 10.0}, {L"G3", 2.0}};
    sheet.texts = {{L"E3", L"A"}, {L"E4", L"B"}, {L"F4", L"word"}};
    CHumichartDataObj target;
    target.points = {{1.0, 1.0, L"old"}, {2.0, 2.0, L"older"}};
    target.processes = {{L"a", L"b", L"kept", 1.0}};
    std::optional<DataFault> trailing;
    EXPECT_FALSE(ImportCells(sheet, target, trailing));
    EXPECT_EQ(target.airPressure, 90000.0);
    ASSERT_EQ(target.points.size(), 1u);
    EXPECT_EQ(target.points[0].name, L"A");
    EXPECT_EQ(target.processes.size(), 1u);
    EXPECT_EQ(sheet.reads.back(), L"F4");
}

TEST(CellAddresses, OneCellInA1NotationOnly) {
    struct Case { const wchar_t* text; bool ok; unsigned row, column; };
    const Case cases[] = {{L"A1", true, 0, 0},        {L"F3", true, 2, 5},      {L"s12", true, 11, 18},
                          {L"AA10", true, 9, 26},     {L"XFD1048576", true, 1048575, 16383},
                          {L"XFE1", false, 0, 0},     {L"A0", false, 0, 0},     {L"A01", false, 0, 0},
                          {L"A1048577", false, 0, 0}, {L"1A", false, 0, 0},     {L"A1:B2", false, 0, 0},
                          {L"", false, 0, 0},         {L"ABCD1", false, 0, 0},  {L"A", false, 0, 0}};
    for (const Case& c : cases) {
        unsigned row = 99, column = 99;
        EXPECT_EQ(ParseCellAddress(c.text, row, column), c.ok) << std::wstring(c.text).c_str();
        if (c.ok) {
            EXPECT_EQ(row, c.row);
            EXPECT_EQ(column, c.column);
        }
    }
}

}  // namespace
}  // namespace humichart
