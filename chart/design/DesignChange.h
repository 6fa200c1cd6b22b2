// What a design tool adds to the chart on OK: its points, processes and
// mixes, added as one change or not at all.
#pragma once

#include <vector>

#include "CHumichartDataObj.h"
#include "DesignRefusal.h"
#include "ICalcBinding.h"

namespace humichart {

struct DesignChange {
    std::vector<StatePoint> points;
    std::vector<TransferProcess> processes;
    std::vector<MixProcess> mixes;
};

// Adds change to data's lists as one change onto a copy that is written back
// only when whole. Refused, with data as it was: a point without a name, a
// name a point, a process or a mix of data (or an earlier item of change)
// already carries, a process or mix joining two points that a process or a
// mix of the same kind already joins; then anything else the chart-data
// check finds in the copy (its saturation tests ask calc).
DesignRefusal ApplyDesignChange(CHumichartDataObj& data, const DesignChange& change, ICalcBinding& calc);

}  // namespace humichart
