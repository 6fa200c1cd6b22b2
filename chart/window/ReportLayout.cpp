#include "ReportLayout.h"

#include <algorithm>
#include <cmath>

#include "DocumentsResource.h"
#include "ProcessTexts.h"
#include "TypedText.h"

namespace humichart {

namespace {

constexpr double kGap = 12.0;       // between blocks
constexpr double kCellPad = 14.0;   // between columns
constexpr double kRuleDrop = 2.0;   // the rule below the headings' line

std::wstring NameOrNone(const std::wstring& name, const ReportText& text) {
    return name.empty() ? text(IDS_REPORT_NO_NAME) : name;
}

// Where the columns of a table stand: their widths (summing to at most the
// page's), and the scale their texts are drawn at to keep within them.
struct Columns {
    std::vector<double> widths;
    double scale = 1.0;
};

Columns ColumnsOf(const ReportTable& table, double room, const ReportMetrics& metrics) {
    Columns columns;
    columns.widths.assign(table.headings.size(), 0.0);
    for (std::size_t c = 0; c < table.headings.size(); ++c) {
        double widest = metrics.width(table.headings[c], ReportTextItem::Style::Heading);
        for (const auto& row : table.rows)
            if (c < row.size()) widest = std::max(widest, metrics.width(row[c], ReportTextItem::Style::Body));
        columns.widths[c] = widest + kCellPad;
    }
    double total = 0.0;
    for (double w : columns.widths) total += w;
    if (total > room && total > 0) {
        // Squeezed to the page's width, text and all, down to half its size;
        // a column too wide even then is cut at its edge.
        columns.scale = std::max(room / total, 0.5);
        for (double& w : columns.widths) w *= columns.scale;
        total *= columns.scale;
        if (total > room)
            for (double& w : columns.widths) w *= room / total;
    }
    return columns;
}

class Pages {
public:
    Pages(const ReportInput& input, const ReportMetrics& metrics)
        : m_input(input), m_metrics(metrics), m_left(kReportMargin),
          m_width(std::max(input.pageWidth - 2.0 * kReportMargin, 1.0)),
          m_footer(input.pageHeight - kReportMargin - metrics.bodyLine),
          m_bottom(m_footer - kGap) {
        NewPage();
    }

    double Top() const { return m_y; }
    double Bottom() const { return m_bottom; }
    double Left() const { return m_left; }
    double Width() const { return m_width; }
    ReportPage& Current() { return m_pages.back(); }
    void Down(double by) { m_y += by; }
    bool Fits(double height) const { return m_y + height <= m_bottom || m_fresh; }

    void Text(double x, const std::wstring& text, ReportTextItem::Style style, bool right = false,
              double scale = 1.0, double clip = 0.0) {
        Current().texts.push_back({x, m_y, text, style, right, scale, clip});
        m_fresh = false;
    }

    void NewPage() {
        m_pages.emplace_back();
        m_y = kReportMargin;
        m_fresh = true;
    }

    std::vector<ReportPage> Finish() {
        const int count = static_cast<int>(m_pages.size());
        for (int k = 0; k < count && m_input.pageFooter; ++k)
            m_pages[static_cast<std::size_t>(k)].texts.push_back(
                {m_left + m_width, m_footer, m_input.pageFooter(k + 1, count), ReportTextItem::Style::Body, true});
        return std::move(m_pages);
    }

    // A table's title and its column headings with the rule below them.
    void TableHead(const std::wstring& title, const ReportTable& table, const Columns& columns) {
        Text(m_left, title, ReportTextItem::Style::Heading);
        Down(m_metrics.headingLine);
        Cells(table.headings, table, columns, ReportTextItem::Style::Heading);
        Down(m_metrics.headingLine);
        Current().rules.push_back({m_left, m_left + Total(columns), m_y - kRuleDrop});
    }

    void Cells(const std::vector<std::wstring>& cells, const ReportTable& table, const Columns& columns,
               ReportTextItem::Style style) {
        double x = m_left;
        for (std::size_t c = 0; c < cells.size() && c < columns.widths.size(); ++c) {
            const double w = columns.widths[c];
            const bool right = c < table.alignRight.size() && table.alignRight[c];
            const double pad = kCellPad * columns.scale;
            Text(right ? x + w - pad / 2 : x, cells[c], style, right, columns.scale, w - pad / 2);
            x += w;
        }
    }

private:
    static double Total(const Columns& columns) {
        double total = 0.0;
        for (double w : columns.widths) total += w;
        return total;
    }

