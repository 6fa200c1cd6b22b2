// Cuts the segment (x1, y1)-(x2, y2) to a rectangle, edges included. Answers
// whether anything is left; the ends are moved onto the rectangle when
// something is.
#pragma once

#include "RectD.h"

namespace humichart {

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const RectD& rect);

}  // namespace humichart
