#include "PrintLayout.h"

#include <cmath>

namespace humichart {

namespace {
constexpr int kMarginsAcross = 90;
constexpr int kMarginsDown = 80;
}  // namespace

PrintLayout FitToPage(int clientWidth, int clientHeight, double plotWidth, double plotHeight, int pageWidth,
                      int pageHeight) {
    PrintLayout layout{pageWidth, pageHeight, 1.0};
    const int roomWidth = pageWidth - kMarginsAcross;
    const int roomHeight = pageHeight - kMarginsDown;
    if (!(plotWidth > 0.0) || !(plotHeight > 0.0) || clientWidth <= 0 || clientHeight <= 0 || roomWidth <= 0 ||
        roomHeight <= 0)
        return layout;
    // The window's own proportions include the fixed margins, which do not
    // scale: judged by them, a window of nearly the page's shape could pick
    // the width and run the plot off the bottom of the paper.
    if (plotWidth * roomHeight > plotHeight * roomWidth) {
        const int m = static_cast<int>(std::floor(roomWidth * plotHeight / plotWidth));
        layout.pageHeight = kMarginsDown + m;
        layout.r = m / plotHeight;
    } else {
        const int m = static_cast<int>(std::floor(roomHeight * plotWidth / plotHeight));
        layout.pageWidth = kMarginsAcross + m;
        layout.r = m / plotWidth;
    }
    return layout;
}

}  // namespace humichart
