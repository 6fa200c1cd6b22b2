// Printing on the real printer: the system print dialog pressed like a user
// would, the document through Wine's printer driver and CUPS into the PDF
// queue, the PDF turned into pixels and read back. Skipped with a message
// where the machine has no printer (scripts/printer.sh sets one up).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "CComCalcBinding.h"
#include "ChartPalette.h"
#include "OutputTest.h"
#include "PrintDriver.h"
#include "TypedText.h"

namespace humichart::test {
namespace {

using namespace humichart::palette;

constexpr int kDpi = 50;  // of the picture made from the PDF

class RealPrintTest : public ChartWindowTest {
protected:
    void SetUp() override {
        ChartWindowTest::SetUp();
        printer = DefaultPrinter();
        if (printer.empty())
            GTEST_SKIP() << "no printer: CUPS is not running or has no queue; scripts/printer.sh sets one up";
        folder = PdfFolder();
        before = PdfFiles(folder);
    }

    // A P6 picture read from a Unix path.
    static Picture ReadPpm(const std::string& unixPath) {
        Picture picture;
        std::ifstream in(std::filesystem::path(WindowsPath(unixPath)), std::ios::binary);
        std::string magic;
        int maxValue = 0;
        if (!(in >> magic >> picture.width >> picture.height >> maxValue) || magic != "P6" || maxValue != 255)
            return {};
        in.get();
        picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
        for (std::uint32_t& pixel : picture.pixels) {
            unsigned char rgb[3]{};
            in.read(reinterpret_cast<char*>(rgb), 3);
            pixel = (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
        }
        return in ? picture : Picture{};
    }

    // chart printed with OK pressed in the print dialog: the PDF's Unix
    // path, empty when none came.
    std::string PrintToPdf(CIDWnd& chart) {
        {
            DialogButtonPresser ok(IDOK, 60000);
            chart.PrintChart();
            EXPECT_TRUE(ok.Pressed()) << "the print dialog did not appear";
        }
        const std::string pdf = WaitForNewPdf(folder, before, "Humichart", 120000);
        EXPECT_FALSE(pdf.empty()) << "no PDF named after the document in " << folder;
        return pdf.empty() ? pdf : folder + "/" + pdf;
    }

    // The PDF's one page as pixels at dpi, and the PDF gone.
    static Picture Rasterise(const std::string& path, int dpi) {
        const std::string base = "/tmp/humichart-page-" + std::to_string(GetCurrentProcessId());
        EXPECT_EQ(RunUnixShell("pdftoppm -r " + std::to_string(dpi) + " -singlefile '" + path + "' '" + base + "'",
                               120000),
                  0);
        Picture page = ReadPpm(base + ".ppm");
        DeleteFileW(WindowsPath(base + ".ppm").c_str());
        DeleteFileW(WindowsPath(path).c_str());
        return page;
    }

    std::wstring printer;
    std::string folder;
    std::set<std::string> before;
};

TEST_F(RealPrintTest, OkPrintsOnePageWithThePlotAcrossThePageWidthAndNoCaption) {
    // Twice as wide as high, zoomed out a little and panned, as a user left it.
    auto owned = std::make_unique<RecordingChart>();
    RecordingChart& chart = *owned;
    Open(800, 400, std::move(owned));
    render::AddDemoData(chart);
    chart.captionVisible = 1;
    Paint();
    chart.View().Zoom(0.9, {50.0, 40.0});
    chart.View().Pan(20.0, 10.0);
    chart.RequestRender();
    Paint();
    const CIDPos pos = chart.View().pos;
    const RectD area = chart.View().ChartArea();

    const std::string path = PrintToPdf(chart);
    EXPECT_EQ(chart.View().pos.x0, pos.x0);
    EXPECT_EQ(chart.View().pos.y0, pos.y0);
    EXPECT_EQ(chart.View().pos.s, pos.s);
    EXPECT_EQ(chart.View().clientWidth, 800);
    ASSERT_FALSE(path.empty());
    const std::string base = "/tmp/humichart-print-" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RunUnixShell("pdfinfo '" + path + "' > '" + base + ".txt' && pdfimages -list '" + path + "' > '" +
                               base + ".img' && pdftotext '" + path + "' '" + base + ".words'",
                           60000),
              0);
    // The chart reaches the paper sharp: as text and lines, or as pixels of
    // at least 300 per inch - never the window's hundred.
    auto readText = [&](const std::string& suffix) {
        std::ifstream in(std::filesystem::path(WindowsPath(base + suffix)));
        std::string text(std::istreambuf_iterator<char>(in), {});
        DeleteFileW(WindowsPath(base + suffix).c_str());
        return text;
    };
    const std::string words = readText(".words");
    const bool vector = words.find("D(g/kg)") != std::string::npos && words.find("I(kJ/kg)") != std::string::npos;
    std::istringstream images(readText(".img"));
    std::string line;
    int imageCount = 0, lowest = 1 << 30;
    while (std::getline(images, line)) {
        std::istringstream fields(line);
        std::vector<std::string> columns{std::istream_iterator<std::string>(fields), {}};
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        if (columns.size() < 14 || columns[0] == "page" || columns[0].starts_with("---")) continue;
        ++imageCount;
        lowest = std::min({lowest, std::atoi(columns[12].c_str()), std::atoi(columns[13].c_str())});
    }
    EXPECT_TRUE(vector || (imageCount > 0 && lowest >= 299))
        << imageCount << " images, the coarsest at " << lowest << " ppi; text: " << words;
    std::string info;
    {
        std::ifstream in(std::filesystem::path(WindowsPath(base + ".txt")));
        info.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::atoi(info.c_str() + pages + 6), 1) << info;
    DeleteFileW(WindowsPath(base + ".txt").c_str());
    const Picture page = Rasterise(path, kDpi);
    ASSERT_GT(page.width, 0);

