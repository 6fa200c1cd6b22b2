// The printed report: a title block (the document's name, the date, the air
// pressure), the chart as large as fits beside the tables, and tables of the
// named points, the processes and the mixes, continued on further pages when
// they do not fit. What is where on which page, in hundredths of an inch of
// the printable area, as plain data: the printing only draws it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CHumichartDataObj.h"
#include "ICalcSession.h"
#include "PrintLayout.h"

namespace humichart {

// One table: its title, column headings and rows of cell texts.
struct ReportTable {
    std::wstring title;
    std::vector<std::wstring> headings;
    std::vector<bool> alignRight;  // per column: numbers stand right-aligned
    std::vector<std::vector<std::wstring>> rows;
};

// The interface's words the tables are headed with (an id of the report's
// string table to its text).
using ReportText = std::function<std::wstring(int id)>;

// The tables of data, computed in the units the dialogs use: the named
// points (name, T, RH, D, I, wet bulb, dew point), the processes (name,
// from, to, flow, heat and moisture loads at the start point's density) and
// the mixes (name, fresh, return and mix point, total and fresh-air flow).
// A list that is empty gives no table. The calculator's errors propagate.
std::vector<ReportTable> ReportTables(const CHumichartDataObj& data, ICalcSession& calc, const ReportText& text);

// A text to draw: its left edge (or right edge when alignRight) and its top.
struct ReportTextItem {
    double x = 0.0, y = 0.0;
    std::wstring text;
    enum class Style { Title, Heading, Body } style = Style::Body;
    bool alignRight = false;
    double scale = 1.0;    // of the style's size: a table squeezed to the page's width
    double clipWidth = 0;  // the column's width, where the text must stay
};

// A rule under a table's headings.
struct ReportRule {
    double x0 = 0.0, x1 = 0.0, y = 0.0;
};

struct ReportPage {
    // On the first page, the chart: the top-left corner it is drawn from,
    // the room it was fitted into and the fit (the part of the room it takes
    // and the zoom).
    std::optional<PrintLayout> chart;
    double chartLeft = 0.0, chartTop = 0.0;
    int chartRoomWidth = 0, chartRoomHeight = 0;
    std::vector<ReportTextItem> texts;
    std::vector<ReportRule> rules;
};

// How text measures on the page: the height of a line of each style and the
// width of a text at scale 1, in hundredths of an inch.
struct ReportMetrics {
    double titleLine = 30.0, headingLine = 20.0, bodyLine = 16.0;
    std::function<double(const std::wstring& text, ReportTextItem::Style style)> width;
};

struct ReportInput {
    int pageWidth = 0, pageHeight = 0;  // the printable area, hundredths of an inch
    int clientWidth = 0, clientHeight = 0;
    double plotWidth = 0.0, plotHeight = 0.0;  // the window's plot as last rendered
    std::wstring title, date, pressure;        // the title block's three lines
    std::vector<ReportTable> tables;
    // "Page %1 of %2", and a table's title continued on a further page.
    std::function<std::wstring(int page, int pages)> pageFooter;
    std::function<std::wstring(const std::wstring& title)> continued;
};

// Margins inside the printable area, and the least share of the first page's
// room that the chart keeps however long the tables are.
inline constexpr double kReportMargin = 25.0;
inline constexpr double kReportChartShare = 0.55;

std::vector<ReportPage> LayoutReport(const ReportInput& input, const ReportMetrics& metrics);

}  // namespace humichart
