// "Fresh air": how much outdoor air W a room N with supply flow V takes in, by
// the largest of three rules (people times the rate per person, a smallest
// share of V, the exhaust and pressurisation flow), at most V; the mix point C
// of outdoor and room air as the chart places a mix (by the share of the
// flows); the load of bringing the fresh air to the room state.
#pragma once

#include <string>

#include "AirState.h"
#include "CHumichartDataObj.h"
#include "DesignChange.h"
#include "DesignRefusal.h"
#include "ICalcSession.h"

namespace humichart {

struct FreshAirInput {
    std::wstring outdoor;          // W
    std::wstring room;             // N, the return air
    double supplyFlow = 0.0;       // V, m3/h
    double people = 0.0;
    double perPerson = 0.0;        // m3/h per person
    double minSharePercent = 0.0;  // smallest fresh share of V, %
    double exhaustFlow = 0.0;      // exhaust and pressurisation, m3/h
    std::wstring mixPoint;         // C, to add
    std::wstring mixName;          // the mix of W and N into C (may be empty)
};

struct FreshAirResult {
    double freshFlow = 0.0;    // V_W, m3/h of outdoor air
    double share = 0.0;        // V_W / V, a fraction
    AirState outdoor;          // W
    AirState room;             // N
    AirState mix;              // C
    double freshLoadKW = 0.0;  // rho_W V_W (I_W - I_N) / 3600
    DesignChange change;       // C, and the mix carrying V and V_W
};

// The flow of the chart's first process that ends at room (a room's supply),
// the dialog's default for V; 0 when none ends there.
double SupplyFlowInto(const CHumichartDataObj& chart, const std::wstring& room);

DesignRefusal DesignFreshAir(ICalcSession& calc, const CHumichartDataObj& chart, const FreshAirInput& input,
                             FreshAirResult& result);

}  // namespace humichart
