// The control in the product's own container, fed the way the launcher's
// dialog template feeds it: a licence-key count of zero, then the stream.
#include <cstring>

#include "ControlContainer.h"
#include "ControlTestSupport.h"

namespace {

template <class T>
void Append(std::vector<BYTE>& out, T value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

TEST_F(ControlTest, TheContainerLoadsTheTemplateStreamAndTheChartFillsTheControl) {
    std::vector<BYTE> data;
    Append<DWORD>(data, 0);  // no licence key
    Append<DWORD>(data, 0x710);
    Append<DWORD>(data, 16404);
    Append<DWORD>(data, 11615);
    for (double value : {93000.0, 60.0, -20.0, 40.0, 0.0}) Append(data, value);
    for (DWORD flag : {1, 1, 1, 1, 0, 1, 1, 1}) Append(data, flag);
    Append<DWORD>(data, 0);
    ASSERT_EQ(data.size(), 92u);
    const auto init = DecodeControlInit(DlgInitRecord{1000, 0x037A, data});
    ASSERT_TRUE(init);

    HWND window = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 700, 560,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    {
        CControlContainer container;
        const RECT rect{0, 0, 600, 400};
        ASSERT_EQ(container.CreateControl(window, CLSID_HumichartCtl, 1000, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect,
                                          &*init), S_OK);
        CControlSite* site = container.Find(1000);
        ASSERT_TRUE(site);
        ComPtr<IHumichartCtl> chart;
        ASSERT_HRESULT_SUCCEEDED(site->Control()->QueryInterface(IID_IHumichartCtl, chart.PutVoid()));
        double p = 0, t = 0;
        VARIANT_BOOL border = 0;
        ULONG points = 1;
        chart->get_AirPressure(&p);
        chart->get_RangeMaxT(&t);
        chart->get_HasBorder(&border);
        EXPECT_EQ(p, 93000.0);
        EXPECT_NEAR(t, 60.0, 1e-9);
        EXPECT_EQ(border, VARIANT_TRUE);
        EXPECT_EQ(chart->PointCount(&points), S_OK);  // active: a chart window exists
        EXPECT_EQ(points, 0u);

        HWND control = site->ControlWindow();
        ASSERT_TRUE(control);
        ASSERT_EQ(container.MoveControl(1000, RECT{0, 0, 500, 300}, false), S_OK);
        RECT chartRect{};
        GetWindowRect(GetWindow(control, GW_CHILD), &chartRect);
        EXPECT_EQ(chartRect.right - chartRect.left, 500);
        EXPECT_EQ(chartRect.bottom - chartRect.top, 300);
        container.CloseAll();
        EXPECT_EQ(chart->PointCount(&points), E_ABORT);
    }
    DestroyWindow(window);
}

// The chart's focus makes the control the container's active object, which
// takes the chart's keys through TranslateAccelerator and leaves the others.
TEST_F(ControlTest, TheFocusedChartTakesItsKeysFromTheContainer) {
    HWND window = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 700, 560,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    {
        CControlContainer container;
        ASSERT_EQ(container.CreateControl(window, CLSID_HumichartCtl, 1000, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                          RECT{0, 0, 600, 400}), S_OK);
        CControlSite* site = container.Find(1000);
        ComPtr<IHumichartCtl> chart;
        ASSERT_HRESULT_SUCCEEDED(site->Control()->QueryInterface(IID_IHumichartCtl, chart.PutVoid()));
        HWND chartWindow = GetWindow(site->ControlWindow(), GW_CHILD);
        MSG key{chartWindow, WM_KEYDOWN, 'T', 1};
        EXPECT_FALSE(container.TranslateAccelerator(key)) << "not UI-active before it has the focus";

        SetFocus(site->ControlWindow());  // as a dialog tabbing to it does
        EXPECT_EQ(GetFocus(), chartWindow) << "the control window hands the focus to the chart";
        EXPECT_TRUE(container.TranslateAccelerator(key));
        VARIANT_BOOL lines = VARIANT_TRUE;
        chart->get_HasTLine(&lines);
        EXPECT_EQ(lines, VARIANT_FALSE) << "T reached the chart";
        MSG enter{chartWindow, WM_KEYDOWN, VK_RETURN, 1};
        EXPECT_TRUE(container.TranslateAccelerator(enter));
        MSG tab{chartWindow, WM_KEYDOWN, VK_TAB, 1};
        EXPECT_FALSE(container.TranslateAccelerator(tab));
        MSG close{chartWindow, WM_SYSKEYDOWN, VK_F4, 0x20000001};
        EXPECT_FALSE(container.TranslateAccelerator(close));
        container.CloseAll();
        EXPECT_FALSE(container.TranslateAccelerator(key));
    }
    DestroyWindow(window);
}

}  // namespace
