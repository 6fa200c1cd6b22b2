// A chart window at a chosen client size inside a hidden top-level window,
// for tests, pictures and benchmarks. The calculator is the registered
// Humicalc component unless another binding is given; the thread must have
// entered an apartment.
#pragma once

#include <windows.h>

#include <memory>

#include "CIDWnd.h"
#include "DibSurface.h"
#include "WindowBase.h"

namespace humichart::render {

class ChartHost {
public:
    // chart: the window object to create (a derived test class, say); null
    // for a plain CIDWnd.
    ChartHost(int width, int height, std::unique_ptr<CIDWnd> chart = nullptr);
    ChartHost(const ChartHost&) = delete;
    ChartHost& operator=(const ChartHost&) = delete;
    ~ChartHost();

    bool Ok() const { return m_chart && m_chart->Hwnd() != nullptr; }
    CIDWnd& Chart() { return *m_chart; }
    HWND Parent() const { return m_parent.Hwnd(); }

    // The whole client area through the paint pipeline, into surface.
    void PaintAll(DibSurface& surface);
    // Shows the host so that the chart gets real WM_PAINT messages.
    void Show();
    // Delivers pending paints now.
    void Update();

private:
    class HostWindow final : public CWindowBase {};

    HostWindow m_parent;
    std::unique_ptr<CIDWnd> m_chart;
};

// Named points, a cooling process and a mix of outdoor and room air, put in
// through the model; with a CSSR comfort box and process names shown.
void AddDemoData(CIDWnd& chart);

// Message loop run until nothing is pending.
void PumpMessages();

}  // namespace humichart::render
