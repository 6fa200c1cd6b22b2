// Chart documents: the exchange layout with the settings sheet beside it,
// through the file codec and back, compared by the slot encoding (every
// value of the data set, bit for bit, records in order).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CChartView.h"
#include "CSlotFileCodec.h"
#include "DocumentLayout.h"
#include "SheetLayout.h"
#include "WorkbookFile.h"

namespace humichart {
namespace {

std::vector<std::uint8_t> Encoded(const CHumichartDataObj& data) { return CSlotFileCodec::Encode(data, L""); }

// A chart that uses everything a document keeps: every flag off its default,
// a CSSR region, a range stored as no typed degrees give it, and records
// without a name between named ones in all three lists.
CHumichartDataObj RichChart() {
    CHumichartDataObj data;
    data.HasTLine = data.HasDLine = data.HasILine = data.HasFLine = 0;
    data.HasProcessLineName = data.HasBorder = 1;
    data.HasBackground = data.HasForeground = 0;
    data.airPressure = 95123.25;
    // Degrees that come back through 1.005 as another stored value.
    data.viewRange = {0.4671911730744114, 93.90897593344454, 0.5, 28.125};
    data.cssrRegion = {26.5, 20.25, 10.0, 5.5};
    data.points = {{50.125, 10.0625, L"A"}, {40.0, 7.0, L""},        {44.0, 9.5, L"1"},
                   {1.0 / 3.0, 1e-300, L""}, {55.5, 12.0, L"送风点"}, {47.0, 9.7, L"M"}, {48.0, 9.9, L"M2"}};
    data.processes = {{L"A", L"1", L"Cool", 1200.5}, {L"1", L"送风点", L"", 800.0}, {L"A", L"送风点", L"", 0.0}};
    data.mixes = {{L"A", L"1", L"M", L"", 300.0, 1000.0}, {L"1", L"送风点", L"M2", L"Mix", 250.0, 900.0}};
    return data;
}

// The workbook as its file holds it.
Workbook ThroughFile(const Workbook& book) {
    Workbook read;
    std::wstring error;
    EXPECT_TRUE(ReadWorkbookBytes(WorkbookFileBytes(book), read, error)) << testing::PrintToString(error);
    return read;
}

Sheet* FindSheet(Workbook& book, const std::wstring& name) {
    for (Sheet& sheet : book.sheets)
        if (sheet.name == name) return &sheet;
    return nullptr;
}

TEST(Document, SavedThenOpenedGivesBackTheChartAndItsCaption) {
    const CHumichartDataObj data = RichChart();
    for (const bool caption : {false, true}) {
        DocumentContent content;
        std::optional<DataFault> trailing;
        std::optional<DocumentFault> fault;
        ASSERT_TRUE(ReadDocument(ThroughFile(DocumentWorkbook(data, caption)), content, trailing, fault));
        EXPECT_FALSE(trailing);
        EXPECT_TRUE(content.hasSettings);
        EXPECT_TRUE(content.recordsInserted);
        EXPECT_EQ(Encoded(content.data), Encoded(data));
        EXPECT_EQ(content.captionVisible, caption);
    }
}

TEST(Document, AnExportOpensWithTheDefaultsAndItsNamedRecords) {
    const CHumichartDataObj data = RichChart();
    Workbook book = ThroughFile(DocumentWorkbook(data, false));
    book.sheets.pop_back();  // the settings sheet: what an export is without it
    DocumentContent content;
    std::optional<DataFault> trailing;
    std::optional<DocumentFault> fault;
    ASSERT_TRUE(ReadDocument(book, content, trailing, fault));
    EXPECT_FALSE(content.hasSettings);
    EXPECT_FALSE(content.recordsInserted);
    EXPECT_TRUE(content.captionVisible);
    EXPECT_EQ(content.data.HasTLine, 1);
    EXPECT_EQ(content.data.HasBorder, 0);
    EXPECT_EQ(content.data.cssrRegion.maxT, 0.0);
    EXPECT_EQ(content.data.airPressure, data.airPressure);
    ASSERT_EQ(content.data.points.size(), 5u);
    EXPECT_EQ(content.data.points[2].name, L"送风点");
    ASSERT_EQ(content.data.processes.size(), 1u);
    ASSERT_EQ(content.data.mixes.size(), 1u);
    EXPECT_EQ(content.data.mixes[0].name, L"Mix");
}

// What a spreadsheet program's user may do to a document, and what a
// damaged one holds: the change taken or the cell named.
TEST(Document, EditsAreTakenAndDamageIsNamedByItsCell) {
    struct Case {
        const char* what;
        std::function<void(Workbook&)> edit;
        std::function<void(const DocumentContent&)> check;  // null: refused
        DocumentFault::Kind kind = DocumentFault::Kind::MissingSheet;
        std::wstring sheet = {}, cell = {};
        int trailing = -1;  // the points' row index refused as after the table's end
    };
    auto settings = [](Workbook& book) -> Sheet& { return *FindSheet(book, kSettingsSheetName); };
    auto chart = [](Workbook& book) -> Sheet& { return *FindSheet(book, kSheetName); };
    auto number = [](double value) {
        Cell cell;
        cell.kind = Cell::Kind::Number;
        cell.number = value;
        return cell;
    };
    auto text = [](const std::wstring& value) {
        Cell cell;
        cell.kind = Cell::Kind::Text;
        cell.text = value;
        return cell;
    };
    const std::vector<Case> cases = {
        {"the range changed by hand wins over the one kept",
         [&](Workbook& book) { chart(book).cells[{3, 2}] = number(40.0); },  // C4: maxT
         [](const DocumentContent& c) {
             EXPECT_EQ(CChartView(const_cast<CHumichartDataObj&>(c.data)).GetRange().maxT, 40.0);
         }},
        {"a key it does not know, and the keys in another order",
         [&](Workbook& book) {
             Sheet& s = settings(book);
             std::swap(s.cells[{1, 0}], s.cells[{6, 0}]);  // HasTLine (0) and HasBorder (1) change rows
             std::swap(s.cells[{1, 1}], s.cells[{6, 1}]);
             s.cells[{40, 0}] = text(L"Colour");
             s.cells[{40, 1}] = text(L"blue");
         },
         [](const DocumentContent& c) {
             EXPECT_EQ(c.data.HasTLine, 0);
             EXPECT_EQ(c.data.HasBorder, 1);
         }},
        {"an index beyond the list puts the record at its end",
         [&](Workbook& book) { settings(book).cells[{3, 3}] = number(99); },  // the second unnamed point
         [](const DocumentContent& c) {
             ASSERT_EQ(c.data.points.size(), 7u);
             EXPECT_EQ(c.data.points.back().D, 1e-300);
         }},
        {"sheet names in another letter case",
         [&](Workbook& book) { settings(book).name = L"HUMICHART SETTINGS"; },
         [](const DocumentContent& c) { EXPECT_EQ(c.data.HasBorder, 1); }},
        {"a value in the points' columns far below their end",
         [&](Workbook& book) { chart(book).cells[{60000, 6}] = number(42); },  // G60001
         nullptr, DocumentFault::Kind::MissingSheet, {}, {}, 60001 - 3},
        {"values on the row without a name that ends the points",
         [&](Workbook& book) { chart(book).cells[{7, 5}] = number(10); },  // F8, after five named points
         nullptr, DocumentFault::Kind::MissingSheet, {}, {}, 8 - 3},
        {"an empty text there, and a value beside the tables, end nothing",
         [&](Workbook& book) {
             chart(book).cells[{60000, 4}] = text(L"");
             chart(book).cells[{60001, 7}] = number(42);  // H: no table's column
         },
         [](const DocumentContent& c) { EXPECT_EQ(c.data.points.size(), 7u); }},
        {"a flag that is a word", [&](Workbook& book) { settings(book).cells[{2, 1}] = text(L"yes"); }, nullptr,
         DocumentFault::Kind::Setting, kSettingsSheetName, L"B3"},
        {"indices out of order", [&](Workbook& book) { settings(book).cells[{3, 3}] = number(0); }, nullptr,
         DocumentFault::Kind::Setting, kSettingsSheetName, L"D4"},
        {"an index with a fraction", [&](Workbook& book) { settings(book).cells[{2, 7}] = number(1.5); }, nullptr,
         DocumentFault::Kind::Setting, kSettingsSheetName, L"H3"},
        {"an error value for a name", [&](Workbook& book) {
             Cell error;
             error.kind = Cell::Kind::Error;
             error.number = 0x2A;
             chart(book).cells[{2, 4}] = error;  // E3
         },
         nullptr, DocumentFault::Kind::NoText, kSheetName, L"E3"},
        {"a word for an enthalpy", [&](Workbook& book) { chart(book).cells[{3, 5}] = text(L"warm"); }, nullptr,
         DocumentFault::Kind::NoNumber, kSheetName, L"F4"},
        {"no chart sheet", [&](Workbook& book) { chart(book).name = L"Sheet1"; }, nullptr,
         DocumentFault::Kind::MissingSheet, kSheetName, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Workbook book = DocumentWorkbook(RichChart(), false);
        c.edit(book);
        DocumentContent content;
        std::optional<DataFault> trailing;
        std::optional<DocumentFault> fault;
        const bool read = ReadDocument(ThroughFile(book), content, trailing, fault);
        if (c.trailing >= 0) {
            ASSERT_TRUE(read);
            ASSERT_TRUE(trailing);
            EXPECT_EQ(trailing->rule, DataRule::RowsAfterEnd);
            EXPECT_EQ(trailing->list, DataList::Points);
            EXPECT_EQ(trailing->index, static_cast<std::size_t>(c.trailing));
            continue;
        }
        if (c.check) {
            ASSERT_TRUE(read);
            EXPECT_FALSE(trailing);
            c.check(content);
            continue;
        }
        ASSERT_FALSE(read);
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->kind, c.kind);
        EXPECT_EQ(fault->sheet, c.sheet);
        EXPECT_EQ(fault->cell, c.cell);
    }
}

}  // namespace
}  // namespace humichart
