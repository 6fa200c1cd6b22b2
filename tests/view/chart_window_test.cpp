// The chart window as a window: real paint messages and the cached image,
// size notifications, the data commands, and a calculator that fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CComCalcBinding.h"
#include "../chart/ChartColours.h"
#include "ChartWindowTest.h"

namespace humichart::test {
namespace {

// Answers the chart window's questions itself and records them.
class ScriptedChart final : public CIDWnd {
public:
    using CIDWnd::CIDWnd;
    int answer = IDNO;
    std::vector<std::wstring> texts, captions;
    std::vector<UINT> types;

protected:
    int AskUser(const wchar_t* text, const wchar_t* caption, UINT type) override {
        texts.push_back(text);
        captions.push_back(caption);
        types.push_back(type);
        return answer;
    }
};

// The registered calculator, or a failure while broken is set.
class SwitchableBinding final : public ICalcBinding {
public:
    explicit SwitchableBinding(bool& broken) : m_broken(broken) {}
    Status Open(double airPressure, std::unique_ptr<ICalcSession>& session) override {
        if (m_broken) return static_cast<Status>(REGDB_E_CLASSNOTREG);
        return m_com.Open(airPressure, session);
    }

private:
    bool& m_broken;
    CComCalcBinding m_com;
};

class ChartWindowMessagesTest : public ChartWindowTest {
protected:
    ScriptedChart& OpenScripted(int width, int height) {
        auto chart = std::make_unique<ScriptedChart>();
        ScriptedChart* raw = chart.get();
        Open(width, height, std::move(chart));
        return *raw;
    }
};

TEST_F(ChartWindowMessagesTest, GridIsRebuiltOnlyWhenRenderPending) {
    CIDWnd& chart = Open(320, 240);
    host->Show();
    EXPECT_EQ(chart.imageRebuilds, 1);
    EXPECT_EQ(chart.renderPending(), 0);
    const long draws = chart.dataDraws;
    EXPECT_GE(draws, 1);

    // Data and the two flags that do not touch the grid: repaint only.
    chart.points.push_back({40.0, 8.0, L"A"});
    chart.HasProcessLineName = 1;
    chart.HasBorder = 1;
    chart.RequestRepaint();
    host->Update();
    InvalidateRect(chart.Hwnd(), nullptr, FALSE);
    host->Update();
    EXPECT_EQ(chart.imageRebuilds, 1);
    EXPECT_GE(chart.dataDraws, draws + 2) << "the data layer is drawn on every paint";

    chart.HasTLine = 0;
    chart.RequestRender();
    host->Update();
    EXPECT_EQ(chart.imageRebuilds, 2);

    // Painting suppressed: the paint leaves everything as it was.
    chart.paintSuppressed = 1;
    const long before = chart.dataDraws;
    chart.RequestRender();
    host->Update();
    EXPECT_EQ(chart.imageRebuilds, 2);
    EXPECT_EQ(chart.dataDraws, before);
    EXPECT_FALSE(GetUpdateRect(chart.Hwnd(), nullptr, FALSE)) << "the window is validated";
    chart.paintSuppressed = 0;
    chart.RequestRepaint();
    host->Update();
    EXPECT_EQ(chart.imageRebuilds, 3);
}

TEST_F(ChartWindowMessagesTest, EraseIsSuppressed) {
    CIDWnd& chart = Open(200, 150);
    EXPECT_EQ(SendMessageW(chart.Hwnd(), WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(ChartWindowMessagesTest, ResizeResetsTheViewAtTheNextRender) {
    CIDWnd& chart = Open(400, 300);
    Paint();
    chart.View().Zoom(4.0, {200.0, 150.0});
    chart.RequestRender();
    Paint();
    ASSERT_DOUBLE_EQ(chart.View().pos.s, 4.0);

    SetWindowPos(chart.Hwnd(), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(chart.View().clientWidth, 300);
    EXPECT_EQ(chart.View().clientHeight, 200);
    EXPECT_EQ(chart.viewResetPending(), 1);
    EXPECT_EQ(chart.renderPending(), 1);
    Paint();
    EXPECT_DOUBLE_EQ(chart.View().pos.s, 1.0);
    EXPECT_DOUBLE_EQ(chart.View().pos.W, 210.0);
    EXPECT_DOUBLE_EQ(chart.View().pos.H, 120.0);
    BITMAP image{};
    ASSERT_TRUE(GetObjectW(chart.ChartImage(), sizeof image, &image));
    EXPECT_EQ(image.bmWidth, 300);
    EXPECT_EQ(image.bmHeight, 200);
}

// A pan step draws over the layers the window keeps from earlier rebuilds
// (backdrop, tint, the last image's bitmap); a window that has never
// rendered builds everything afresh. At the same view both give every pixel
// alike, on a tinted and on a white background.
TEST_F(ChartWindowMessagesTest, PanStepGivesThePixelsOfAFullRebuild) {
    const int width = 480, height = 360;
    CIDWnd& chart = Open(width, height);
    render::AddDemoData(chart);
    chart.captionVisible = 1;
    host->Show();
    chart.moveZoomMode = 1;
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(chart.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(240, 180));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    const CIDPos start = chart.View().pos;
    for (const bool tinted : {true, false}) {
        SCOPED_TRACE(tinted ? "tinted background" : "white background");
        chart.HasBackground = tinted;
        for (const int x : {247, 231, 236}) {
            SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 176));
            host->Update();
        }
        ASSERT_EQ(chart.renderPending(), 0);
        ASSERT_NE(chart.View().pos.x0, start.x0) << "the moves did not pan";
        Paint();

        render::ChartHost fresh(width, height);
        ASSERT_TRUE(fresh.Ok());
        CIDWnd& rebuilt = fresh.Chart();
        render::AddDemoData(rebuilt);
        rebuilt.HasBackground = tinted;
        rebuilt.View().pos = chart.View().pos;
        rebuilt.viewResetPending() = 0;
        DibSurface full(width, height);
        full.Fill(0x654321);
        fresh.PaintAll(full);
        ASSERT_EQ(rebuilt.imageRebuilds, 1);
        int differing = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (surface->Pixel(x, y) != full.Pixel(x, y) && differing++ == 0) firstX = x, firstY = y;
        EXPECT_EQ(differing, 0) << "first at (" << firstX << ", " << firstY << ")";
    }
    SendMessageW(chart.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(236, 176));
    EXPECT_GE(chart.imageRebuilds, 7);
}

TEST_F(ChartWindowMessagesTest, ClearNoNamePointsKeepsTheNamedInOrder) {
    CIDWnd& chart = Open(200, 150);
    chart.points = {{1, 1, L""}, {2, 2, L"B"}, {3, 3, L""}, {4, 4, L"A"}, {5, 5, L" "}};
    chart.renderPending() = 0;
    chart.ClearNoNamePoints();
    ASSERT_EQ(chart.points.size(), 3u);
    EXPECT_EQ(chart.points[0].name, L"B");
    EXPECT_EQ(chart.points[1].name, L"A");
    EXPECT_EQ(chart.points[2].name, L" ");
    EXPECT_EQ(chart.renderPending(), 0) << "list changes need no rebuild";
}

TEST_F(ChartWindowMessagesTest, ClearAllAsksFirst) {
    ScriptedChart& chart = OpenScripted(200, 150);
    chart.points = {{1, 1, L"A"}};
    chart.processes = {{L"A", L"B", L"p", 1.0}};
    chart.mixes = {{L"A", L"B", L"M", L"", 1.0, 2.0}};
    chart.cssrRegion = {26, 20, 12, 6};
    chart.renderPending() = 0;

    chart.answer = IDNO;
    EXPECT_FALSE(chart.ClearAll());
    EXPECT_EQ(chart.points.size(), 1u);
    EXPECT_EQ(chart.processes.size(), 1u);
    EXPECT_EQ(chart.mixes.size(), 1u);
    EXPECT_EQ(chart.cssrRegion.maxT, 26.0);
    EXPECT_EQ(chart.renderPending(), 0);
    ASSERT_EQ(chart.texts.size(), 1u);
    EXPECT_EQ(chart.texts[0], L"Ready to clear all data. \n\nAre you sure?");
    EXPECT_EQ(chart.captions[0], L"Delete Confirm");
    EXPECT_EQ(chart.types[0], static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));

    chart.answer = IDYES;
    EXPECT_TRUE(chart.ClearAll());
    EXPECT_TRUE(chart.points.empty());
    EXPECT_TRUE(chart.processes.empty());
    EXPECT_TRUE(chart.mixes.empty());
    EXPECT_EQ(chart.cssrRegion.maxT, 0.0);
    EXPECT_EQ(chart.renderPending(), 1);
}

TEST_F(ChartWindowMessagesTest, ResetChartRestoresDefaultsAndClearsOnRequest) {
    CIDWnd& chart = Open(400, 300);
    Paint();
    chart.points = {{40, 8, L"A"}, {30, 5, L""}};
    chart.processes = {{L"A", L"B", L"", 0.0}};
    chart.cssrRegion = {26, 20, 12, 6};
    chart.airPressure = 90000.0;
    chart.View().SetRange(0, 40, 5, 25);
    chart.HasTLine = 0;
    chart.HasBorder = 1;
    chart.captionVisible = 0;
    chart.moveZoomMode = 1;
    chart.dragMoving = 1;
    chart.dataIndex = 3;
    chart.View().Zoom(3.0, {100.0, 100.0});
    chart.renderPending() = 0;

    chart.ResetChart(false);
    EXPECT_EQ(chart.points.size(), 2u);
    EXPECT_EQ(chart.processes.size(), 1u);
    EXPECT_EQ(chart.cssrRegion.maxT, 26.0);
    EXPECT_EQ(chart.airPressure, 101325.0);
    const ChartRange range = chart.View().GetRange();
    EXPECT_NEAR(range.minT, -30.0, 1e-12);
    EXPECT_NEAR(range.maxT, 65.0, 1e-12);
    EXPECT_EQ(range.minD, 0.0);
    EXPECT_EQ(range.maxD, 42.0);
    EXPECT_EQ(chart.HasTLine, 1);
    EXPECT_EQ(chart.HasBorder, 0);
    EXPECT_EQ(chart.captionVisible, 1);
    EXPECT_EQ(chart.moveZoomMode, 0);
    EXPECT_EQ(chart.dragMoving, 0);
    EXPECT_EQ(chart.dataIndex, 3u) << "the storage slot stays";
    EXPECT_EQ(chart.viewResetPending(), 1);
    EXPECT_EQ(chart.renderPending(), 1);
    Paint();
    EXPECT_DOUBLE_EQ(chart.View().pos.s, 1.0) << "zoom dropped at the next render";

    chart.ResetChart(true);
    EXPECT_TRUE(chart.points.empty());
    EXPECT_TRUE(chart.processes.empty());
    EXPECT_EQ(chart.cssrRegion.maxT, 0.0);
}

TEST_F(ChartWindowMessagesTest, ImageThatCannotBeMadeIsTriedAgainAtTheNextPaint) {
    CIDWnd& chart = Open(320, 240);
    Paint();
    ASSERT_EQ(chart.imageRebuilds, 1);
    const HBITMAP image = chart.ChartImage();
    // No bitmap of this size can be had.
    chart.View().SetClientSize(1 << 17, 1 << 17);
    Paint();
    EXPECT_NE(chart.lastRenderStatus, kStatusOk);
    EXPECT_EQ(chart.imageRebuilds, 1);
    EXPECT_EQ(chart.ChartImage(), image) << "the previous image stays";
    EXPECT_EQ(chart.renderPending(), 1);

    chart.View().SetClientSize(320, 240);
    Paint();
    EXPECT_EQ(chart.lastRenderStatus, kStatusOk);
    EXPECT_EQ(chart.imageRebuilds, 2);
    EXPECT_EQ(chart.renderPending(), 0);
}

TEST_F(ChartWindowMessagesTest, FailingCalculatorKeepsTheImageAndRetries) {
    bool broken = false;
    CIDWnd& chart = Open(320, 240, std::make_unique<CIDWnd>(std::make_unique<SwitchableBinding>(broken)));
    Paint();
    ASSERT_EQ(chart.imageRebuilds, 1);
    const std::uint32_t corner = surface->Pixel(3, 3);

    broken = true;
    chart.HasBackground = 0;
    chart.cssrRegion = {26, 20, 12, 6};  // the data layer needs the calculator too
    chart.RequestRender();
    Paint();
    EXPECT_EQ(chart.lastRenderStatus, static_cast<Status>(REGDB_E_CLASSNOTREG));
    EXPECT_EQ(chart.lastDataStatus, static_cast<Status>(REGDB_E_CLASSNOTREG));
    EXPECT_EQ(chart.imageRebuilds, 1);
    EXPECT_EQ(chart.renderPending(), 1) << "tried again at the next paint";
    EXPECT_EQ(surface->Pixel(3, 3), corner) << "the previous image stays";

    broken = false;
    Paint();
    EXPECT_EQ(chart.lastRenderStatus, kStatusOk);
    EXPECT_EQ(chart.imageRebuilds, 2);
    EXPECT_EQ(surface->Pixel(3, 3), Rgb(colours::kBackgroundWhite));
}

}  // namespace
}  // namespace humichart::test
