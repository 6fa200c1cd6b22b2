// The chart's answer to the mouse under Wine, timed by itself (not a
// pass/fail test):
//   scripts/wine-run.sh build/windows/bin/chart_input_bench.exe
// needs Humicalc registered and a display. Reports the median and the best of
// many runs of:
//   - live tracking: one WM_MOUSEMOVE with the parameter window open (the
//     calculator binding through COM and the eight fields written);
//   - one pan step in "Move and zoom" mode: the move that pans, then the
//     paint it asks for (image rebuilt, data drawn), at 800 x 600 and
//     1280 x 960.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "ChartHost.h"
#include "PointStatusFields.h"

using namespace humichart;

namespace {

template <class Body>
void Time(const char* what, int runs, Body body) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body(i);
        GdiFlush();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s median %7.2f ms  best %7.2f ms  (%d runs)\n", what, ms[ms.size() / 2], ms.front(), runs);
}

bool PanSteps(int width, int height) {
    render::ChartHost host(width, height);
    if (!host.Ok()) return false;
    CIDWnd& chart = host.Chart();
    render::AddDemoData(chart);
    host.Show();
    if (chart.imageRebuilds < 1) return false;
    chart.moveZoomMode = 1;
    HWND window = chart.Hwnd();
    // Shift held from the press on: every move pans.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(width / 2, height / 2));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    char label[80];
    std::snprintf(label, sizeof label, "pan step with re-render and paint, %d x %d", width, height);
    const long before = chart.imageRebuilds;
    Time(label, 60, [&](int i) {
        const int dx = (i % 2) ? -3 : 3;
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(width / 2 + dx, height / 2));
        UpdateWindow(window);
    });
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(width / 2, height / 2));
    if (chart.imageRebuilds - before < 60) std::printf("  (only %ld rebuilds)\n", chart.imageRebuilds - before);
    return true;
}

}  // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    {
        render::ChartHost host(800, 600);
        if (!host.Ok()) return 1;
        CIDWnd& chart = host.Chart();
        host.Show();
        if (!chart.ChartRegion()) {
            std::fprintf(stderr, "the chart did not render: is Humicalc registered?\n");
            return 1;
        }
        chart.ToggleParamWindow();
        HWND window = chart.Hwnd();
        Time("live tracking: one mouse move, parameter window open", 500, [&](int i) {
            SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(150 + i % 50, 150 + i % 40));
        });
        Time("  of which the calculator: open and eight values", 500, [&](int i) {
            std::unique_ptr<ICalcSession> session;
            PointStatusFields fields;
            if (Succeeded(chart.Calc().Open(chart.airPressure, session)))
                ComputePointStatus(*session, 40.0 + i % 10, 8.0, chart.airPressure, fields);
        });
        Time("  of which the window: show with the fields written", 500, [&](int i) {
            chart.ParamWindow().show(40.0 + (i % 10) * 0.37, 8.0 + (i % 7) * 0.11, chart.airPressure);
        });
        wchar_t text[32] = {};
        GetDlgItemTextW(chart.ParamWindow().Hwnd(), 215, text, 32);
        if (std::wstring(text) != L"101325.0") std::printf("  (the parameter window shows nothing)\n");
    }
    if (!PanSteps(800, 600) || !PanSteps(1280, 960)) return 1;
    CoUninitialize();
    return 0;
}