    // Where the page of the printer starts on the paper and how big it is.
    HDC dc = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
    ASSERT_TRUE(dc);
    const double dpi = GetDeviceCaps(dc, LOGPIXELSX);
    const double offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX) / dpi;
    const double offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY) / dpi;
    const int pageWidth = static_cast<int>(GetDeviceCaps(dc, HORZRES) * 100 / dpi);
    DeleteDC(dc);
    // The window is the wider: the plot (710 x 320) takes the page's width
    // less 90 hundredths; the height used is 80 + m.
    const int m = static_cast<int>(std::floor((pageWidth - 90) * 320.0 / 710.0));
    const double r = m / 320.0;
    auto toPaperX = [&](double windowX) { return (offsetX + (50 + r * (windowX - 50)) / 100.0) * kDpi; };
    auto toPaperY = [&](double windowY) { return (offsetY + (40 + r * (windowY - 40)) / 100.0) * kDpi; };

    // The chart area, found by its tint over the page's background: columns
    // and rows with many tinted pixels (a green line's smoothed edge over
    // the background may match the tint here and there).
    const std::uint32_t tint = Blend(kForeground, Rgb(kBackgroundTinted));
    std::vector<int> columns(page.width), rows(page.height);
    int caption = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            if (Near(page.At(x, y), tint, 10)) ++columns[x], ++rows[y];
            caption += Near(page.At(x, y), Blend(kCaption, Rgb(kBackgroundTinted)), 3) ? 1 : 0;
        }
    auto first = [](const std::vector<int>& counts) {
        return static_cast<int>(std::find_if(counts.begin(), counts.end(), [](int n) { return n > 15; }) -
                                counts.begin());
    };
    auto last = [](const std::vector<int>& counts) {
        const auto found = std::find_if(counts.rbegin(), counts.rend(), [](int n) { return n > 15; });
        return static_cast<int>(counts.rend() - found) - 1;
    };
    // (The chart narrows to the saturation curve's tip at its bottom: the
    // page's used height is checked below instead.)
    const int left = first(columns), right = last(columns), top = first(rows);
    EXPECT_NEAR(left, toPaperX(area.x), 3);
    EXPECT_NEAR(right, toPaperX(area.Right()), 3);
    EXPECT_NEAR(top, toPaperY(area.y), 3);
    // The page used ends 80 + m hundredths down; the paper below stays white.
    const int usedBottom = static_cast<int>((offsetY + (80 + m) / 100.0) * kDpi);
    EXPECT_TRUE(Near(page.At(page.width / 2, usedBottom - 3), Rgb(kBackgroundTinted), 6)) << std::hex
                                                                                          << page.At(page.width / 2, usedBottom - 3);
    EXPECT_EQ(page.At(page.width / 2, usedBottom + 6), 0xFFFFFFu);
    EXPECT_LT(caption, 20) << "caption pixels on the page";
}

// The print dialog is modal over the host's window, so that the host cannot
// close the chart under its print; cancelled, it prints nothing.
TEST_F(RealPrintTest, TheDialogHoldsTheHostAndCancelPrintsNothing) {
    auto owned = std::make_unique<RecordingChart>();
    RecordingChart& chart = *owned;
    Open(400, 300, std::move(owned));
    Paint();
    {
        DialogButtonPresser cancel(IDCANCEL, 60000);
        chart.PrintChart();
        ASSERT_TRUE(cancel.Pressed()) << "the print dialog did not appear";
        EXPECT_EQ(cancel.Owner(), host->Parent());
        EXPECT_FALSE(cancel.OwnerEnabled()) << "the host took clicks while the print dialog showed";
    }
    EXPECT_TRUE(IsWindowEnabled(host->Parent()));
    EXPECT_TRUE(chart.notices.empty());
    EXPECT_EQ(WaitForNewPdf(folder, before, "Humichart", 5000), "");
}

