#include "PrintLayout.h"

#include <cmath>

namespace humichart {

PrintLayout FitToPage(int clientWidth, int clientHeight, double plotWidth, double plotHeight, int pageWidth,
                      int pageHeight) {
    PrintLayout layout{pageWidth, pageHeight, 1.0};
    if (!(plotWidth > 0.0) || !(plotHeight > 0.0) || clientWidth <= 0 || clientHeight <= 0 || pageHeight <= 0)
        return layout;
    if (static_cast<double>(clientWidth) / clientHeight > static_cast<double>(pageWidth) / pageHeight) {
        const int m = static_cast<int>(std::floor((pageWidth - 90) * plotHeight / plotWidth));
        layout.pageHeight = 80 + m;
        layout.r = m / plotHeight;
    } else {
        const int m = static_cast<int>(std::floor((pageHeight - 80) * plotWidth / plotHeight));
        layout.pageWidth = 90 + m;
        layout.r = m / plotWidth;
    }
    return layout;
}

}  // namespace humichart
