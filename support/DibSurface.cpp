#include "DibSurface.h"

DibSurface::DibSurface(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!dc_) return;
    BITMAPINFO info{};
    info.bmiHeader = TopDownDibHeader(width, height, 32);
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) return;
    selection_ = std::make_unique<SelectedObject>(dc_.Get(), bitmap_.Get());
    if (!selection_->Ok()) return;
    bits_ = static_cast<std::uint32_t*>(bits);
}

std::uint32_t DibSurface::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return bits_[static_cast<std::size_t>(y) * width_ + x] & 0x00FFFFFFu;
}

void DibSurface::Fill(std::uint32_t rgb) {
    if (!bits_) return;
    GdiFlush();
    const std::size_t count = static_cast<std::size_t>(width_) * height_;
    for (std::size_t i = 0; i < count; ++i) bits_[i] = rgb;
}
