#include <cmath>
#include <fstream>
#include <limits>

#include "CChartView.h"
#include "ExchangeTestSupport.h"
#include "SheetLayout.h"

namespace humichart::test {
namespace {

CHumichartDataObj SmallChart() {
    CHumichartDataObj data;
    data.airPressure = 95000.0;
    CChartView(data).SetRange(-10.0, 40.0, 2.0, 30.0);
    data.points = {{50.0, 10.0, L"A"}, {30.0, 5.0, L""}, {44.0, 9.5, L"B"}, {0.0, 0.0, L"M"}};
    data.processes = {{L"A", L"B", L"P1", 1200.0}, {L"B", L"M", L"", 1.0}};
    data.mixes = {{L"A", L"B", L"M", L"X1", 300.0, 1000.0}};
    return data;
}

std::wstring Shown(double number) { return VariantText([&] { VARIANT v; VariantInit(&v); v.vt = VT_R8; v.dblVal = number; return v; }()); }

TEST_F(ExchangeTest, ExportMakesTheCallsInTheFixedOrderAndImportReadsThemBack) {
    const CHumichartDataObj chart = SmallChart();
    const std::wstring path = PathOf(L"order.xls");
    CExchangeClient client = Client();
    ASSERT_EQ(client.ExportTo(nullptr, path, chart), CExchangeClient::Outcome::Done);
    EXPECT_TRUE(messages.empty());

    CallLog expected = {L"Visible=true", L"Workbooks", L"Add(-4167)", L"ActiveSheet", L"Name=Humichart"};
    for (const SheetCellWrite& cell : ExportCells(chart)) {
        expected.push_back(L"Range(" + cell.address + L")");
        expected.push_back(L"Value2=" + (cell.isText ? cell.text : Shown(cell.number)));
    }
    for (const wchar_t* tail : {L"SaveCopyAs(", L"Saved=true", L"Close", L"Quit"}) expected.push_back(tail);
    expected[expected.size() - 4] += path + L")";
    EXPECT_EQ(*starter.log, expected);
    ASSERT_TRUE(std::filesystem::exists(path));

    starter.log->clear();
    CHumichartDataObj target;
    ASSERT_EQ(client.ImportFrom(nullptr, path, target, calc), CExchangeClient::Outcome::Done);
    // After the basic block the sheet's last row; after each table's end
    // its columns down to that row, which must be empty.
    CallLog importCalls = {
        L"Visible=true", L"Workbooks", L"Open(" + path + L")", L"Worksheets", L"Item(Humichart)",
        L"Range(C3)", L"Value2", L"Range(C4)", L"Value2", L"Range(C5)", L"Value2", L"Range(C6)", L"Value2",
        L"Range(C7)", L"Value2", L"UsedRange", L"Row", L"Rows", L"Count",
        L"Range(E3)", L"Text", L"Range(F3)", L"Value2", L"Range(G3)", L"Value2",
        L"Range(E4)", L"Text", L"Range(F4)", L"Value2", L"Range(G4)", L"Value2",
        L"Range(E5)", L"Text", L"Range(F5)", L"Value2", L"Range(G5)", L"Value2", L"Range(E6)", L"Text"};
    // The sheet's last row is the basic block's 7.
    for (unsigned row : {6, 7})
        for (const wchar_t* column : {L"E", L"F", L"G"})
            importCalls.insert(importCalls.end(), {L"Range(" + std::wstring(column) + std::to_wstring(row) + L")", L"Value2"});
    importCalls.insert(importCalls.end(), {L"Range(I3)", L"Value2", L"Range(J3)", L"Value2", L"Range(K3)", L"Value2",
                                           L"Range(L3)", L"Value2", L"Range(I4)", L"Value2"});
    for (unsigned row : {4, 5, 6, 7})
        for (const wchar_t* column : {L"I", L"J", L"K", L"L"})
            importCalls.insert(importCalls.end(), {L"Range(" + std::wstring(column) + std::to_wstring(row) + L")", L"Value2"});
    importCalls.insert(importCalls.end(), {L"Range(N3)", L"Value2", L"Range(O3)", L"Value2", L"Range(P3)", L"Value2",
                                           L"Range(Q3)", L"Value2", L"Range(R3)", L"Value2", L"Range(S3)", L"Value2",
                                           L"Range(N4)", L"Value2"});
    for (unsigned row : {4, 5, 6, 7})
        for (const wchar_t* column : {L"N", L"O", L"P", L"Q", L"R", L"S"})
            importCalls.insert(importCalls.end(), {L"Range(" + std::wstring(column) + std::to_wstring(row) + L")", L"Value2"});
    importCalls.insert(importCalls.end(), {L"Close", L"Quit"});
    EXPECT_EQ(*starter.log, importCalls);
    EXPECT_EQ(target.airPressure, 95000.0);
    ASSERT_EQ(target.points.size(), 3u);
    EXPECT_EQ(target.points[1].name, L"B");
    EXPECT_EQ(target.points[1].D, 9.5);
    ASSERT_EQ(target.processes.size(), 1u);
    EXPECT_EQ(target.processes[0].dAirFlow, 1200.0);
    ASSERT_EQ(target.mixes.size(), 1u);
    EXPECT_EQ(target.mixes[0].ptMix, L"M");
    EXPECT_EQ(target.mixes[0].dAirFlow, 1000.0);
    EXPECT_EQ(target.mixes[0].dFreshAirFlow, 300.0);
}

TEST_F(ExchangeTest, OnlyXlsPathsAreTouchedAndAnApplicationThatWillNotStartIsAnInvalidPointer) {
    CExchangeClient client = Client();
    CHumichartDataObj data = SmallChart();
    EXPECT_EQ(client.ExportTo(nullptr, PathOf(L"chart.txt"), data), CExchangeClient::Outcome::NotXls);
    EXPECT_EQ(client.ImportFrom(nullptr, PathOf(L"xls"), data, calc), CExchangeClient::Outcome::NotXls);
    EXPECT_TRUE(starter.log->empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "chart.txt"));

