// How the process dialogs write loads and ratios: large heats and ratios in
// exponential form so that the field stays readable.
#pragma once

#include <cmath>
#include <string>

#include "TypedText.h"

namespace humichart {

// kJ/h: "%.5E" above 100000 in magnitude, "%.2f" up to it.
inline std::wstring HeatText(double heat) {
    return FormatNumber(std::fabs(heat) > 100000.0 ? "%.5E" : "%.2f", heat);
}

// kg/h.
inline std::wstring MoistureText(double moisture) { return FormatNumber("%.5f", moisture); }

// The heat-moisture ratio (kJ/kg) of a line from (I0, D0) to (I1, D1); a line
// of constant humidity ratio has an infinite one, or none when it is a dot.
inline std::wstring RatioText(double I0, double D0, double I1, double D1) {
    if (D1 != D0) {
        const double ratio = (I1 - I0) * 1000.0 / (D1 - D0);
        return FormatNumber(std::fabs(ratio) > 100000.0 ? "%.4E" : "%.2f", ratio);
    }
    if (I1 == I0) return L"(0)";
    return I0 < I1 ? L"+Infinite" : L"-Infinite";
}

}  // namespace humichart
