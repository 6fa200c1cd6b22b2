// The two questions the "Transfer processes" dialog asks in dialogs of their
// own: the name and one known parameter of a point to create by heat-moisture
// ratio ("Get point by HOM"), and a known heat or moisture load to size the
// air flow from ("Get air flow"). The Win32 side runs the modal dialogs; tests
// answer directly or run the dialogs' rules over a stand-in view.
#pragma once

#include <string>

namespace humichart {

struct HomPointQuery {
    std::wstring newPointName;
    int knownKind = 0;  // KnownKind: the item chosen in the list
    double knownValue = 0.0;
};

// loadSet bits: which loads mean something for the process.
inline constexpr unsigned kHeatLoadSet = 1;
inline constexpr unsigned kMoistureLoadSet = 2;

struct AirFlowQuery {
    int loadKind = 0;  // the item chosen in the list
    unsigned loadSet = 0;
    double heatLoad = 0.0;      // kJ/h
    double moistureLoad = 0.0;  // kg/h

    // The load the user gave: the heat load when the first item is chosen and
    // there is a heat load to choose, otherwise the moisture load.
    bool HeatGiven() const { return loadKind == 0 && (loadSet & kHeatLoadSet) != 0; }
};

class IProcessSubDialogs {
public:
    virtual ~IProcessSubDialogs() = default;

    // Both answer true when the user closed the dialog with OK; query then
    // holds the answer.
    virtual bool GetPointByHom(HomPointQuery& query) = 0;
    virtual bool GetAirFlow(AirFlowQuery& query) = 0;
};

}  // namespace humichart
