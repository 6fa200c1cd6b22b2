// Looks into a running Humistart from a second process, as the end-to-end
// script needs: where the chart window's client area is on the screen, and
// whether the "Point status" window shows what the calculator says for a
// client pixel of a chart at its default view.
//   humistart_probe geometry        -> "x y width height"
//   humistart_probe params X Y      -> "ok" or the fields that differ
//   humistart_probe editor          -> "open" or "closed"
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "CChartView.h"
#include "CComCalcBinding.h"
#include "PointStatusFields.h"

namespace {

HWND FindChart() {
    HWND main = FindWindowW(nullptr, L"Humistart");
    HWND control = main ? GetDlgItem(main, 1000) : nullptr;
    return control ? GetWindow(control, GW_CHILD) : nullptr;
}

std::wstring Text(HWND window) {
    // Another process's edit text comes only through the message.
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 255, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

struct EditorSearch {
    DWORD process;
    bool found = false;
};

BOOL CALLBACK FindEditor(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<EditorSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HWND edit = GetDlgItem(window, 200);
    if (process == search->process && IsWindowVisible(window) && edit && IsWindowVisible(edit) &&
        !GetWindowTextLengthW(window))
        search->found = true;
    return !search->found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HWND chart = FindChart();
    if (!chart) {
        std::puts("no chart");
        return 1;
    }
    RECT client{};
    GetClientRect(chart, &client);
    POINT origin{0, 0};
    ClientToScreen(chart, &origin);
    const std::wstring command = argv[1];
    if (command == L"geometry") {
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
        return 0;
    }
    if (command == L"editor") {
        EditorSearch search{};
        GetWindowThreadProcessId(chart, &search.process);
        EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&search));
        std::puts(search.found ? "open" : "closed");
        return 0;
    }
    if (command == L"params" && argc == 4) {
        HWND params = FindWindowW(nullptr, L"Point status");
        if (!params) {
            std::puts("no parameter window");
            return 1;
        }
        // The chart at its default range and view, as after Esc.
        humichart::CHumichartDataObj data;
        humichart::CChartView view(data);
        view.SetClientSize(client.right, client.bottom);
        view.UpdatePlotRect();
        view.ApplyViewReset();
        const humichart::ChartState state = view.FromPixel(_wtoi(argv[2]), _wtoi(argv[3]));
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        humichart::CComCalcBinding binding;
        std::unique_ptr<humichart::ICalcSession> calc;
        humichart::PointStatusFields fields;
        if (!humichart::Succeeded(binding.Open(data.airPressure, calc)) ||
            !humichart::ComputePointStatus(*calc, state.I, state.D, data.airPressure, fields)) {
            std::puts("no state");
            return 1;
        }
        int wrong = 0;
        for (const humichart::PointStatusField& field : fields) {
            const std::wstring shown = Text(GetDlgItem(params, field.id));
            std::printf("%d %ls %ls\n", field.id, shown.c_str(), field.text.c_str());
            if (shown != field.text) ++wrong;
        }
        calc.reset();
        CoUninitialize();
        std::puts(wrong ? "differ" : "ok");
        return wrong ? 1 : 0;
    }
    return 2;
}
