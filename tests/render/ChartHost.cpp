#include "ChartHost.h"

#include "CComCalcBinding.h"

namespace humichart::render {

ChartHost::ChartHost(int width, int height, std::unique_ptr<CIDWnd> chart)
    : m_chart(chart ? std::move(chart) : std::make_unique<CIDWnd>()) {
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, WS_POPUP, FALSE, 0);
    m_parent.Create(GetModuleHandleW(nullptr), L"HumichartChartHost", nullptr, L"Humichart",
                    WS_POPUP | WS_CLIPCHILDREN, 0, outer);
    if (!m_parent.Hwnd()) return;
    if (!m_chart->Create(m_parent.Hwnd())) return;
    SetWindowPos(m_chart->Hwnd(), nullptr, 0, 0, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

ChartHost::~ChartHost() {
    // The chart window goes before its parent takes it along.
    m_chart.reset();
}

void ChartHost::PaintAll(DibSurface& surface) {
    const RECT all{0, 0, m_chart->View().clientWidth, m_chart->View().clientHeight};
    m_chart->PaintInto(surface.DC(), all);
    GdiFlush();
}

void ChartHost::Show() {
    ShowWindow(m_parent.Hwnd(), SW_SHOWNOACTIVATE);
    Update();
}

void ChartHost::Update() {
    PumpMessages();
    UpdateWindow(m_chart->Hwnd());
    GdiFlush();
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void AddDemoData(CIDWnd& chart) {
    CComCalcBinding binding;
    std::unique_ptr<ICalcSession> calc;
    if (!Succeeded(binding.Open(chart.airPressure, calc))) return;
    auto add = [&](const wchar_t* name, double T, double F) {
        chart.points.push_back({calc->ID_I_T_F(T, F), calc->ID_D_T_F(T, F), name});
    };
    add(L"W", -5.0, 0.8);   // winter outdoor
    add(L"O", 34.0, 0.6);   // summer outdoor
    add(L"R", 26.0, 0.55);  // room
    add(L"M", 0.0, 0.5);    // placed by the mix
    add(L"S", 14.0, 0.95);  // off the cooling coil
    chart.processes.push_back({L"M", L"S", L"Cooling", 10000.0});
    chart.mixes.push_back({L"O", L"R", L"M", L"Mix", 2500.0, 10000.0});
    chart.cssrRegion = {26.0, 22.0, 12.0, 8.0};
    chart.HasProcessLineName = 1;
    chart.RecomputeMixPoints();
    chart.RequestRepaint();
}

}  // namespace humichart::render
