// Why a design tool refuses to compute or to add its result, with the names
// the message needs. The dialogs and the automation methods turn it into the
// same text (a string of the resources, in the interface's language).
#pragma once

#include <optional>
#include <string>

#include "ChartDataCheck.h"

namespace humichart {

enum class DesignProblem {
    None,
    NoRoom,                  // no room point given
    NoOutdoor,               // no outdoor point given where one is needed
    NoSuchPoint,             // subject: the name asked for
    NoName,                  // a point to add has no name
    NameUsed,                // subject: a name the chart already uses
    PairUsed,                // subject, other: two points the chart already joins
    NotANumber,              // a value is not a finite number
    TemperatureDifference,   // the supply temperature difference is not above 0
    NoDirection,             // the loads give the supply air no direction
    SupplySaturated,         // the supply state lies at or beyond saturation
    OutsideChart,            // subject: the result that lies outside the chart's domain
    SamePoints,              // the outdoor and the room point are one
    SupplyFlow,              // the supply flow is not above 0
    NegativeRule,            // a fresh-air rule is below 0
    ShareRange,              // a fresh-air share outside 0 to 100 %
    CoilHumidity,            // the coil's leaving humidity outside 80 to 100 %
    MaxTemperatureDifference,// the largest supply temperature difference is below 0
    NeverMeets,              // subject: the coil's leaving humidity (%) the loads' line never meets
    CoilWarms,               // the coil's leaving state is warmer than its entering state
    NoDewPoint,              // the coil's line never reaches saturation
    DataCheck,               // fault: what the chart-data check found in the chart with the change
};

struct DesignRefusal {
    DesignProblem problem = DesignProblem::None;
    std::wstring subject;
    std::wstring other;
    std::optional<DataFault> fault;

    bool Refused() const { return problem != DesignProblem::None; }
};

inline DesignRefusal Refuse(DesignProblem problem, std::wstring subject = {}, std::wstring other = {}) {
    return {problem, std::move(subject), std::move(other), std::nullopt};
}

}  // namespace humichart
