// A pixel rectangle by its top-left corner and extent.
#pragma once

namespace humichart {

struct RectD {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    double Right() const { return x + width; }
    double Bottom() const { return y + height; }

    bool operator==(const RectD&) const = default;
};

}  // namespace humichart
