// Opens one of the chart's dialogs over a chart window with the demo data,
// fills it as a user would and holds it on the screen for a screenshot
// (scripts/pictures.sh takes them all for the README):
//   dialog_shots.exe points|property|process|hom|flow|mixer READY DONE
// When the dialog stands, its screen rectangle is written to READY as
// "x y width height"; the dialog closes once the file DONE exists (or after
// a minute). The captions follow the interface language (English or Chinese).
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "CChartDialogs.h"
#include "ChartHost.h"
#include "PointDialogsResource.h"
#include "ProcessDialogsResource.h"
#include "ModalScript.h"

using namespace humichart;
using test::ModalScript;
using test::User;

namespace {

struct Captions {
    std::wstring points, property, process, hom, flow, mixer;
};

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Writes the window's rectangle to ready, then keeps the screen live until
// done appears.
void Hold(HWND window, const std::wstring& ready, const std::wstring& done) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rect{};
    GetWindowRect(window, &rect);
    {
        std::ofstream out(ready.c_str());
        out << rect.left << ' ' << rect.top << ' ' << rect.right - rect.left << ' ' << rect.bottom - rect.top << '\n';
    }
    const DWORD start = GetTickCount();
    while (!FileExists(done) && GetTickCount() - start < 60000) {
        render::PumpMessages();
        Sleep(30);
    }
}

// Closes every dialog of the thread, innermost first.
void CloseAll() {
    for (int i = 0; i < 4; ++i)
        if (HWND active = GetActiveWindow()) PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: dialog_shots points|property|process|hom|flow|mixer READY DONE\n");
        return 2;
    }
    const std::wstring kind = argv[1], ready = argv[2], done = argv[3];
    const bool chinese = GetUserDefaultUILanguage() == MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    const Captions captions = chinese ? Captions{L"状态点管理", L"焓湿图属性", L"热湿过程线管理", L"定热湿比求未知点",
                                                 L"确定风量", L"混合过程线管理"}
                                      : Captions{L"Points", L"Humichart property", L"Transfer processes",
                                                 L"Get point by HOM", L"Get air flow", L"Mix processes"};
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int status = 0;
    {
        render::ChartHost host(760, 560);
        if (!host.Ok()) return 1;
        render::AddDemoData(host.Chart());
        host.Show();
        ModalScript script;
        unsigned command = 204;
        if (kind == L"points") {
            command = 203;
            script.In(captions.points, "a point chosen", [](HWND d) { User::Choose(d, IDC_POINTS_NAME, 2); });
            script.In(captions.points, "two parameters checked", [](HWND d) {
                User::Click(d, IDC_POINTS_CHECK_DBT);
                User::Click(d, IDC_POINTS_CHECK_RH);
            });
            script.In(captions.points, "a humidity typed", [](HWND d) { User::Type(d, IDC_POINTS_EDIT_RH, L"50"); });
            script.In(captions.points, "held", [&](HWND d) {
                Hold(d, ready, done);
                CloseAll();
            });
        } else if (kind == L"property") {
            command = 207;
            script.In(captions.property, "line names checked", [](HWND d) { User::Click(d, IDC_PROP_LINE_NAME); });
            script.In(captions.property, "held", [&](HWND d) {
                Hold(d, ready, done);
                CloseAll();
            });
        } else if (kind == L"process") {
            script.In(captions.process, "a process shown", [](HWND d) { User::Choose(d, IDC_PROCESS_NAME, 0); });
            script.In(captions.process, "held", [&](HWND d) {
                Hold(d, ready, done);
                CloseAll();
            });
        } else if (kind == L"hom") {
            script.In(captions.process, "an end by ratio", [](HWND d) {
                User::Choose(d, IDC_PROCESS_START, 5);
                User::Choose(d, IDC_PROCESS_END, 0);
            });
            script.In(captions.process, "its ratio", [](HWND d) {
                User::Type(d, IDC_PROCESS_RATIO, L"-3000");
                User::Type(d, IDC_AIR_FLOW, L"5000");
                User::Type(d, IDC_PROCESS_NAME, L"Reheat");
                User::Click(d, IDC_ITEM_ADD);
            });
            script.In(captions.hom, "a known relative humidity", [](HWND d) {
                User::Type(d, IDC_NEW_POINT_NAME, L"H");
                User::Choose(d, IDC_KNOWN_KIND, 1);
                User::Type(d, IDC_KNOWN_VALUE, L"45");
            });
            script.In(captions.hom, "held", [&](HWND d) {
                Hold(d, ready, done);
                CloseAll();
            });
        } else if (kind == L"flow") {
            script.In(captions.process, "double-clicked",
                      [](HWND d) { User::DoubleClick(d, IDC_PROCESS_NAME, 0); });
            script.In(captions.flow, "held", [&](HWND d) {
                Hold(d, ready, done);
                CloseAll();
            });
        } else if (kind == L"mixer") {
            command = 205;
            script.In(captions.mixer, "a mix shown", [](HWND d) { User::Choose(d, IDC_PROCESS_NAME, 0); });
            script.In(captions.mixer, "held", [&](HWND d) {
                Hold(d, ready, done);
                CloseAll();
            });
        } else {
            status = 2;
        }
        if (status == 0) script.Run([&] { CChartDialogs().Open(host.Chart(), command); }, 90000);
    }
    CoUninitialize();
    return status;
}
