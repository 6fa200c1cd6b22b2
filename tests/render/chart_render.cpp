// Renders the chart window into a PNG file, the way the window paints itself
// (cached image, then the data layer), binding the registered calculator:
//   chart_render.exe --size 800x600 [--zoom 2] [--demo] [--no-caption] --out chart.png
// The zoom is about the centre of the plot rectangle.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "ChartHost.h"
#include "DibSurface.h"
#include "GdiplusImage.h"
#include "GdiplusSession.h"

using namespace humichart;

namespace {

int Usage() {
    std::fwprintf(stderr,
                  L"usage: chart_render --size WxH [--zoom k] [--demo] [--no-caption] --out file.png\n");
    return 2;
}

struct ComApartment {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int width = 800, height = 600;
    double zoom = 1.0;
    bool demo = false, caption = true;
    std::wstring out;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--size" && hasValue) {
            if (std::swscanf(argv[++i], L"%dx%d", &width, &height) != 2 || width < 1 || height < 1 ||
                width > 10000 || height > 10000)
                return Usage();
        } else if (arg == L"--zoom" && hasValue) {
            zoom = std::wcstod(argv[++i], nullptr);
        } else if (arg == L"--out" && hasValue) {
            out = argv[++i];
        } else if (arg == L"--demo") {
            demo = true;
        } else if (arg == L"--no-caption") {
            caption = false;
        } else {
            return Usage();
        }
    }
    if (out.empty()) return Usage();

    ComApartment apartment;
    if (FAILED(apartment.hr)) return 1;
    GdiplusSession gdiplus;
    render::ChartHost host(width, height);
    if (!host.Ok()) {
        std::fwprintf(stderr, L"chart_render: cannot create the chart window (%lu)\n", GetLastError());
        return 1;
    }
    CIDWnd& chart = host.Chart();
    chart.captionVisible = caption ? 1 : 0;
    if (demo) render::AddDemoData(chart);

    DibSurface surface(width, height);
    if (!surface.Ok()) return 1;
    host.PaintAll(surface);
    if (zoom != 1.0) {
        const RectD plot = chart.View().PlotRect();
        chart.View().Zoom(zoom, {plot.x + plot.width / 2.0, plot.y + plot.height / 2.0});
        chart.RequestRender();
        host.PaintAll(surface);
    }
    if (!Succeeded(chart.lastRenderStatus) || !Succeeded(chart.lastDataStatus) ||
        chart.imageRebuilds == 0) {
        std::fwprintf(stderr, L"chart_render: the chart did not render (0x%08X, 0x%08X)\n",
                      static_cast<unsigned>(chart.lastRenderStatus),
                      static_cast<unsigned>(chart.lastDataStatus));
        return 1;
    }
    if (chart.fontFallbacks)
        std::fwprintf(stderr, L"chart_render: %d font(s) drawn with a generic family\n",
                      chart.fontFallbacks);
    const HRESULT saved = SaveBitmapAsPng(surface.Bitmap(), out.c_str());
    if (FAILED(saved)) {
        std::fwprintf(stderr, L"chart_render: cannot write %ls (0x%08lX)\n", out.c_str(), saved);
        return 1;
    }
    return 0;
}
