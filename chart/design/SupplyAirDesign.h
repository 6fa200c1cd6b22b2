// "Supply air state": the supply state O of a room at N that takes up the
// room's heat load Q and moisture load W at a supply temperature difference,
// and the air flow that does it. O lies on the loads' line through N (see
// LoadLine) at T_N - dt, or T_N + dt where that is the side the flow is
// positive on.
#pragma once

#include <string>

#include "AirState.h"
#include "CHumichartDataObj.h"
#include "DesignChange.h"
#include "DesignRefusal.h"
#include "ICalcSession.h"

namespace humichart {

struct SupplyAirInput {
    std::wstring room;           // the room point N
    double loadKW = 0.0;         // Q, kW, positive when heat is removed
    double moistureKgH = 0.0;    // W, kg/h
    double deltaT = 0.0;         // K, > 0
    std::wstring supplyName;     // the point O to add
    std::wstring processName;    // the process O -> N to add (may be empty)
};

struct SupplyAirResult {
    double ratio = 0.0;       // heat-moisture ratio 3600 Q / W, kJ/kg (infinite for W = 0)
    AirState room;            // N
    AirState supply;          // O
    double massFlow = 0.0;    // G, kg/s of dry air
    double volumeFlow = 0.0;  // V, m3/h at O
    DesignChange change;      // O, and O -> N carrying V
};

DesignRefusal DesignSupplyAir(ICalcSession& calc, const CHumichartDataObj& chart, const SupplyAirInput& input,
                              SupplyAirResult& result);

}  // namespace humichart
