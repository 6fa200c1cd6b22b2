// The eight fields of the "Point status" window for one state, as the window
// shows them: control id and text, in the order they are written.
#pragma once

#include <array>
#include <string>

#include "ICalcSession.h"

namespace humichart {

struct PointStatusField {
    int id;
    std::wstring text;
};

using PointStatusFields = std::array<PointStatusField, 8>;

// The controls' ids in the window's top-to-bottom order.
inline constexpr int kPointStatusIds[8] = {208, 209, 210, 211, 212, 213, 214, 215};

// Fills fields for (I, D) at the session's pressure (already set to pressure).
// Answers false, leaving fields alone, when the state lies above saturation.
bool ComputePointStatus(ICalcSession& calc, double I, double D, double pressure, PointStatusFields& fields);

}  // namespace humichart
