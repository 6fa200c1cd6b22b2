// What the chart window tests share: an apartment per test, a chart window in
// a hidden host bound to the registered calculator, an off-screen surface the
// size of its client area, and colour comparisons.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "CIDWnd.h"
#include "ChartHost.h"
#include "DibSurface.h"

namespace humichart::test {

// 0x00RRGGBB of an opaque ARGB colour.
constexpr std::uint32_t Rgb(std::uint32_t argb) { return argb & 0x00FFFFFFu; }

// src with alpha over an opaque dst, per channel.
inline std::uint32_t Blend(std::uint32_t argb, std::uint32_t dstRgb) {
    const double a = ((argb >> 24) & 0xFF) / 255.0;
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double s = (argb >> shift) & 0xFF;
        const double d = (dstRgb >> shift) & 0xFF;
        result |= static_cast<std::uint32_t>(s * a + d * (1.0 - a) + 0.5) << shift;
    }
    return result;
}

inline bool Near(std::uint32_t a, std::uint32_t b, int tolerance = 3) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        if (std::abs(ca - cb) > tolerance) return false;
    }
    return true;
}

class ChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    void TearDown() override {
        host.reset();
        CoUninitialize();
    }

    // A chart window of width x height; chart may be a derived test class.
    CIDWnd& Open(int width, int height, std::unique_ptr<CIDWnd> chart = nullptr) {
        host = std::make_unique<render::ChartHost>(width, height, std::move(chart));
        EXPECT_TRUE(host->Ok()) << "chart window not created: " << GetLastError();
        surface = std::make_unique<DibSurface>(width, height);
        host->Chart().captionVisible = 0;
        return host->Chart();
    }

    // The whole window through the paint pipeline into the surface.
    void Paint() {
        surface->Fill(0x123456);
        host->PaintAll(*surface);
    }

    std::uint32_t PixelAt(double x, double y) const {
        return surface->Pixel(static_cast<int>(x + 0.5), static_cast<int>(y + 0.5));
    }

    // Whether colour appears within radius pixels of (x, y).
    bool ColourNear(double x, double y, std::uint32_t rgb, int radius = 1) const {
        const int cx = static_cast<int>(x + 0.5), cy = static_cast<int>(y + 0.5);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (surface->Pixel(cx + dx, cy + dy) == rgb) return true;
        return false;
    }

    std::unique_ptr<render::ChartHost> host;
    std::unique_ptr<DibSurface> surface;
};

}  // namespace humichart::test
