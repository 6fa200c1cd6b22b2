#include "ChartKeyTable.h"

namespace humichart {

namespace {

using D = CHumichartDataObj;

constexpr ChartKey kKeys[] = {
    {'\x1B', ChartKey::Reset, nullptr, true},
    {'B', ChartKey::ToggleDataFlag, &D::HasBackground, true},
    {'C', ChartKey::ClearNoName, nullptr, false},
    {'D', ChartKey::ToggleDataFlag, &D::HasDLine, true},
    {'F', ChartKey::ToggleDataFlag, &D::HasForeground, true},
    {'I', ChartKey::ToggleDataFlag, &D::HasILine, true},
    {'K', ChartKey::ToggleDataFlag, &D::HasBorder, false},
    // With Shift, Ctrl and Alt: the caption instead, re-rendered.
    {'L', ChartKey::ToggleNames, &D::HasProcessLineName, false},
    {'R', ChartKey::ToggleDataFlag, &D::HasFLine, true},
    {'T', ChartKey::ToggleDataFlag, &D::HasTLine, true},
    {'Z', ChartKey::ToggleMoveZoom, nullptr, false},
};

unsigned Upper(unsigned key) { return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key; }

}  // namespace

std::span<const ChartKey> ChartKeys() { return kKeys; }

const ChartKey* FindChartKey(unsigned virtualKey) {
    const unsigned key = virtualKey;
    for (const ChartKey& entry : kKeys)
        if (static_cast<unsigned char>(entry.letter) == key) return &entry;
    return nullptr;
}

bool ChartWantsKey(unsigned code, bool character) {
    const unsigned key = character ? Upper(code) : code;
    return key == kKeyReturn || FindChartKey(key) != nullptr;
}

}  // namespace humichart
