// A solid pen: ARGB colour and width in pixels.
#pragma once

#include <cstdint>

namespace humichart {

using ArgbColor = std::uint32_t;

struct PenStyle {
    ArgbColor color = 0xFF000000u;
    float width = 1.0f;
};

}  // namespace humichart
