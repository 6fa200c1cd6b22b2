// The chart out of its window under Wine, timed by itself (not a pass/fail
// test):
//   scripts/wine-run.sh build/windows/bin/output_bench.exe
// needs Humicalc registered and a display; the print needs the PDF printer
// (scripts/printer.sh). Reports:
//   - copy to the clipboard (bitmap and enhanced metafile in one opening)
//     of a 1280 x 960 chart with data: median and best of 30 copies, and
//     beside it Wine's own open, empty, SetClipboardData and close of a
//     bitmap of that chart (made beforehand), the floor under the copy;
//   - one print of an 800 x 600 chart and one of a 260 x 330 chart, which on
//     a printer that cannot blend takes the most bands (three on A4 at 300
//     ppi): from the print dialog's OK pressed to the PDF complete in the
//     cups-pdf folder, and the part of it spent in the chart's own drawing
//     (PrintChart returning). The PDFs stay, to be looked at.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "ChartHost.h"
#include "PrintDriver.h"

using namespace humichart;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s median %7.2f ms  best %7.2f ms  (%zu runs)\n", what, ms[ms.size() / 2], ms.front(), ms.size());
}

void BenchCopy() {
    render::ChartHost host(1280, 960);
    if (!host.Ok()) {
        std::printf("copy: no chart window\n");
        return;
    }
    CIDWnd& chart = host.Chart();
    render::AddDemoData(chart);
    host.Show();
    HWND window = chart.Hwnd();
    WindowDC screen(window);
    // Each copy is followed by Wine's own open, empty, SetClipboardData and
    // close of a bitmap of the same chart (made beforehand, outside the
    // timing; the clipboard takes it over): the floor under the copy, timed
    // under the same load. Wine's clipboard manager answers every change for
    // a while after it; both wait the same pause first, so that neither pays
    // for the other's change.
    std::vector<double> copy, floor, over;
    for (int i = 0; i < 30; ++i) {
        UniqueMemoryDC dc(CreateCompatibleDC(screen.Get()));
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 1280, 960));
        if (!dc || !bitmap) return;
        {
            SelectedObject selected(dc.Get(), bitmap.Get());
            chart.PaintInto(dc.Get(), RECT{0, 0, 1280, 960});
        }
        GdiFlush();

        Sleep(100);
        auto start = Clock::now();
        chart.CopyToClipboard();
        GdiFlush();
        copy.push_back(Ms(Clock::now() - start));

        Sleep(100);
        start = Clock::now();
        if (OpenClipboard(window)) {
            EmptyClipboard();
            if (SetClipboardData(CF_BITMAP, bitmap.Get())) bitmap.Release();
            CloseClipboard();
        }
        floor.push_back(Ms(Clock::now() - start));
        over.push_back(copy.back() - floor.back());
    }
    Report("copy, bitmap and metafile, 1280 x 960", copy);
    Report("  Wine's own SetClipboardData of that bitmap", floor);
    Report("  the copy over Wine's own, run by run", over);
}

void BenchPrint(int width, int height) {
    if (test::DefaultPrinter().empty()) {
        std::printf("print: no printer (scripts/printer.sh sets up CUPS's PDF queue)\n");
        return;
    }
    render::ChartHost host(width, height);
    if (!host.Ok()) return;
    render::AddDemoData(host.Chart());
    host.Show();
    const std::string folder = test::PdfFolder();
    const auto before = test::PdfFiles(folder);
    Clock::time_point pressed, returned;
    {
        test::DialogButtonPresser ok(IDOK, 60000);
        host.Chart().PrintChart();
        returned = Clock::now();
        if (!ok.Pressed()) {
            std::printf("print: the print dialog did not appear\n");
            return;
        }
        pressed = ok.PressedAt();
    }
    const std::string pdf = test::WaitForNewPdf(folder, before, "Humichart", 120000);
    const auto written = Clock::now();
    if (pdf.empty()) {
        std::printf("print: no PDF in %s\n", folder.c_str());
        return;
    }
    int dpi = 0;
    const std::wstring printer = test::DefaultPrinter();
    if (HDC dc = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr)) {
        dpi = GetDeviceCaps(dc, LOGPIXELSX);
        DeleteDC(dc);
    }
    char what[64];
    std::snprintf(what, sizeof what, "print %d x %d, OK pressed to PDF written", width, height);
    std::printf("%-58s %7.0f ms  (chart drawn and sent: %.0f ms; printer at %d ppi)\n", what, Ms(written - pressed),
                Ms(returned - pressed), dpi);
    std::printf("  %s/%s\n", folder.c_str(), pdf.c_str());
}

// The report of an 800 x 600 chart with the demo data and rows more points
// than it has, straight to the default printer (no dialog): from the call to
// the PDF written, and the call alone (laid out, drawn and sent).
void BenchReport(int rows) {
    const std::wstring printer = test::DefaultPrinter();
    if (printer.empty()) {
        std::printf("report: no printer (scripts/printer.sh sets up CUPS's PDF queue)\n");
        return;
    }
    render::ChartHost host(800, 600);
    if (!host.Ok()) return;
    render::AddDemoData(host.Chart());
    for (int k = 0; k < rows; ++k)
        host.Chart().points.push_back({30.0 + k % 40, 4.0 + (k % 7) * 0.5, L"P" + std::to_wstring(k)});
    host.Show();
    const std::string folder = test::PdfFolder();
    const auto before = test::PdfFiles(folder);
    const auto start = Clock::now();
    std::wstring message;
    const bool printed =
        host.Chart().PrintReport(L"Humichart bench report", printer, message) == CIDWnd::ReportOutcome::Printed;
    const auto returned = Clock::now();
    const std::string pdf = printed ? test::WaitForNewPdf(folder, before, "bench_report", 120000) : std::string();
    if (pdf.empty()) {
        std::printf("report: no PDF in %s (%ls)\n", folder.c_str(), message.c_str());
        return;
    }
    char what[64];
    std::snprintf(what, sizeof what, "report, %d points, call to PDF written", rows + 5);
    std::printf("%-58s %7.0f ms  (laid out, drawn and sent: %.0f ms)\n", what, Ms(Clock::now() - start),
                Ms(returned - start));
    std::printf("  %s/%s\n", folder.c_str(), pdf.c_str());
}

}  // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    BenchCopy();
    BenchPrint(800, 600);
    BenchPrint(260, 330);
    BenchReport(0);
    BenchReport(200);
    CoUninitialize();
    return 0;
}
