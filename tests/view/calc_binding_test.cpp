// The calculator as the chart binds it through COM, and fonts that are not
// installed.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>

#include "CComCalcBinding.h"
#include "CFontCache.h"
#include "GdiplusSession.h"

namespace humichart::test {
namespace {

class ComBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(ComBindingTest, SessionsComputeAtTheirOwnPressure) {
    CComCalcBinding binding;
    std::unique_ptr<ICalcSession> sea, high;
    ASSERT_EQ(binding.Open(101325.0, sea), kStatusOk);
    ASSERT_TRUE(sea);
    const double dSea = sea->ID_D_T_F(20.0, 1.0);
    EXPECT_NEAR(dSea, 14.7, 0.1);
    EXPECT_NEAR(sea->ID_I_T_D(20.0, 0.0), 20.1, 1e-9);
    sea.reset();

    // Another calculator resets the shared pressure; SetInit follows creation.
    ASSERT_EQ(binding.Open(80000.0, high), kStatusOk);
    EXPECT_GT(high->ID_D_T_F(20.0, 1.0), dSea + 3.0);
    std::unique_ptr<ICalcSession> again;
    ASSERT_EQ(binding.Open(101325.0, again), kStatusOk);
    EXPECT_DOUBLE_EQ(again->ID_D_T_F(20.0, 1.0), dSea);
}

TEST(FontCacheTest, MissingFamiliesFallBackToTheirGenericKind) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    CFontCache fonts;
    const FontStyle serif{L"No Such Serif Face", 12.0f, FontStyle::Unit::Pixel, true,
                          FontStyle::Generic::Serif};
    const FontStyle sans{L"No Such Sans Face", 20.0f, FontStyle::Unit::Point, false,
                         FontStyle::Generic::SansSerif};
    const Gdiplus::Font* a = fonts.Get(serif);
    const Gdiplus::Font* b = fonts.Get(sans);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(fonts.Fallbacks(), 2);
    EXPECT_EQ(fonts.Get(serif), a) << "one font per request";
    EXPECT_EQ(a->GetStyle() & Gdiplus::FontStyleBold, Gdiplus::FontStyleBold);
    EXPECT_FLOAT_EQ(b->GetSize(), 20.0f);
    EXPECT_EQ(b->GetUnit(), Gdiplus::UnitPoint);

    const FontStyle named{L"Times New Roman", 12.0f, FontStyle::Unit::Pixel, false,
                          FontStyle::Generic::Serif};
    EXPECT_NE(fonts.Get(named), nullptr);
    EXPECT_EQ(fonts.Fallbacks(), 2) << "the prefix maps Times New Roman";
}

}  // namespace
}  // namespace humichart::test