    EXPECT_EQ(client.ExportTo(nullptr, PathOf(L"UPPER.XLS"), data), CExchangeClient::Outcome::Done);
    starter.fail = true;
    EXPECT_EQ(client.ExportTo(nullptr, PathOf(L"x.xls"), data), CExchangeClient::Outcome::Failed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, L"Exception");
    EXPECT_EQ(messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(messages[0].text.rfind(L"Code = 80004003\nCode meaning = ", 0), 0u) << messages[0].text;
    EXPECT_NE(messages[0].text.find(L"\nSource = \nDescription = \n"), std::wstring::npos);
    // A code the system has no text for is not given one.
    EXPECT_NE(CExchangeClient::ExceptionText({0x20004711, L"", L""}).find(L"Code = 20004711\nCode meaning = (the system has no text for this code)\n"),
              std::wstring::npos);
}

struct ImportCase {
    const char* name;
    // Cells of the "Humichart" sheet beyond a valid basic block and point A in row 3.
    std::vector<std::pair<const wchar_t*, std::wstring>> texts;
    std::vector<std::pair<const wchar_t*, double>> numbers;
    CExchangeClient::Outcome outcome;
    const wchar_t* description;     // of the failure or refusal, if any
    bool program = false;           // answered as by a spreadsheet program
};

// Whatever stops an import, the working copy is exactly what it was; only a
// workbook read whole, whose tables end where they say and whose chart is
// sound, replaces it.
TEST_F(ExchangeTest, ImportCases) {
    // Numbers whose bits the file then gets as a NaN and an infinity.
    constexpr double kSentinel = 31415.926535897931;
    using Outcome = CExchangeClient::Outcome;
    const ImportCase cases[] = {
        {"text 12.5 in F4 is a number, a point named 1 reads by its text, stop at empty E5",
         {{L"E4", L"B"}, {L"F4", L"12.5"}}, {{L"E4", 1.0}}, Outcome::Done, nullptr},
        {"a word in F4 fails", {{L"E4", L"B"}, {L"F4", L"warm"}}, {}, Outcome::Failed,
         L"Cell F4 holds text that is not a number"},
        {"a word in F4 from a spreadsheet program is the chart's finding, not the engine's",
         {{L"E4", L"B"}, {L"F4", L"warm"}}, {}, Outcome::Failed, L"Cell F4 holds text that is not a number", true},
        {"inf in a number cell is no number", {{L"E4", L"B"}, {L"G4", L"inf"}}, {}, Outcome::Failed,
         L"Cell G4 holds text that is not a number"},
        {"a NaN number is refused", {{L"E4", L"B"}}, {{L"F4", kSentinel}}, Outcome::Failed,
         L"Cell F4 holds a number that is not finite"},
        {"an infinite air flow is refused", {{L"I3", L"P"}}, {{L"L3", -kSentinel}}, Outcome::Failed,
         L"Cell L3 holds a number that is not finite"},
        {"a point below the empty name that ends the table", {{L"E6", L"late"}}, {{L"F6", 40.0}}, Outcome::Refused,
         L"Points table, row 6: it holds data below row 4, whose empty name ends the table."},
        {"values without a name between two points", {{L"E5", L"C"}}, {{L"F4", 40.0}, {L"F5", 45.0}}, Outcome::Refused,
         L"Points table, row 4: it holds values but no name, and a row without a name ends the table."},
        {"a point far beyond the chart", {{L"E4", L"X"}}, {{L"F4", 1e6}, {L"G4", 1e6}}, Outcome::Refused,
         L"Points table, row 4: the state I = 1e+06 kJ/kg, D = 1e+06 g/kg lies beyond the chart"},
        {"a pressure no chart has", {}, {{L"C3", 5000.0}}, Outcome::Refused,
         L"Cell C3: the air pressure 5000 Pa lies outside 50000 to 1560000 Pa."},
        {"two points of one name", {{L"E4", L"A"}}, {{L"F4", 41.0}}, Outcome::Refused,
         L"Points table, row 4: the name \"A\" is already the name of a point above it."},
        {"a mix into one of its own inputs",
         {{L"E4", L"Room"}, {L"N3", L"Mx"}, {L"O3", L"A"}, {L"P3", L"Room"}, {L"Q3", L"Room"}},
         {{L"F4", 50.0}, {L"G4", 10.0}, {L"R3", 1000.0}, {L"S3", 200.0}}, Outcome::Refused,
         L"Mixes table, row 3: its mix point \"Room\" feeds its own mix"},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.name);
        Workbook book;
        book.sheets.push_back({L"Other", {}});
        book.sheets.push_back({L"HUMICHART", {}});
        Sheet& sheet = book.sheets.back();
        Put(sheet, L"C3", 50000.0);
        Put(sheet, L"C4", 10.0);  // swapped: C4 below C5
        Put(sheet, L"C5", 35.0);
        Put(sheet, L"C6", 25.0);
        Put(sheet, L"C7", 1.0);
        Put(sheet, L"E3", L"A");
        Put(sheet, L"F3", 40.0);
        Put(sheet, L"G3", 5.0);
        for (const auto& [at, text] : c.texts) Put(sheet, at, text);
        for (const auto& [at, number] : c.numbers) Put(sheet, at, number);
        const std::wstring path = WriteWorkbook(L"case.xls", book);
        for (const auto& [at, number] : c.numbers) {
            if (number == kSentinel) PatchNumber(path, kSentinel, std::numeric_limits<double>::quiet_NaN());
            if (number == -kSentinel) PatchNumber(path, -kSentinel, HUGE_VAL);
        }

        messages.clear();
        CHumichartDataObj target;
        target.airPressure = 90000.0;
        target.points = {{40, 8, L"old"}, {45, 9, L"older"}, {30, 5, L"oldest"}};
        target.processes = {{L"old", L"older", L"kept", 100.0}};
        target.HasBorder = 1;
        const CHumichartDataObj before = target;
        starter.builtIn = !c.program;
        CExchangeClient client = Client();
        EXPECT_EQ(client.ImportFrom(nullptr, path, target, calc), c.outcome);
        EXPECT_EQ(target.HasBorder, 1);
        if (c.outcome == Outcome::Done) {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(target.airPressure, 50000.0);
            const ChartRange range = CChartView(target).GetRange();
            EXPECT_NEAR(range.minT, 10.0, 1e-9);
            EXPECT_NEAR(range.maxT, 35.0, 1e-9);
            ASSERT_EQ(target.points.size(), 2u);
            EXPECT_EQ(target.points[0].name, L"A");
            EXPECT_EQ(target.points[1].name, L"1");
            EXPECT_EQ(target.points[1].I, 12.5);
            EXPECT_TRUE(target.processes.empty());
            EXPECT_EQ(starter.log->back(), L"Quit");
            continue;
        }
        EXPECT_TRUE(SameData(target, before));
        ASSERT_EQ(messages.size(), 1u);
        const std::string shown(messages[0].text.begin(), messages[0].text.end());
        if (c.outcome == Outcome::Failed) {
            EXPECT_EQ(messages[0].caption, L"Exception");
            EXPECT_NE(messages[0].text.find(std::wstring(L"\nSource = ") + (c.program ? L"Humichart" : L"Humichart workbook") +
                                            L"\nDescription = " + c.description + L"\n"),
                      std::wstring::npos)
                << shown;
            EXPECT_NE(starter.log->back(), L"Quit");  // the application is left open
        } else {
            EXPECT_EQ(messages[0].caption, L"Failed");
            EXPECT_EQ(messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
            EXPECT_EQ(messages[0].text.rfind(c.description, 0), 0u) << shown;
            EXPECT_NE(messages[0].text.find(L"\n\nNothing was imported."), std::wstring::npos) << shown;
            EXPECT_EQ(starter.log->back(), L"Quit");  // read whole: closed before the refusal
        }
    }
}

TEST_F(ExchangeTest, MissingSheetAndUnreadableFilesChangeNothing) {
    Workbook book;
    book.sheets.push_back({L"Sheet1", {}});
    Put(book.sheets[0], L"C3", 50000.0);
    const std::wstring noSheet = WriteWorkbook(L"nosheet.xls", book);
    {
        std::ofstream garbage(folder / "garbage.xls");
        garbage << "name,I,D\nA,1,2\n";
    }
    CHumichartDataObj target;
    target.points = {{1, 1, L"kept"}};
    CExchangeClient client = Client();
    EXPECT_EQ(client.ImportFrom(nullptr, noSheet, target, calc), CExchangeClient::Outcome::MissingSheet);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Missing sheet named as Humichart.");
    EXPECT_EQ(messages[0].caption, L"Failed");
    EXPECT_EQ(messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(starter.log->back(), L"Item(Humichart)");

    EXPECT_EQ(client.ImportFrom(nullptr, PathOf(L"garbage.xls"), target, calc), CExchangeClient::Outcome::Failed);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].text.find(L"Source = Humichart workbook\nDescription = The file"), std::wstring::npos)
        << std::string(messages[1].text.begin(), messages[1].text.end());
    // No memory left for the file: the engine's status reaches the user.
    failAllocationOf = std::filesystem::file_size(noSheet);
    failArmed = true;
    EXPECT_EQ(client.ImportFrom(nullptr, noSheet, target, calc), CExchangeClient::Outcome::Failed);
    failArmed = false;
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].caption, L"Exception");
    EXPECT_EQ(messages[2].text.rfind(L"Code = 8007000e\n", 0), 0u);
    EXPECT_NE(messages[2].text.find(L"\nDescription = There is not enough memory to read the workbook\n"), std::wstring::npos)
        << std::string(messages[2].text.begin(), messages[2].text.end());
    EXPECT_EQ(target.airPressure, 101325.0);
    ASSERT_EQ(target.points.size(), 1u);
}

}  // namespace
}  // namespace humichart::test
