// Where a chart's data may lie: the widest chart the graph property dialog
// can show, at the pressures it accepts, and at or below saturation within
// the Points dialog's tolerance. Everything that stores data keeps to it, so
// that every computation and every paint works on states of air.
#pragma once

namespace humichart::domain {

inline constexpr double kMinPressure = 50000.0;    // Pa
inline constexpr double kMaxPressure = 1560000.0;  // Pa
inline constexpr double kMinT = -100.0;            // degC
inline constexpr double kMaxT = 200.0;             // degC
inline constexpr double kMinD = 0.0;               // g/kg
inline constexpr double kMaxD = 500.0;             // g/kg
// The view range spans at least this much, in degC and in g/kg.
inline constexpr double kMinSpan = 1.0;
// How far above the saturation humidity ratio a point may lie (g/kg): the
// Points dialog offers to correct a point farther above.
inline constexpr double kSaturationTolerance = 0.0011;
// Kilojoules per gram of vapour: the slant of the chart's ordinate I - 2.5 D.
inline constexpr double kSlant = 2.5;
// Specific heat of dry air: turns a temperature into the ordinate at D = 0.
inline constexpr double kRangeScale = 1.005;

}  // namespace humichart::domain
