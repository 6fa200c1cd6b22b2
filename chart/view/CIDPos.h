// Placement of the chart area in the window: its top-left corner (x0, y0)
// shows D = Dmin and Y = Ymax, and it measures s*W by s*H pixels. Copied by
// value wherever a view has to be saved and restored.
#pragma once

namespace humichart {

class CIDPos {
public:
    CIDPos() = default;
    CIDPos(const CIDPos&) = default;
    CIDPos& operator=(const CIDPos&) = default;
    virtual ~CIDPos() = default;

    // Scales the view by k about the anchor (ax, ay), keeping s within
    // [0.1, 100]. A factor near zero is ignored; answers whether the view
    // changed.
    bool Zoom(double k);

    double x0 = 0.0;
    double y0 = 0.0;
    double ax = 0.0;
    double ay = 0.0;
    double s = 1.0;
    double W = 100.0;
    double H = 100.0;
};

}  // namespace humichart
