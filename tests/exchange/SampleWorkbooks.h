// Workbooks that exercise what the writer has to get right: the chart's own
// layout with its Chinese headings, many sheets, shared-string tables long
// enough to be split into CONTINUE records in every way, and the corners of
// numbers, texts and the sheet's extent.
#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "ExchangeTestSupport.h"

namespace humichart::test {

struct NamedWorkbook {
    std::string name;
    Workbook workbook;
};

inline Sheet ChartLayoutSheet(int points) {
    Sheet sheet;
    sheet.name = L"Humichart";
    auto put = [&](const char* column, int row, Cell cell) { sheet.cells[At(column, row)] = std::move(cell); };
    const wchar_t* basics[] = {L"基本属性", L"属性名称", L"大气压力", L"温度上限", L"温度下限", L"湿度上限", L"湿度下限"};
    for (int i = 0; i < 7; ++i) put("B", i + 1, Txt(basics[i]));
    put("C", 2, Txt(L"属性值"));
    const double values[] = {101325, 50.25, -10, 30, 0};
    for (int i = 0; i < 5; ++i) put("C", i + 3, Num(values[i]));
    put("E", 1, Txt(L"状态点"));
    put("E", 2, Txt(L"名称"));
    put("F", 2, Txt(L"焓值"));
    put("G", 2, Txt(L"含湿量"));
    for (int r = 3; r < 3 + points; ++r) {
        put("E", r, Txt(L"P" + std::to_wstring(r - 2)));
        put("F", r, Num(20.5 + r / 7.0));
        put("G", r, Num(r * 0.01));
    }
    put("I", 1, Txt(L"热湿过程线"));
    put("I", 3, Txt(L"冷却"));
    put("J", 3, Txt(L"P1"));
    put("K", 3, Txt(L""));
    put("L", 3, Num(1500));
    return sheet;
}

inline std::vector<NamedWorkbook> SampleWorkbooks() {
    std::vector<NamedWorkbook> samples;
    samples.push_back({"empty workbook", {}});
    samples.push_back({"chart layout", {{ChartLayoutSheet(3)}}});

    Workbook several;
    for (const wchar_t* name : {L"First", L"Humichart", L"第三", L"Sheet with a name of 31 chars.."}) {
        Sheet sheet{name, {}};
        sheet.cells[{0, 0}] = Txt(name);
        several.sheets.push_back(sheet);
    }
    several.sheets.push_back(Sheet{L"Empty", {}});
    several.sheets.push_back(ChartLayoutSheet(40));
    several.sheets.back().name = L"Copy";
    samples.push_back({"several sheets", several});

    // Over 8224 bytes of strings whatever their width, with lengths that put
    // the record boundary in a header, between strings and inside both
    // compressed and UTF-16 characters; texts repeat so the table is shared.
    Workbook strings;
    strings.sheets.push_back({L"Strings", {}});
    for (std::uint32_t i = 0; i < 3000; ++i) {
        std::wstring text(1 + (i * 37) % 301, static_cast<wchar_t>(L'a' + i % 26));
        if (i % 3 == 1) text += L"湿";
        if (i % 11 == 0) text = L"";
        strings.sheets[0].cells[{i, i % 7}] = Txt(text);
        strings.sheets[0].cells[{i, 7}] = Txt(L"repeated " + std::to_wstring(i % 5));
    }
    samples.push_back({"long shared strings", strings});

    Workbook corners;
    Sheet& sheet = corners.sheets.emplace_back(Sheet{L"Corners", {}});
    const double numbers[] = {0.0, -0.0, 0.1, -1e-300, 5e-324, 1.7976931348623157e308, 123456789012345678.0, 1.0 / 3};
    for (std::uint32_t i = 0; i < std::size(numbers); ++i) sheet.cells[{i, 0}] = Num(numbers[i]);
    sheet.cells[{0, 1}] = Bool(true);
    sheet.cells[{1, 1}] = Bool(false);
    sheet.cells[{2, 1}] = Err(0x07);
    sheet.cells[{3, 1}] = Err(0x2A);
    sheet.cells[{4, 1}] = Txt(L"tab\there \\ \"quoted\" ÿ\u0100 \U0001F600");
    sheet.cells[{5, 1}] = Txt(std::wstring(32767, L'x'));
    sheet.cells[{65535, 255}] = Num(-42);
    sheet.cells[{65535, 0}] = Txt(L"last row");
    samples.push_back({"corners", corners});
    return samples;
}

}  // namespace humichart::test
