// The chart window's own switches that input changes, apart from the data
// set's display flags. The chart window derives from this.
#pragma once

#include <cstdint>

namespace humichart {

struct ChartInteractionFlags {
    std::int32_t captionVisible = 1;
    // "Move and zoom" mode: drags zoom by a band or pan.
    std::int32_t moveZoomMode = 0;
    // The current left-button drag pans or zooms instead of drawing a band.
    std::int32_t dragMoving = 0;
    // A click may add a point; cleared while the name editor is open.
    std::int32_t pointAddArmed = 1;
};

}  // namespace humichart