// Memory that runs out while the page is drawn sends no page at all: the
// document is abandoned, and the user is told why nothing comes out.
TEST_F(RealPrintTest, OutOfMemoryAbandonsTheDocumentAndSaysSo) {
    auto owned = std::make_unique<RecordingChart>();
    RecordingChart& chart = *owned;
    Open(400, 300, std::move(owned));
    Paint();
    chart.pageRunsOutOfMemory = true;
    {
        DialogButtonPresser ok(IDOK, 60000);
        chart.PrintChart();
        ASSERT_TRUE(ok.Pressed()) << "the print dialog did not appear";
    }
    ASSERT_EQ(chart.notices.size(), 1u);
    EXPECT_EQ(chart.notices[0].text,
              L"There is not enough memory to print the chart. The document was cancelled and nothing was printed.");
    EXPECT_EQ(chart.notices[0].caption, L"Infomation");
    EXPECT_EQ(WaitForNewPdf(folder, before, "Humichart", 5000), "");
    EXPECT_EQ(chart.paintSuppressed, 0);
    EXPECT_EQ(chart.View().clientWidth, 400);
}

// A window of about the page's shape prints taller than one band of 300-ppi
// pixels: the bands reach the PDF, one image each, without a line of
// background where they meet. (The page rasterised by pdftoppm would not
// do: placed at a fraction of a pixel, a row of an image may fall between
// rows of the picture.)
TEST_F(RealPrintTest, ATallChartReachesThePaperWithoutASeam) {
    auto owned = std::make_unique<RecordingChart>();
    RecordingChart& chart = *owned;
    Open(260, 330, std::move(owned));
    render::AddDemoData(chart);
    Paint();
    const std::string path = PrintToPdf(chart);
    ASSERT_FALSE(path.empty());
    const std::string base = "/tmp/humichart-bands-" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RunUnixShell("pdfimages '" + path + "' '" + base + "'", 60000), 0);
    DeleteFileW(WindowsPath(path).c_str());
    // The images one under the other, as the bands were sent.
    Picture page;
    for (int index = 0;; ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "-%03d.ppm", index);
        const Picture band = ReadPpm(base + name);
        DeleteFileW(WindowsPath(base + name).c_str());
        if (band.width == 0) break;
        if (page.width == 0) page.width = band.width;
        ASSERT_EQ(band.width, page.width) << "image " << index;
        page.pixels.insert(page.pixels.end(), band.pixels.begin(), band.pixels.end());
        page.height += band.height;
    }
    const std::uint32_t tint = Blend(kForeground, Rgb(kBackgroundTinted));
    int left = page.width, right = -1, top = page.height, bottom = -1;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (Near(page.At(x, y), tint)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GT(bottom - top, 2000) << "the chart area spans more than one band";
    EXPECT_EQ(RowsCrossedBy(page, left, top, right, bottom, Rgb(kBackgroundTinted), 30), std::vector<int>{});
}

