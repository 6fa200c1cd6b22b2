// The chart window's paint under Wine, timed by itself (not a pass/fail test):
//   scripts/wine-run.sh build/windows/bin/chart_paint_bench.exe
//   scripts/wine-run.sh build/windows/bin/chart_paint_bench.exe --png 'Z:\tmp\paint'
// needs Humicalc registered and a display. With --png the dense paints are
// also saved (prefix-names.png, prefix-dots.png) so that a change of the
// painter can be compared picture against picture. Reports the median and the best of
// several runs:
//   - a full rebuild at 1280 x 960 with every grid family on: the scene alone
//     (calculator through COM) and scene plus GDI+ image;
//   - a paint without rebuild (image copy and data layer) holding 10,000
//     points and 1,000 named processes.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "CChartSceneBuilder.h"
#include "CComCalcBinding.h"
#include "ChartHost.h"
#include "DibSurface.h"
#include "GdiplusImage.h"

using namespace humichart;

namespace {

template <class Body>
void Time(const char* what, int runs, Body body) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body();
        GdiFlush();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s median %7.2f ms  best %7.2f ms  (%d runs)\n", what, ms[ms.size() / 2], ms.front(), runs);
}

}  // namespace

int main() {
    std::wstring pngPrefix;
    int argc = 0;
    struct LocalFreer {
        void operator()(LPWSTR* p) const { LocalFree(p); }
    };
    const std::unique_ptr<LPWSTR, LocalFreer> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
    for (int i = 1; argv && i + 1 < argc; ++i)
        if (std::wstring(argv.get()[i]) == L"--png") pngPrefix = argv.get()[i + 1];
    auto save = [&](const DibSurface& surface, const wchar_t* suffix) {
        if (pngPrefix.empty()) return;
        GdiFlush();
        const std::wstring path = pngPrefix + suffix;
        if (FAILED(SaveBitmapAsPng(surface.Bitmap(), path.c_str())))
            std::fwprintf(stderr, L"cannot write %ls\n", path.c_str());
    };
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    {
        const int width = 1280, height = 960;
        render::ChartHost host(width, height);
        if (!host.Ok()) {
            std::fprintf(stderr, "chart window not created\n");
            return 1;
        }
        CIDWnd& chart = host.Chart();
        DibSurface surface(width, height);
        const RECT all{0, 0, width, height};
        chart.PaintInto(surface.DC(), all);
        if (chart.imageRebuilds != 1 || !Succeeded(chart.lastRenderStatus)) {
            std::fprintf(stderr, "the chart did not render: is Humicalc registered?\n");
            return 1;
        }

        CComCalcBinding calc;
        Time("scene of the default chart, 1280x960 (COM calculator)", 30, [&] {
            CChartView view = chart.View();
            ChartScene scene;
            CChartSceneBuilder(calc).BuildImage(view, true, scene);
        });
        Time("full rebuild: scene + GDI+ image, 1280x960, all families", 30, [&] {
            chart.RenderChartImage(surface.DC());
        });

        // Where the rebuild's time goes.
        chart.captionVisible = 0;
        Time("  rebuild without caption", 10, [&] { chart.RenderChartImage(surface.DC()); });
        chart.HasForeground = 0;
        Time("  rebuild without caption and tint", 10, [&] { chart.RenderChartImage(surface.DC()); });
        chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 0;
        Time("  rebuild of background and outline only", 10, [&] { chart.RenderChartImage(surface.DC()); });
        chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 1;
        chart.HasForeground = 1;
        chart.captionVisible = 1;
        chart.RenderChartImage(surface.DC());

        std::mt19937 random(7);
        std::uniform_real_distribution<double> d(0.5, 20.0), y(0.0, 40.0);
        for (int i = 0; i < 10000; ++i) {
            const double D = d(random);
            chart.points.push_back({y(random) + 2.5 * D, D, i < 2000 ? L"P" + std::to_wstring(i) : L""});
        }
        for (int i = 0; i < 1000; ++i)
            chart.processes.push_back({L"P" + std::to_wstring(2 * i), L"P" + std::to_wstring(2 * i + 1),
                                       L"process " + std::to_wstring(i), 1000.0});
        chart.HasProcessLineName = 1;
        chart.PaintInto(surface.DC(), all);
        save(surface, L"-names.png");
        Time("paint without rebuild: 10,000 points, 1,000 named processes", 20, [&] {
            chart.PaintInto(surface.DC(), all);
        });
        chart.HasProcessLineName = 0;
        Time("  the same without process names", 10, [&] { chart.PaintInto(surface.DC(), all); });
        for (StatePoint& point : chart.points) point.name.clear();
        chart.processes.clear();
        chart.PaintInto(surface.DC(), all);
        save(surface, L"-dots.png");
        Time("paint without rebuild: 10,000 unnamed points", 20, [&] {
            chart.PaintInto(surface.DC(), all);
        });
        if (chart.imageRebuilds != 62) std::fprintf(stderr, "unexpected rebuilds: %ld\n", chart.imageRebuilds);
    }
    CoUninitialize();
    return 0;
}
