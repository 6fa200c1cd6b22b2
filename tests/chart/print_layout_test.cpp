#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CCoreCalcBinding.h"
#include "DocumentsResource.h"
#include "PrintLayout.h"
#include "ReportLayout.h"
#include "TypedText.h"

namespace humichart {
namespace {

TEST(PrintLayout, PlotTakesThePageWidthOrHeightByWhichOfWindowAndPageIsTheWider) {
    struct Case {
        const char* name;
        int clientWidth, clientHeight, pageWidth, pageHeight;
        int fittedWidth, fittedHeight;
        double r;
    };
    // Plot = client less 90 across and 80 down, as last rendered.
    const Case cases[] = {
        // (850 - 90) * 320 / 710 = 342.5: the width taken, height 80 + 342.
        {"twice as wide on portrait", 800, 400, 850, 1100, 850, 422, 342.0 / 320.0},
        // (1100 - 80) * 310 / 720 = 439.2: the height taken, width 90 + 439.
        {"twice as high on portrait", 400, 800, 850, 1100, 529, 1100, 439.0 / 310.0},
        // Square on landscape: (850 - 80) * 910 / 920 = 761.6.
        {"square on landscape", 1000, 1000, 1100, 850, 851, 850, 761.0 / 910.0},
        // Page-like: the window is the wider of the two (0.784 > 0.773), but
        // its plot 110 x 175 is the narrower of plot and room 760 x 1020, so
        // the height decides: (1100 - 80) * 110 / 175 = 641.1.
        {"200 x 255 on portrait letter", 200, 255, 850, 1100, 731, 1100, 641.0 / 110.0},
        // Equal proportions: not the wider, so the height decides.
        {"the page's own proportions", 850, 1100, 850, 1100, 850, 1100, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintLayout layout = FitToPage(c.clientWidth, c.clientHeight, c.clientWidth - 90.0,
                                             c.clientHeight - 80.0, c.pageWidth, c.pageHeight);
        EXPECT_EQ(layout.pageWidth, c.fittedWidth);
        EXPECT_EQ(layout.pageHeight, c.fittedHeight);
        EXPECT_DOUBLE_EQ(layout.r, c.r);
    }
}

// Every window on every page: the chart (plot plus the 90 x 80 margins its
// titles and labels stand in) inside the printable area, as large as fits -
// the plot touches the room left for it across or down - at the plot's own
// proportions. Page-like windows are the ones the window's proportions
// misjudged.
TEST(PrintLayout, WholeChartInsideThePrintableAreaAsLargeAsFitsForAnyWindowAndPage) {
    struct Window {
        int width, height;
    };
    struct Page {
        const char* name;
        int width, height;  // printable area, hundredths of an inch
    };
    const Window windows[] = {{800, 400}, {400, 800}, {620, 439}, {200, 255}, {260, 330}, {850, 1100},
                              {1100, 850}, {300, 300}, {1280, 960}, {91, 2000}, {2000, 81}};
    const Page pages[] = {{"letter portrait", 800, 1050}, {"letter landscape", 1050, 800},
                          {"A4 portrait", 793, 1135},     {"A4 landscape", 1135, 793},
                          {"A3 portrait", 1136, 1612},    {"A3 landscape", 1612, 1136}};
    for (const Page& page : pages)
        for (const Window& window : windows) {
            SCOPED_TRACE(testing::Message() << page.name << ", window " << window.width << " x " << window.height);
            const double plotWidth = window.width - 90.0, plotHeight = window.height - 80.0;
            const PrintLayout layout =
                FitToPage(window.width, window.height, plotWidth, plotHeight, page.width, page.height);
            EXPECT_LE(layout.pageWidth, page.width);
            EXPECT_LE(layout.pageHeight, page.height);
            // The plot as drawn (scaled by r) within the page less the margins.
            const double drawnWidth = layout.r * plotWidth, drawnHeight = layout.r * plotHeight;
            EXPECT_LE(drawnWidth, layout.pageWidth - 90 + 1e-9);
            EXPECT_LE(drawnHeight, layout.pageHeight - 80 + 1e-9);
            // As large as fits: one hundredth more of the side the page is
            // cut to would run the plot past the room for it.
            EXPECT_TRUE((layout.r + 1.0 / plotHeight) * plotWidth > page.width - 90 ||
                        (layout.r + 1.0 / plotWidth) * plotHeight > page.height - 80)
                << drawnWidth << " x " << drawnHeight;
            // The page is cut to the chart on one side and kept on the other.
            EXPECT_TRUE((layout.pageWidth == page.width && std::abs(layout.pageHeight - 80 - drawnHeight) < 1e-6) ||
                        (layout.pageHeight == page.height && std::abs(layout.pageWidth - 90 - drawnWidth) < 1e-6));
        }
}

TEST(PrintLayout, WindowWithoutAPlotKeepsThePageAndTheView) {
    for (const auto& [width, height] : {std::pair{60, 300}, std::pair{300, 50}, std::pair{0, 0}}) {
        const PrintLayout layout = FitToPage(width, height, width - 90.0, height - 80.0, 850, 1100);
        EXPECT_EQ(layout.pageWidth, 850);
        EXPECT_EQ(layout.pageHeight, 1100);
        EXPECT_EQ(layout.r, 1.0);
    }
}

TEST(PrintLayout, PalettesOf256ColoursOrFewerPrintWithoutTints) {
    for (const auto& [colours, without] :
         {std::pair{-1, false}, std::pair{2, true}, std::pair{16, true}, std::pair{256, true}, std::pair{257, false}})
        EXPECT_EQ(PrintsWithoutTints(colours), without) << colours;
}


// The report's tables in the dialogs' units: the named points with their
// temperatures and humidities as the calculator has them, every process and
// mix, and no table for an empty list.
TEST(Report, TablesHoldTheNamedPointsAndEveryProcessAndMix) {
    std::unique_ptr<ICalcSession> calc;
    CCoreCalcBinding binding;
    ASSERT_EQ(binding.Open(101325.0, calc), kStatusOk);
    CHumichartDataObj data;
    // 26 degC and 55 %, 34 degC and 60 %, found through the calculator.
    const double iRoom = calc->ID_I_T_F(26, 0.55), dRoom = calc->ID_D_T_F(26, 0.55);
    const double iOut = calc->ID_I_T_F(34, 0.60), dOut = calc->ID_D_T_F(34, 0.60);
    data.points = {{iRoom, dRoom, L"Room"}, {30, 5, L""}, {iOut, dOut, L"Outdoor"}};
    data.processes = {{L"Outdoor", L"Room", L"", 1200.0}};
    const auto text = [](int id) { return L"#" + std::to_wstring(id); };
    std::vector<ReportTable> tables = ReportTables(data, *calc, text);
    ASSERT_EQ(tables.size(), 2u) << "no mixes, no mix table";
    ASSERT_EQ(tables[0].rows.size(), 2u) << "the point without a name is no row";
    EXPECT_EQ(tables[0].rows[0][0], L"Room");
    EXPECT_EQ(tables[0].rows[0][1], L"26.00");
    EXPECT_EQ(tables[0].rows[0][2], L"55.0");
    EXPECT_EQ(tables[0].rows[1][1], L"34.00");
    EXPECT_EQ(tables[0].rows[1][2], L"60.0");
    ASSERT_EQ(tables[1].rows.size(), 1u);
    const std::vector<std::wstring>& process = tables[1].rows[0];
    EXPECT_EQ(process[0], text(IDS_REPORT_NO_NAME));
    EXPECT_EQ(process[3], L"1200.00");
    // Air cooled and dried: heat and moisture taken out, at the outdoor
    // density (about 1.14 kg/m3): 1200 * 1.14 * (55.6 - 85.7) kJ/h.
    const double heat = std::wcstod(process[4].c_str(), nullptr);
    EXPECT_NEAR(heat, 1200 * calc->ID_ROU_I_D(iOut, dOut) * (iRoom - iOut), 0.01);
    EXPECT_LT(heat, -40000);
    EXPECT_LT(std::wcstod(process[5].c_str(), nullptr), 0);
    data.mixes = {{L"Outdoor", L"Room", L"Room", L"M", 300.0, 1000.0}};
    tables = ReportTables(data, *calc, text);
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[2].rows[0][4], L"1000.00") << "total flow before the fresh-air flow";
}

// The report on pages of either orientation, with few and with many rows:
// every row on exactly one page, within the printable area; the chart on the
// first page, as large as the tables leave room for but never less than its
// share; the tables going on to further pages under their titles continued.
TEST(Report, TheChartAndEveryRowFitThePagesInOrder) {
    struct Page {
        const char* name;
        int width, height;
    };
    const Page pageSizes[] = {{"A4 portrait", 793, 1135}, {"A4 landscape", 1135, 793}};
    ReportMetrics metrics;
    metrics.width = [](const std::wstring& text, ReportTextItem::Style style) {
        return text.size() * (style == ReportTextItem::Style::Body ? 6.0 : 7.0);
    };
    for (const Page& page : pageSizes)
        for (const int rows : {3, 40, 250}) {
            SCOPED_TRACE(std::string(page.name) + ", " + std::to_string(rows) + " rows");
            ReportInput input;
            input.pageWidth = page.width;
            input.pageHeight = page.height;
            input.clientWidth = 800, input.clientHeight = 600;
            input.plotWidth = 710, input.plotHeight = 520;
            input.title = L"Office.xls", input.date = L"Date", input.pressure = L"101325.0 Pa";
            input.pageFooter = [](int k, int n) { return L"Page " + std::to_wstring(k) + L" of " + std::to_wstring(n); };
            input.continued = [](const std::wstring& title) { return title + L" (continued)"; };
            ReportTable points{L"Points", {L"Name", L"T", L"RH"}, {false, true, true}, {}};
            for (int k = 0; k < rows; ++k)
                points.rows.push_back({L"P" + std::to_wstring(k), FormatNumber("%.2f", k * 0.5), L"50.0"});
            ReportTable processes{L"Processes", {L"Name", L"From", L"To"}, {false, false, false}, {{L"Cool", L"Start", L"End"}}};
            input.tables = {points, processes};

            const std::vector<ReportPage> pages = LayoutReport(input, metrics);
            ASSERT_FALSE(pages.empty());
            ASSERT_TRUE(pages[0].chart);
            for (std::size_t k = 1; k < pages.size(); ++k) EXPECT_FALSE(pages[k].chart) << k;
            const PrintLayout& chart = *pages[0].chart;
            EXPECT_GE(pages[0].chartLeft, kReportMargin);
            EXPECT_LE(pages[0].chartLeft + chart.pageWidth, page.width - kReportMargin + 1e-9);
            // The first page's room below the title block and above the footer.
            const double room = page.height - 2 * kReportMargin - 30 - 2 * 16 - 12 - 16 - 12;
            const bool acrossThePage = chart.pageWidth == page.width - 2 * static_cast<int>(kReportMargin);
            EXPECT_TRUE(acrossThePage || chart.pageHeight >= std::floor(room * kReportChartShare))
                << chart.pageWidth << " x " << chart.pageHeight;
            if (rows == 3) {
                EXPECT_TRUE(acrossThePage || chart.pageHeight >= std::floor(room - 2 * 20 - 3 * 16 - 2 * 20 - 16 - 2 * 12))
                    << "the chart takes what the short tables leave";
            }

            std::map<std::wstring, int> seen;
            int continued = 0;
            for (std::size_t k = 0; k < pages.size(); ++k) {
                const double chartBottom = pages[k].chart ? pages[k].chartTop + pages[k].chart->pageHeight : 0.0;
                for (const ReportTextItem& t : pages[k].texts) {
                    ++seen[t.text];
                    continued += t.text.ends_with(L"(continued)");
                    EXPECT_GE(t.y, kReportMargin - 1e-9) << testing::PrintToString(t.text);
                    EXPECT_LE(t.y + 16, page.height - kReportMargin + 1e-9) << testing::PrintToString(t.text);
                    if (t.style == ReportTextItem::Style::Body && t.text.starts_with(L"P") && t.x < 100) {
                        EXPECT_GE(t.y, chartBottom) << "a row over the chart";
                    }
                }
                EXPECT_EQ(seen[L"Page " + std::to_wstring(k + 1) + L" of " + std::to_wstring(pages.size())], 1);
            }
            for (int k = 0; k < rows; ++k) EXPECT_EQ(seen[L"P" + std::to_wstring(k)], 1) << k;
            EXPECT_EQ(seen[L"Cool"], 1);
            if (rows == 3) {
                EXPECT_EQ(pages.size(), 1u);
            }
            if (rows == 250) {
                EXPECT_GE(pages.size(), 3u);
            }
            EXPECT_EQ(continued, static_cast<int>(pages.size()) - 1) << "each further page continues its table";
        }
}

}  // namespace
}  // namespace humichart
