// What the name editor's text does to the chart when the editor closes.
#pragma once

#include <cstddef>
#include <string>

#include "CHumichartDataObj.h"

namespace humichart {

// The point a click placed for the name editor: where it stood in the list
// and its coordinates.
struct PlacedPoint {
    std::size_t index = 0;
    double I = 0.0;
    double D = 0.0;
};

// A non-empty text that no point carries yet names the placed point; a name
// in use is dropped. The host may add or remove points while the editor is
// open, so the placed point is the unnamed point with its exact coordinates,
// at its old place when it is still there, else the last such point; a point
// that has a name meanwhile, or is gone, is not named. Answers whether a
// name was given.
bool ApplyEditedName(CHumichartDataObj& data, const std::wstring& text, const PlacedPoint& placed);
// The same for the last point of the list.
bool ApplyEditedName(CHumichartDataObj& data, const std::wstring& text);

}  // namespace humichart
