// Looks into a running Humistart from a second process, as the end-to-end
// script needs: where the chart window's client area is on the screen, and
// whether the "Point status" window shows what the calculator says for a
// client pixel of a chart at its default view; where a popup menu or a
// dialog's control stands, so that xdotool can press it as a user would.
//   humistart_probe geometry        -> "x y width height"
//   humistart_probe params X Y      -> "ok" or the fields that differ
//   humistart_probe editor          -> "open" or "closed"
//   humistart_probe menu            -> "x y width height" of the open popup menu
//   humistart_probe highlight       -> "#RRGGBB", the colour of a selected menu item
//   humistart_probe control TITLE ID -> "x y left top right bottom" (screen centre and rectangle)
//                                      "checked"|"unchecked" "enabled"|"disabled" text
//   humistart_probe print-ok        -> "x y" of the OK button of the print dialog
//   humistart_probe pixel T RH [DPI] -> "x y", the client pixel of the state (dry bulb T, humidity RH %)
//                                      at the default view of a chart drawn at DPI (96 unless given)
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

struct TopSearch {
    DWORD process;
    std::wstring title;     // a visible window with this caption, or
    const wchar_t* cls;     // of this class
    int control;            // that has this control (0: any)
    HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    wchar_t text[128] = {};
    if (search->cls) {
        GetClassNameW(window, text, 128);
        if (std::wstring(text) != search->cls) return TRUE;
    } else {
        GetWindowTextW(window, text, 128);
        if (search->title != text) return TRUE;
    }
    if (search->control && !GetDlgItem(window, search->control)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopOf(HWND chart, const wchar_t* title, const wchar_t* cls, int control) {
    TopSearch search{0, title ? title : L"", cls, control};
    GetWindowThreadProcessId(chart, &search.process);
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PrintCentre(HWND window, bool withRect) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    if (withRect) std::printf(" %ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
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
    if (command == L"menu") {
        HWND menu = FindTopOf(chart, nullptr, L"#32768", 0);
        if (!menu) {
            std::puts("no menu");
            return 1;
        }
        RECT rect{};
        GetWindowRect(menu, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (command == L"highlight") {
        const COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
        std::printf("#%02X%02X%02X\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
        return 0;
    }
    if (command == L"control" && argc == 4) {
        HWND dialog = FindTopOf(chart, argv[2], nullptr, _wtoi(argv[3]));
        HWND control = dialog ? GetDlgItem(dialog, _wtoi(argv[3])) : nullptr;
        if (!control) {
            std::puts("no control");
            return 1;
        }
        PrintCentre(control, true);
        DWORD_PTR check = 0;
        SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &check);
        std::printf(" %s %s %ls\n", check == BST_CHECKED ? "checked" : "unchecked",
                    IsWindowEnabled(control) ? "enabled" : "disabled", Text(control).c_str());
        return 0;
    }
    if (command == L"print-ok") {
        // The system print dialog: the one with the printer list (0x473).
        HWND dialog = FindTopOf(chart, nullptr, L"#32770", 0x473);
        HWND ok = dialog ? GetDlgItem(dialog, IDOK) : nullptr;
        if (!ok || !IsWindowEnabled(ok)) {
            std::puts("no print dialog");
            return 1;
        }
        PrintCentre(ok, false);
        std::puts("");
        return 0;
    }
    if (command == L"pixel" && (argc == 4 || argc == 5)) {
        humichart::CHumichartDataObj data;
        humichart::CChartView view(data);
        if (argc == 5) view.SetDpi(_wtoi(argv[4]));
        view.SetClientSize(client.right, client.bottom);
        view.UpdatePlotRect();
        view.ApplyViewReset();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        humichart::CComCalcBinding binding;
        std::unique_ptr<humichart::ICalcSession> calc;
        if (!humichart::Succeeded(binding.Open(data.airPressure, calc))) {
            std::puts("no calculator");
            return 1;
        }
        const double T = _wtof(argv[2]), F = _wtof(argv[3]) / 100.0;
        const humichart::PointD at = view.ToPixel(calc->ID_I_T_F(T, F), calc->ID_D_T_F(T, F));
        calc.reset();
        CoUninitialize();
        std::printf("%d %d\n", static_cast<int>(at.x + 0.5), static_cast<int>(at.y + 0.5));
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