    const ReportInput& m_input;
    const ReportMetrics& m_metrics;
    std::vector<ReportPage> m_pages;
    const double m_left, m_width, m_footer, m_bottom;
    double m_y = 0.0;
    bool m_fresh = true;  // nothing on the page yet: whatever comes goes here
};

}  // namespace

std::vector<ReportTable> ReportTables(const CHumichartDataObj& data, ICalcSession& calc, const ReportText& text) {
    std::vector<ReportTable> tables;
    ReportTable points{text(IDS_REPORT_POINTS),
                       {text(IDS_REPORT_NAME), text(IDS_REPORT_T), text(IDS_REPORT_RH), text(IDS_REPORT_D),
                        text(IDS_REPORT_I), text(IDS_REPORT_WET_BULB), text(IDS_REPORT_DEW_POINT)},
                       {false, true, true, true, true, true, true},
                       {}};
    for (const StatePoint& p : data.points) {
        if (p.name.empty()) continue;
        points.rows.push_back({p.name, FormatNumber("%.2f", calc.ID_T_D_I(p.D, p.I)),
                               FormatNumber("%.1f", calc.ID_F_D_I(p.D, p.I) * 100.0), FormatNumber("%.3f", p.D),
                               FormatNumber("%.2f", p.I), FormatNumber("%.2f", calc.ID_TS_I(p.I)),
                               FormatNumber("%.2f", calc.ID_T_D_F(p.D, 1.0))});
    }
    if (!points.rows.empty()) tables.push_back(std::move(points));

    ReportTable processes{text(IDS_REPORT_PROCESSES),
                          {text(IDS_REPORT_NAME), text(IDS_REPORT_FROM), text(IDS_REPORT_TO), text(IDS_REPORT_FLOW),
                           text(IDS_REPORT_HEAT), text(IDS_REPORT_MOISTURE)},
                          {false, false, false, true, true, true},
                          {}};
    for (const TransferProcess& p : data.processes) {
        const StatePoint* start = data.FindPoint(p.ptStart);
        const StatePoint* end = data.FindPoint(p.ptEnd);
        std::wstring heat, moisture;
        if (start && end) {
            // As "Transfer processes" shows them: the flow at the start
            // point's density.
            const double rho = calc.ID_ROU_I_D(start->I, start->D);
            heat = HeatText(rho * p.dAirFlow * (end->I - start->I));
            moisture = MoistureText(rho * p.dAirFlow / 1000.0 * (end->D - start->D));
        }
        processes.rows.push_back({NameOrNone(p.name, text), p.ptStart, p.ptEnd, FormatNumber("%.2f", p.dAirFlow),
                                  heat, moisture});
    }
    if (!processes.rows.empty()) tables.push_back(std::move(processes));

    ReportTable mixes{text(IDS_REPORT_MIXES),
                      {text(IDS_REPORT_NAME), text(IDS_REPORT_FRESH), text(IDS_REPORT_RETURN), text(IDS_REPORT_MIX),
                       text(IDS_REPORT_TOTAL_FLOW), text(IDS_REPORT_FRESH_FLOW)},
                      {false, false, false, false, true, true},
                      {}};
    for (const MixProcess& m : data.mixes)
        mixes.rows.push_back({NameOrNone(m.name, text), m.ptFresh, m.ptReturn, m.ptMix,
                              FormatNumber("%.2f", m.dAirFlow), FormatNumber("%.2f", m.dFreshAirFlow)});
    if (!mixes.rows.empty()) tables.push_back(std::move(mixes));
    return tables;
}

std::vector<ReportPage> LayoutReport(const ReportInput& input, const ReportMetrics& metrics) {
    Pages pages(input, metrics);
    pages.Text(pages.Left(), input.title, ReportTextItem::Style::Title);
    pages.Down(metrics.titleLine);
    pages.Text(pages.Left(), input.date, ReportTextItem::Style::Body);
    pages.Down(metrics.bodyLine);
    pages.Text(pages.Left(), input.pressure, ReportTextItem::Style::Body);
    pages.Down(metrics.bodyLine + kGap);

    std::vector<Columns> columns;
    double tablesHeight = 0.0;
    for (const ReportTable& table : input.tables) {
        columns.push_back(ColumnsOf(table, pages.Width(), metrics));
        tablesHeight += 2 * metrics.headingLine + table.rows.size() * metrics.bodyLine + kGap;
    }

    // The chart as large as the tables leave room for, but never less than
    // its share of the page: longer tables go on to further pages.
    const double room = std::max(pages.Bottom() - pages.Top(), 0.0);
    const double chartRoom = std::min(room, std::max(room - tablesHeight, room * kReportChartShare));
    const int roomWidth = static_cast<int>(pages.Width()), roomHeight = static_cast<int>(std::floor(chartRoom));
    const PrintLayout fit =
        FitToPage(input.clientWidth, input.clientHeight, input.plotWidth, input.plotHeight, roomWidth, roomHeight);
    ReportPage& first = pages.Current();
    first.chart = fit;
    first.chartRoomWidth = roomWidth;
    first.chartRoomHeight = roomHeight;
    first.chartLeft = pages.Left() + std::max((pages.Width() - fit.pageWidth) / 2.0, 0.0);
    first.chartTop = pages.Top();
    pages.Down(fit.pageHeight + kGap);

    for (std::size_t t = 0; t < input.tables.size(); ++t) {
        const ReportTable& table = input.tables[t];
        // A title and its headings never stand without a row under them.
        if (!pages.Fits(2 * metrics.headingLine + metrics.bodyLine)) pages.NewPage();
        pages.TableHead(table.title, table, columns[t]);
        bool rowOnPage = false;  // a page too short for any row still takes one
        for (const auto& row : table.rows) {
            if (rowOnPage && !pages.Fits(metrics.bodyLine)) {
                pages.NewPage();
                pages.TableHead(input.continued ? input.continued(table.title) : table.title, table, columns[t]);
            }
            pages.Cells(row, table, columns[t], ReportTextItem::Style::Body);
            pages.Down(metrics.bodyLine);
            rowOnPage = true;
        }
        pages.Down(kGap);
    }
    return pages.Finish();
}

}  // namespace humichart
