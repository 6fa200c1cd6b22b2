// The keys the chart acts on while it has the focus, as data: which flag each
// letter toggles and whether the grid must be rebuilt for it.
#pragma once

#include <cstdint>
#include <span>

#include "CHumichartDataObj.h"

namespace humichart {

inline constexpr unsigned kKeyEscape = 0x1B;
inline constexpr unsigned kKeyReturn = 0x0D;

struct ChartKey {
    enum Kind { ToggleDataFlag, ClearNoName, ToggleMoveZoom, ToggleNames, Reset };
    char letter;  // upper case; the virtual-key code of a letter is the same
    Kind kind;
    std::int32_t CHumichartDataObj::*flag;  // ToggleDataFlag only
    bool rerender;
};

std::span<const ChartKey> ChartKeys();
// The table entry for a key-down's virtual-key code, or null. A letter has
// one code whichever case it types, so the letters work in either case; the
// lower-case codes are other keys (numeric pad, function keys) and do nothing.
const ChartKey* FindChartKey(unsigned virtualKey);
// Whether the chart keeps a key-down (virtual-key code) or a character from
// its container's dialog navigation: the table's keys, and Enter, which must
// not end the container's dialog while the chart has the focus.
bool ChartWantsKey(unsigned code, bool character);

}  // namespace humichart