// The report through the PDF queue: the title block, every named point's
// name and values and every process as text a reader of the PDF finds (names
// in either language, negative values with their sign), the chart as pixels
// of the printer's resolution; a table longer than the page goes on to the
// next under its title continued. A cancelled dialog prints nothing; an
// unknown printer is said.
TEST_F(RealPrintTest, TheReportHoldsEveryPointsNameAndValuesAsText) {
    auto owned = std::make_unique<RecordingChart>();
    RecordingChart& chart = *owned;
    Open(640, 480, std::move(owned));
    render::AddDemoData(chart);
    Paint();
    CComCalcBinding binding;
    std::unique_ptr<ICalcSession> calc;
    ASSERT_TRUE(Succeeded(binding.Open(chart.airPressure, calc)));
    // Rows: the name, then T, RH, D, I, wet bulb and dew point as the tables
    // print them, a sign as the minus sign.
    struct Row {
        std::wstring name;
        std::vector<std::wstring> values;
    };
    auto signed_ = [](std::wstring text) {
        if (!text.empty() && text[0] == L'-') text[0] = L'\u2212';
        return text;
    };
    auto rowOf = [&](const StatePoint& p) {
        return Row{p.name,
                   {signed_(FormatNumber("%.2f", calc->ID_T_D_I(p.D, p.I))),
                    signed_(FormatNumber("%.1f", calc->ID_F_D_I(p.D, p.I) * 100)), signed_(FormatNumber("%.3f", p.D)),
                    signed_(FormatNumber("%.2f", p.I)), signed_(FormatNumber("%.2f", calc->ID_TS_I(p.I))),
                    signed_(FormatNumber("%.2f", calc->ID_T_D_F(p.D, 1.0)))}};
    };
    // A name in Chinese too: the report is read in either language.
    chart.points.push_back({calc->ID_I_T_F(18, 0.9), calc->ID_D_T_F(18, 0.9), L"送风点"});
    chart.processes.push_back({L"R", L"送风点", L"送风", 3000.0});

    auto printed = [&](const std::wstring& title, const char* needle, std::string& pdf) {
        std::wstring message;
        EXPECT_EQ(chart.PrintReport(title, printer, message), CIDWnd::ReportOutcome::Printed)
            << testing::PrintToString(message);
        const std::string file = WaitForNewPdf(folder, before, needle, 120000);
        before = PdfFiles(folder);
        EXPECT_FALSE(file.empty()) << "no PDF named after the report in " << folder;
        pdf = file.empty() ? file : folder + "/" + file;
        if (pdf.empty()) return std::wstring();
        const std::string base = "/tmp/humichart-report-" + std::to_string(GetCurrentProcessId());
        EXPECT_EQ(RunUnixShell("pdftotext -layout '" + pdf + "' '" + base + ".txt' && pdfinfo '" + pdf +
                                   "' | grep Pages: >> '" + base + ".txt' && pdfimages -list '" + pdf + "' >> '" +
                                   base + ".txt'",
                               60000),
                  0);
        std::ifstream in(std::filesystem::path(WindowsPath(base + ".txt")), std::ios::binary);
        const std::string utf8{std::istreambuf_iterator<char>(in), {}};
        in.close();
        DeleteFileW(WindowsPath(base + ".txt").c_str());
        std::wstring text(utf8.size(), L'\0');
        text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                            text.data(), static_cast<int>(text.size()))));
        return text;
    };
    auto pages = [](const std::wstring& text) {
        const size_t at = text.find(L"Pages:");
        return at == std::wstring::npos ? 0 : std::wcstol(text.c_str() + at + 6, nullptr, 10);
    };

    std::string pdf;
    const std::wstring text = printed(L"Report of the office", "Report_of_the_office", pdf);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(pages(text), 1) << "a short report stays on one page";
    for (const wchar_t* piece : {L"Report of the office", L"Air pressure: 101325.0 Pa", L"State points",
                                 L"Transfer processes", L"Mix processes", L"Cooling", L"送风"})
        EXPECT_NE(text.find(piece), std::wstring::npos) << testing::PrintToString(std::wstring(piece));
    for (const StatePoint& p : chart.points) {
        const Row row = rowOf(p);
        // The row's values follow its name on its line.
        const size_t at = text.find(L"\n" + row.name + L" ");
        ASSERT_NE(at, std::wstring::npos) << testing::PrintToString(row.name) << testing::PrintToString(text);
        const std::wstring line = text.substr(at + 1, text.find(L'\n', at + 1) - at - 1);
        size_t from = row.name.size();
        for (const std::wstring& value : row.values) {
            const size_t found = line.find(value, from);
            EXPECT_NE(found, std::wstring::npos) << testing::PrintToString(value) << " in " << testing::PrintToString(line);
            if (found != std::wstring::npos) from = found + value.size();
        }
    }
    // The chart goes as pixels of at least 300 per inch.
    EXPECT_NE(text.find(L" image "), std::wstring::npos) << "no image of the chart";
    if (!pdf.empty()) DeleteFileW(WindowsPath(pdf).c_str());

    // Two hundred points more: the table goes on over further pages.
    for (int k = 0; k < 200; ++k)
        chart.points.push_back({calc->ID_I_T_F(10 + k * 0.1, 0.5), calc->ID_D_T_F(10 + k * 0.1, 0.5),
                                L"P" + std::to_wstring(k)});
    const std::wstring longer = printed(L"Longer report", "Longer_report", pdf);
    EXPECT_GE(pages(longer), 3);
    EXPECT_NE(longer.find(L"State points (continued)"), std::wstring::npos);
    for (int k = 0; k < 200; ++k)
        EXPECT_NE(longer.find(L"\nP" + std::to_wstring(k) + L" "), std::wstring::npos) << k;
    if (!pdf.empty()) DeleteFileW(WindowsPath(pdf).c_str());

    std::wstring message;
    EXPECT_EQ(chart.PrintReport(L"Nowhere", L"No such printer", message), CIDWnd::ReportOutcome::Failed);
    EXPECT_EQ(message, L"There is no printer named \"No such printer\".");
    {
        DialogButtonPresser cancel(IDCANCEL, 60000);
        EXPECT_EQ(chart.PrintReport(L"Cancelled report", L"", message), CIDWnd::ReportOutcome::Cancelled);
        ASSERT_TRUE(cancel.Pressed()) << "the print dialog did not appear";
        EXPECT_EQ(cancel.Owner(), host->Parent());
    }
    EXPECT_EQ(WaitForNewPdf(folder, before, "Cancelled", 5000), "");
}

}  // namespace
}  // namespace humichart::test
