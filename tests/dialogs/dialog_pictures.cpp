// Pictures of the Points and graph property dialogs as they run, for the
// README: each dialog opened over a chart with the demo data, a point chosen
// and two parameters checked, then the dialog window copied to a PNG.
//   scripts/wine-run.sh build/windows/bin/dialog_pictures.exe --out 'Z:\tmp\shots' [--chinese]
// writes <out>-points.png and <out>-property.png. Needs Humicalc registered
// and a display.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "CDlgNewPoint.h"
#include "CIDProp.h"
#include "ChartHost.h"
#include "DialogDriver.h"
#include "GdiHandles.h"
#include "GdiplusImage.h"
#include "GdiplusSession.h"
#include "PointDialogsResource.h"

using namespace humichart;

namespace {

// The dialog window as it stands on the screen, frame and caption included
// where the window system draws them.
bool Save(HWND dialog, const std::wstring& path) {
    // Let the dialog and the display finish painting what the actions changed.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    for (int i = 0; i < 10; ++i) {
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
        Sleep(100);
    }
    RECT rect{};
    GetWindowRect(dialog, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    WindowDC screen(nullptr);
    UniqueMemoryDC dc(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        SelectedObject selected(dc.Get(), bitmap.Get());
        if (!BitBlt(dc.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY)) return false;
    }
    return SUCCEEDED(SaveBitmapAsPng(bitmap.Get(), path.c_str()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring out;
    bool chinese = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--out" && i + 1 < argc) out = argv[++i];
        if (arg == L"--chinese") chinese = true;
    }
    if (out.empty()) {
        std::fwprintf(stderr, L"usage: dialog_pictures --out prefix [--chinese]\n");
        return 2;
    }
    // Under Wine the dialogs' frames and captions are drawn only when Wine
    // manages our windows itself; that is read at start-up, so the first run
    // asks for it and starts again.
    wchar_t managed[8] = {};
    DWORD size = sizeof managed;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + (wcsrchr(self, L'\\') + 1) +
                             L"\\X11 Driver";
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Managed", RRF_RT_REG_SZ, nullptr, managed, &size) !=
            ERROR_SUCCESS ||
        std::wstring(managed) != L"N") {
        test::AskWineToManageOurWindows();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring command = GetCommandLineW();
        if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return 1;
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        return static_cast<int>(code);
    }
    if (chinese) {
        const LANGID language = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
        SetThreadUILanguage(language);
        SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int failures = 0;
    {
        GdiplusSession gdiplus;
        render::ChartHost host(800, 600);
        if (!host.Ok()) return 1;
        render::AddDemoData(host.Chart());
        host.Show();
        CIDWnd& chart = host.Chart();
        {
            CDlgNewPoint dialog(chart);
            test::DialogDriver::Run([&] { return dialog.Run(chart.Hwnd()); },
                                    [&](test::DialogDriver& d) {
                                        d.Choose(IDC_POINTS_NAME, 2);
                                        d.Click(IDC_POINTS_CHECK_DBT);
                                        d.Click(IDC_POINTS_CHECK_RH);
                                        d.Type(IDC_POINTS_EDIT_RH, L"50");
                                        if (!Save(d.Dialog(), out + L"-points.png")) ++failures;
                                        d.Click(IDCANCEL);
                                    });
        }
        {
            CIDProp dialog(chart);
            test::DialogDriver::Run([&] { return dialog.Run(chart.Hwnd()); },
                                    [&](test::DialogDriver& d) {
                                        d.Click(IDC_PROP_LINE_NAME);
                                        if (!Save(d.Dialog(), out + L"-property.png")) ++failures;
                                        d.Click(IDCANCEL);
                                    });
        }
    }
    CoUninitialize();
    if (failures) std::fwprintf(stderr, L"%d picture(s) not written\n", failures);
    return failures ? 1 : 0;
}
