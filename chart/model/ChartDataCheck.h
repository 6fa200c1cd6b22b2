// The one check of a chart's data. Every way data enters a chart (import, a
// slot read, the persisted stream, the automation methods, a dialog's Apply,
// a design tool) runs what it would store through it and stores all of it or
// nothing. The rules are those the dialogs and the automation methods apply
// to a single record, over the whole set:
//   - pressure and view range within the chart's domain (ChartDomain.h),
//     display flags 0 or 1;
//   - every number finite; every point on the chart and at or below
//     saturation (a mix point only on the chart: mixing two states can give
//     fog, and the chart computes it);
//   - point names unique and exact;
//   - every process and mix naming points the data holds, two different
//     ones, and no two processes (or mixes) on the same pair of points;
//   - every mix point written by one mix only, and never an input of its own
//     mix or of a mix that feeds it, so that placing the mix points twice
//     gives what placing them once gave;
//   - a CSSR region on the chart with its humidity bounds at or below
//     saturation at their temperatures (or none, all four values 0).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "CHumichartDataObj.h"
#include "CalcStatus.h"
#include "ICalcBinding.h"

namespace humichart {

enum class DataRule {
    Pressure,
    TemperatureRange,
    HumidityRange,
    Flag,
    Cssr,
    PointNotFinite,
    PointOutside,
    PointAboveSaturation,
    PointNameRepeated,
    ProcessNoPoint,
    ProcessSamePoint,
    ProcessRepeated,
    ProcessFlow,
    MixNoPoint,
    MixSamePoint,
    MixRepeated,
    MixFlow,
    MixPointShared,
    MixFeedsItself,
    RowsAfterEnd,  // an import's table goes on below the empty name that ends it
    Calculator,    // the calculator could not be used for the saturation tests
};

enum class DataList { None, Points, Processes, Mixes };

// The first thing wrong with a data set, and where.
struct DataFault {
    DataRule rule = DataRule::Pressure;
    DataList list = DataList::None;
    std::size_t index = 0;      // the record's place in its list
    std::wstring record;        // the record's own name
    std::wstring ends[3];       // a process's start and end, a mix's fresh, return and mix point
    std::wstring point;         // the point name the fault is about, where there is one
    double values[4] = {};      // the numbers the message shows
    Status status = kStatusOk;  // Calculator: the failing call's status
};

// Pressure, view range and flags; nothing when they are sound.
std::optional<DataFault> CheckChartScalars(const CHumichartDataObj& data);

// The whole data set, in the order pressure and range, flags, points,
// processes, mixes, CSSR region; the first fault found, or nothing. The
// saturation tests ask a calculator at the data's own pressure.
std::optional<DataFault> CheckChartData(const CHumichartDataObj& data, ICalcBinding& calc);

// One state (I kJ/kg, D g/kg) against the chart's domain: PointNotFinite,
// PointOutside, PointAboveSaturation, or nothing. saturation: the saturation
// humidity ratio at I (ID_D_I_F(I, 1)); ignored for a mix point.
std::optional<DataRule> CheckState(double I, double D, double saturation, bool mixPoint = false);
// Whether the state lies on the chart, saturation apart.
bool OnChart(double I, double D);
// The first mix whose point is one of its own inputs or an input of a mix
// that feeds it (a mix point written by two mixes counts once, the first).
std::optional<std::size_t> FirstMixFeedingItself(const std::vector<MixProcess>& mixes);

}  // namespace humichart
