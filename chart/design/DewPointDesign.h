// "Dew-point supply": a coil that brings the air it takes in (room air N, or
// room air mixed with outdoor air W by a fresh share) to a leaving state L
// of the relative humidity phi_L, so that L, reheated if need be, holds the
// room at N against its loads Q and W.
//
// Without reheat L is where the loads' line through N (see LoadLine) meets
// phi_L, and the supply O is L. When T_N - T_L would exceed the largest
// supply temperature difference dt_max, the supply O is the point of the
// loads' line at T_N - dt_max and L the point of phi_L at O's humidity ratio,
// reheated at constant humidity ratio to O: then O, on the loads' line, takes
// up the room's heat and its moisture with one flow.
#pragma once

#include <string>

#include "AirState.h"
#include "CHumichartDataObj.h"
#include "DesignChange.h"
#include "DesignRefusal.h"
#include "ICalcSession.h"

namespace humichart {

// The names a dew-point design gives what it adds, after the prefix: the
// points by the letters of the construction, the processes and the mix by
// words of the interface's language (the dialog and the automation methods
// take them from the resources).
inline constexpr wchar_t kCoilLeavingName[] = L"L";
inline constexpr wchar_t kSupplyName[] = L"O";
inline constexpr wchar_t kCoilEnteringName[] = L"C";
struct DewPointNames {
    std::wstring coil = L"Coil";
    std::wstring reheat = L"Reheat";
    std::wstring supply = L"Supply";
    std::wstring mix = L"Mix";
};

struct DewPointInput {
    std::wstring room;               // N
    double loadKW = 0.0;             // Q, kW
    double moistureKgH = 0.0;        // W, kg/h
    double rhPercent = 90.0;         // phi_L, 80 to 100 %
    std::wstring outdoor;            // empty: the coil takes room air
    double freshSharePercent = 0.0;  // of the supply flow, 0 to 100 %
    double maxDeltaT = 0.0;          // K; 0: no reheat
    std::wstring prefix;             // the added names start with it
    DewPointNames names;
};

struct DewPointResult {
    double ratio = 0.0;           // heat-moisture ratio of the loads, kJ/kg
    bool mixed = false;           // the coil takes mixed air
    bool reheated = false;        // O is L reheated
    AirState room;                // N
    AirState entering;            // C (N when not mixed)
    AirState leaving;             // L
    AirState supply;              // O
    double massFlow = 0.0;        // G, kg/s
    double volumeFlow = 0.0;      // V, m3/h at O
    double freshFlow = 0.0;       // m3/h of outdoor air
    double coilLoadKW = 0.0;      // G (I_C - I_L)
    double condensateKgH = 0.0;   // 3.6 G (D_C - D_L)
    double dewPointT = 0.0;       // apparatus dew point, degC
    double bypassFactor = 0.0;    // (T_L - T_ADP) / (T_C - T_ADP)
    double reheatKW = 0.0;        // G (I_O - I_L)
    DesignChange change;
};

DesignRefusal DesignDewPointSupply(ICalcSession& calc, const CHumichartDataObj& chart, const DewPointInput& input,
                                   DewPointResult& result);

}  // namespace humichart
