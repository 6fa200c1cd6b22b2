// The control embedded in the test's container: its window and chart window,
// its events in order, drawing without a window, what it tells containers.
#include "ControlTestSupport.h"
#include <olectl.h>

#include <algorithm>

#include "GdiHandles.h"

namespace {

using Log = std::vector<std::string>;

TEST_F(HostedControlTest, EventsArriveInOrderWithTheirArguments) {
    ASSERT_EQ(chart_->put_AirPressure(90000), S_OK);
    EXPECT_TRUE(sink_->log.empty());
    ASSERT_EQ(Activate(), S_OK);
    EXPECT_EQ(sink_->log, (Log{"OnInit(90000)", "OnSize(640,480)"}));

    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_HRESULT_SUCCEEDED(object_.As(inPlace));
    const RECT smaller{10, 20, 410, 320};
    ASSERT_EQ(inPlace->SetObjectRects(&smaller, &smaller), S_OK);
    EXPECT_EQ(sink_->log.back(), "OnSize(400,300)");

    // Frozen events are not delivered, however deep the freeze, and not
    // delivered later either.
    ComPtr<IOleControl> oleControl;
    ASSERT_HRESULT_SUCCEEDED(object_.As(oleControl));
    sink_->log.clear();
    ASSERT_EQ(oleControl->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(oleControl->FreezeEvents(TRUE), S_OK);
    const RECT frozen{10, 20, 310, 220};
    inPlace->SetObjectRects(&frozen, &frozen);
    oleControl->FreezeEvents(FALSE);
    inPlace->SetObjectRects(&smaller, &smaller);
    EXPECT_TRUE(sink_->log.empty());
    oleControl->FreezeEvents(FALSE);
    inPlace->SetObjectRects(&frozen, &frozen);
    EXPECT_EQ(sink_->log, Log{"OnSize(300,200)"});
    inPlace->SetObjectRects(&smaller, &smaller);

    // The chart window fills the control's window, and goes before it.
    HWND control = ControlWindow();
    ASSERT_TRUE(control);
    EXPECT_EQ(GetParent(control), window_);
    HWND chartWindow = GetWindow(control, GW_CHILD);
    ASSERT_TRUE(chartWindow);
    EXPECT_TRUE(GetWindowLongPtrW(chartWindow, GWL_STYLE) & WS_VISIBLE);
    RECT client{}, chart{};
    GetClientRect(control, &client);
    GetWindowRect(chartWindow, &chart);
    EXPECT_EQ(chart.right - chart.left, client.right);
    EXPECT_EQ(chart.bottom - chart.top, client.bottom);

    sink_->log.clear();
    ASSERT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(sink_->log, Log{"OnDestroy()"});
    EXPECT_FALSE(IsWindow(control));
    EXPECT_EQ(site_->inPlaceDeactivations, 1);
    // Gone with the window: data methods abort, getters answer from the copies.
    ULONG n = 0;
    EXPECT_EQ(chart_->PointCount(&n), E_ABORT);
    double p = 0;
    EXPECT_EQ(chart_->get_AirPressure(&p), S_OK);
    EXPECT_EQ(p, 90000.0);

    // A second activation makes a new chart window and says so again.
    sink_->log.clear();
    ASSERT_EQ(Activate(), S_OK);
    ASSERT_FALSE(sink_->log.empty());
    EXPECT_EQ(sink_->log.front(), "OnInit(90000)");
}

TEST_F(HostedControlTest, TheChartStartsFromTheCopiesAndNotFromTheDataIndex) {
    chart_->put_RangeMaxT(40);
    chart_->put_RangeMinD(5);
    chart_->put_HasBorder(VARIANT_TRUE);
    chart_->put_DataIndex(12345);
    ASSERT_EQ(Activate(), S_OK);
    double t = 0, d = 0;
    VARIANT_BOOL border = 0;
    ULONG index = 1;
    chart_->get_RangeMaxT(&t);
    chart_->get_RangeMinD(&d);
    chart_->get_HasBorder(&border);
    chart_->get_DataIndex(&index);
    EXPECT_NEAR(t, 40.0, 1e-9);
    EXPECT_NEAR(d, 5.0, 1e-9);
    EXPECT_EQ(border, VARIANT_TRUE);
    EXPECT_EQ(index, 0u);
}

TEST_F(HostedControlTest, ContainersLearnTheMiscStatusTheExtentAndTheEventSource) {
    DWORD misc = 0;
    EXPECT_EQ(object_->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
    EXPECT_EQ(misc, 131473u);
    SIZEL extent{};
    EXPECT_EQ(object_->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, 5080);
    EXPECT_EQ(extent.cy, 5080);
    ComPtr<IProvideClassInfo2> info;
    ASSERT_HRESULT_SUCCEEDED(chart_.As(info));
    GUID source{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(IsEqualGUID(source, DIID__IHumichartCtlEvents));
    ComPtr<ITypeInfo> coclass;
    EXPECT_EQ(info->GetClassInfo(coclass.Put()), S_OK);
    // Property-change notification can be connected too.
    ComPtr<IConnectionPointContainer> points;
    ASSERT_HRESULT_SUCCEEDED(chart_.As(points));
    ComPtr<IConnectionPoint> notify;
    EXPECT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, notify.Put()), S_OK);
    ComPtr<IEnumConnectionPoints> all;
    ASSERT_EQ(points->EnumConnectionPoints(all.Put()), S_OK);
    IConnectionPoint* listed[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(all->Next(3, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    ComPtr<IConnectionPoint> first = ComPtr<IConnectionPoint>::Attach(listed[0]);
    ComPtr<IConnectionPoint> second = ComPtr<IConnectionPoint>::Attach(listed[1]);
    IID iid{};
    first->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(iid, DIID__IHumichartCtlEvents));
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(points->FindConnectionPoint(IID_IDispatch, none.Put()), CONNECT_E_NOCONNECTION);
    // A sink that is no event sink is turned away.
    DWORD cookie = 0;
    EXPECT_EQ(notify->Advise(static_cast<IDispatch*>(sink_), &cookie), CONNECT_E_CANNOTCONNECT);
}

// Draw onto a white 400 x 200 bitmap; answers the pixels.
std::vector<COLORREF> DrawToBitmap(IViewObject* view) {
    const int w = 400, h = 200;
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectedObject selected(dc.Get(), bitmap.Get());
    PatBlt(dc.Get(), 0, 0, w, h, WHITENESS);
    const RECTL bounds{0, 0, w, h};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.Get(), &bounds, nullptr, nullptr, 0),
              S_OK);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    return std::vector<COLORREF>(p, p + w * h);
}

TEST_F(HostedControlTest, DrawingWithoutAChartWindowShowsTheApology) {
    ComPtr<IViewObject> view;
    ASSERT_HRESULT_SUCCEEDED(chart_.As(view));
    const auto pixels = DrawToBitmap(view.Get());
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * 400 + x] & 0xFFFFFF; };
    // The rectangle's outline, a white inside, dark text just above the middle.
    EXPECT_EQ(at(0, 0), 0u);
    EXPECT_EQ(at(399, 100), 0u);
    EXPECT_EQ(at(5, 5), 0xFFFFFFu);
    int dark = 0, darkElsewhere = 0;
    for (int y = 1; y < 199; ++y)
        for (int x = 1; x < 399; ++x)
            if (at(x, y) == 0) (y >= 85 && y <= 103 ? dark : darkElsewhere)++;
    EXPECT_GT(dark, 50);
    EXPECT_EQ(darkElsewhere, 0);

    // Active, the chart window shows the chart; Draw leaves the DC alone.
    ASSERT_EQ(Activate(), S_OK);
    const auto active = DrawToBitmap(view.Get());
    EXPECT_TRUE(std::all_of(active.begin(), active.end(), [](COLORREF c) { return (c & 0xFFFFFF) == 0xFFFFFF; }));
}

}  // namespace
