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
//   humistart_probe title           -> the main window's title
//   humistart_probe box             -> "caption|text" of the message box Humistart shows
//   humistart_probe dialog          -> the title of a dialog Humistart shows over its window
//   humistart_probe play EMF OUT W H -> plays the metafile EMF onto a white bitmap of W x H and writes
//                                      it to OUT: width, height (32-bit each), then 0x00RRGGBB rows
#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "CChartView.h"
#include "CComCalcBinding.h"
#include "PointStatusFields.h"

namespace {

// Humistart's window: its title ends with the program's name (the document's
// name comes first), and it holds the chart control.
BOOL CALLBACK FindMain(HWND window, LPARAM data) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    const std::wstring title = text;
    const std::wstring end = L"Humistart";
    if (!IsWindowVisible(window) || !GetDlgItem(window, 1000) || title.size() < end.size() ||
        title.compare(title.size() - end.size(), end.size(), end) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

HWND FindMainWindow() {
    HWND main = nullptr;
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&main));
    return main;
}

HWND FindChart() {
    HWND main = FindMainWindow();
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

// The first visible dialog of the process other than its main window.
struct DialogSearch {
    DWORD process;
    HWND main;
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (process != search->process || window == search->main || !IsWindowVisible(window) ||
        std::wstring(cls) != L"#32770")
        return TRUE;
    search->found = window;
    return FALSE;
}

// Plays a metafile file as a program that inserts the picture would.
int PlayMetafile(const wchar_t* emf, const wchar_t* out, int width, int height) {
    HENHMETAFILE picture = GetEnhMetaFileW(emf);
    if (!picture || width <= 0 || height <= 0) return 2;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) return 4;
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    const RECT target{0, 0, width, height};
    const bool played = PlayEnhMetaFile(dc, picture, &target) != FALSE;
    GdiFlush();
    FILE* file = _wfopen(out, L"wb");
    const std::int32_t size[2] = {width, height};
    bool written = file && fwrite(size, sizeof size, 1, file) == 1;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (size_t i = 0; written && i < static_cast<size_t>(width) * height; ++i) {
        const std::uint32_t pixel = pixels[i] & 0x00FFFFFFu;
        written = fwrite(&pixel, sizeof pixel, 1, file) == 1;
    }
    if (file) written = fclose(file) == 0 && written;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteEnhMetaFile(picture);
    return played && written ? 0 : 5;
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
    if (argc == 6 && std::wstring(argv[1]) == L"play") return PlayMetafile(argv[2], argv[3], _wtoi(argv[4]), _wtoi(argv[5]));
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
    if (command == L"title") {
        wchar_t title[512] = {};
        GetWindowTextW(FindMainWindow(), title, 512);
        std::printf("%ls\n", title);
        return 0;
    }
    if (command == L"box" || command == L"dialog") {
        DialogSearch search{0, FindMainWindow()};
        GetWindowThreadProcessId(chart, &search.process);
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        // A message box's text is its static item 0xFFFF.
        HWND text = search.found ? GetDlgItem(search.found, 0xFFFF) : nullptr;
        if (!search.found || (command == L"box" && !text)) {
            std::puts(command == L"box" ? "no box" : "no dialog");
            return 1;
        }
        wchar_t caption[256] = {};
        GetWindowTextW(search.found, caption, 256);
        if (command == L"box")
            std::printf("%ls|%ls\n", caption, Text(text).c_str());
        else
            std::printf("%ls\n", caption);
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
