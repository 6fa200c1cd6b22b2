// The Points dialog under Wine, timed by itself (not a pass/fail test):
//   scripts/wine-run.sh build/windows/bin/dialog_bench.exe
// needs Humicalc registered and a display. Over a chart holding 1,000 named
// points it reports the median and the best of several runs of
//   - opening the dialog to a painted dialog: from the call until the
//     dialog's message loop first runs out of work (WM_ENTERIDLE to its
//     owner, sent after the dialog has been shown and painted);
//   - showing a point: a list selection handled as the user's would be,
//     seven parameters from one calculator session written into the dialog.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "CDlgNewPoint.h"
#include "ChartHost.h"
#include "PointDialogsResource.h"

using namespace humichart;
using Clock = std::chrono::steady_clock;

namespace {

struct Bench {
    Clock::time_point start;
    std::vector<double> openMs;
    std::vector<double> showMs;
    int shows = 0;
    WNDPROC hostProc = nullptr;
};
Bench bench;

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

// The owner hears when the dialog's loop goes idle: the dialog is up.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
        HWND dialog = reinterpret_cast<HWND>(lParam);
        // Only the first idle moment of each dialog counts.
        if (GetPropW(dialog, L"HumichartBenchSeen")) return 0;
        bench.openMs.push_back(Ms(bench.start));
        SetPropW(dialog, L"HumichartBenchSeen", reinterpret_cast<HANDLE>(1));
        if (bench.shows > 0) {
            HWND combo = GetDlgItem(dialog, IDC_POINTS_NAME);
            for (int i = 0; i < bench.shows; ++i) {
                // The user's click selects; what follows is the dialog's.
                SendMessageW(combo, CB_SETCURSEL, (i * 37) % 1000, 0);
                const auto start = Clock::now();
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_POINTS_NAME, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(combo));
                bench.showMs.push_back(Ms(start));
            }
        }
        RemovePropW(dialog, L"HumichartBenchSeen");
        SetPropW(dialog, L"HumichartBenchSeen", reinterpret_cast<HANDLE>(1));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return CallWindowProcW(bench.hostProc, window, message, wParam, lParam);
}

void Report(const char* what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s median %7.2f ms  best %7.2f ms  (%zu runs)\n", what, ms[ms.size() / 2], ms.front(), ms.size());
}

}  // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    {
        render::ChartHost host(800, 600);
        if (!host.Ok()) {
            std::fprintf(stderr, "chart window not created\n");
            return 1;
        }
        host.Show();
        CIDWnd& chart = host.Chart();
        for (int i = 0; i < 1000; ++i)
            chart.points.push_back({20.0 + (i % 100) * 0.3, 2.0 + (i / 100) * 1.5, L"Point " + std::to_wstring(i)});
        bench.hostProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(host.Parent(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc)));

        const int runs = 15;
        for (int run = 0; run < runs; ++run) {
            bench.shows = run == runs - 1 ? 200 : 0;
            CDlgNewPoint dialog(chart);
            bench.start = Clock::now();
            if (dialog.Run(chart.Hwnd()) < 0) {
                std::fprintf(stderr, "the dialog did not open\n");
                return 1;
            }
        }
        SetWindowLongPtrW(host.Parent(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(bench.hostProc));
        if (bench.openMs.size() != runs) {
            std::fprintf(stderr, "the dialog never went idle\n");
            return 1;
        }
        Report("Points dialog, 1,000 named points, open to painted", bench.openMs);
        Report("Points dialog, show a point (7 values, 1 session)", bench.showMs);
    }
    CoUninitialize();
    return 0;
}
