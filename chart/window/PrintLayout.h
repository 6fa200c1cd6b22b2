// Where the chart goes on a printed page: the page in hundredths of an inch,
// cut to the chart's proportions, and the zoom that makes the window's plot
// fill it. Plain data, so that the rule is tested without a printer.
#pragma once

namespace humichart {

struct PrintLayout {
    int pageWidth = 0;   // hundredths of an inch: the client size while printing
    int pageHeight = 0;
    double r = 1.0;      // zoom about the plot's top-left corner
};

// The window's plot (as last rendered) fitted into the printable area of
// pageWidth x pageHeight hundredths, keeping the margins of 90 across and 80
// down, where the titles and labels stand: the plot is scaled as large as
// both the width and the height left for it allow, and the page is cut to
// the chart so drawn. Whichever of the plot and the room for it is the wider
// decides, so the whole chart, labels included, stays on the printable area
// whatever the window's proportions. A window too small for a plot, or a
// page too small for the margins, keeps the page and the view.
PrintLayout FitToPage(int clientWidth, int clientHeight, double plotWidth, double plotHeight, int pageWidth,
                      int pageHeight);

// A printer of so few colours gets neither the background tint nor the
// chart-area fill; colours is the device's count, -1 when it has more than a
// palette holds.
inline bool PrintsWithoutTints(int colours) { return colours != -1 && colours <= 256; }

}  // namespace humichart
