// A font request. The painter falls back to the generic family when the named
// family is missing, so that no label silently disappears.
#pragma once

#include <string>

namespace humichart {

struct FontStyle {
    enum class Unit { Pixel, Point };
    enum class Generic { Serif, SansSerif };

    std::wstring family;
    float size = 12.0f;
    Unit unit = Unit::Pixel;
    bool bold = false;
    Generic fallback = Generic::Serif;

    bool operator==(const FontStyle&) const = default;
};

}  // namespace humichart
