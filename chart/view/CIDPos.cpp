#include "CIDPos.h"

#include <cmath>

namespace humichart {

bool CIDPos::Zoom(double k) {
    if (std::fabs(k) < 1e-6) return false;
    double scaled = s * k;
    if (scaled > 100.0) scaled = 100.0;
    if (scaled < 0.1) scaled = 0.1;
    x0 = ax + (x0 - ax) * scaled / s;
    y0 = ay + (y0 - ay) * scaled / s;
    s = scaled;
    return true;
}

}  // namespace humichart
