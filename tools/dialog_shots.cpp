// Opens one of the chart's dialogs over a chart window with the demo data,
// fills it as a user would and holds it on the screen for a screenshot
// (scripts/pictures.sh takes them all for the README):
//   dialog_shots.exe points|property|process|hom|flow|mixer READY DONE
//   dialog_shots.exe supply|fresh|dewpoint[-chart] READY DONE
// When the dialog stands, its screen rectangle is written to READY as
// "x y width height"; the dialog closes once the file DONE exists (or after
// a minute). The design tools (supply, fresh, dewpoint) run over a chart with
// an outdoor point W and a room point N, filled with a worked example; with
// "-chart" their OK is pressed and the chart window is held instead. The
// captions follow the interface language (English or Chinese).
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "CChartDialogs.h"
#include "ChartHost.h"
#include "DesignDialogsResource.h"
#include "PointDialogsResource.h"
#include "ProcessDialogsResource.h"
#include "ModalScript.h"

using namespace humichart;
using test::ModalScript;
using test::User;

namespace {

struct Captions {
    std::wstring points, property, process, hom, flow, mixer, supply, fresh, dewpoint;
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

// Outdoor air W at 34 degC and 60 %, the room N at 26 degC and 55 %, names
// on the lines.
void AddDesignData(CIDWnd& chart) {
    std::unique_ptr<ICalcSession> calc;
    if (!Succeeded(chart.Calc().Open(chart.airPressure, calc))) return;
    chart.points.push_back({calc->ID_I_T_F(34.0, 0.6), calc->ID_D_T_F(34.0, 0.6), L"W"});
    chart.points.push_back({calc->ID_I_T_F(26.0, 0.55), calc->ID_D_T_F(26.0, 0.55), L"N"});
    chart.HasProcessLineName = 1;
    // Close enough to read the names the tools add.
    chart.View().SetRange(10.0, 40.0, 6.0, 22.0);
    chart.RequestRender();
}

// Closes every dialog of the thread, innermost first.
void CloseAll() {
    for (int i = 0; i < 4; ++i)
        if (HWND active = GetActiveWindow()) PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: dialog_shots points|property|process|hom|flow|mixer|supply|fresh|dewpoint[-chart] "
                              L"READY DONE\n");
        return 2;
    }
    const std::wstring kind = argv[1], ready = argv[2], done = argv[3];
    const bool chinese = GetUserDefaultUILanguage() == MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    const Captions captions = chinese ? Captions{L"状态点管理", L"焓湿图属性", L"热湿过程线管理", L"定热湿比求未知点",
                                                 L"确定风量", L"混合过程线管理", L"送风状态设计", L"新风量计算",
                                                 L"露点送风设计"}
                                      : Captions{L"Points", L"Humichart property", L"Transfer processes",
                                                 L"Get point by HOM", L"Get air flow", L"Mix processes",
                                                 L"Supply air state", L"Fresh air", L"Dew-point supply"};
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int status = 0;
    {
        render::ChartHost host(760, 560);
        if (!host.Ok()) return 1;
        const std::wstring tool = kind.substr(0, kind.find(L'-'));
        const bool design = tool == L"supply" || tool == L"fresh" || tool == L"dewpoint";
        const bool chartAfterOk = design && kind.size() > tool.size() && kind.substr(tool.size()) == L"-chart";
        if (design) AddDesignData(host.Chart());
        else render::AddDemoData(host.Chart());
        host.Show();
        ModalScript script;
        unsigned command = 204;
        // The design tools filled with their worked examples, then held or OK pressed.
        auto finish = [&](const std::wstring& caption) {
            script.In(caption, "held or OK", [&, caption](HWND d) {
                if (chartAfterOk) {
                    User::Click(d, IDOK);
                } else {
                    Hold(d, ready, done);
                    CloseAll();
                }
            });
        };
        if (design && tool == L"supply") {
            command = 32781;
            script.In(captions.supply, "loads", [](HWND d) {
                User::Choose(d, IDC_DESIGN_ROOM, 1);
                User::Type(d, IDC_DESIGN_HEAT, L"10");
                User::Type(d, IDC_DESIGN_MOIST, L"3");
            });
            finish(captions.supply);
        } else if (design && tool == L"fresh") {
            command = 32782;
            script.In(captions.fresh, "streams and rules", [](HWND d) {
                User::Choose(d, IDC_DESIGN_OUTDOOR, 0);
                User::Choose(d, IDC_DESIGN_ROOM, 1);
                User::Type(d, IDC_DESIGN_SUPPLY_FLOW, L"3000");
                User::Type(d, IDC_DESIGN_PEOPLE, L"40");
                User::Type(d, IDC_DESIGN_EXHAUST, L"800");
            });
            finish(captions.fresh);
        } else if (design) {
            command = 32786;
            script.In(captions.dewpoint, "loads, outdoor air and reheat", [](HWND d) {
                User::Choose(d, IDC_DESIGN_ROOM, 1);
                User::Type(d, IDC_DESIGN_HEAT, L"10");
                User::Type(d, IDC_DESIGN_MOIST, L"3");
                User::Choose(d, IDC_DESIGN_OUTDOOR, 1);
            });
            // The share is offered once outdoor air is chosen.
            script.In(captions.dewpoint, "its share, the largest difference", [](HWND d) {
                User::Type(d, IDC_DESIGN_FRESH_SHARE, L"20");
                User::Type(d, IDC_DESIGN_MAX_DT, L"6");
            });
            finish(captions.dewpoint);
        } else if (kind == L"points") {
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
        if (status == 0 && chartAfterOk) {
            host.Update();
            Hold(host.Parent(), ready, done);
        }
    }
    CoUninitialize();
    return status;
}
