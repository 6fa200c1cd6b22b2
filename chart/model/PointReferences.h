// Processes and mixes name their points. A chart keeps those names pointing
// at points it holds: a point renamed takes its references along, and a
// record left naming a point that went goes too.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "CHumichartDataObj.h"
#include "ICalcBinding.h"

namespace humichart {

struct RecordCount {
    std::size_t processes = 0;
    std::size_t mixes = 0;
    bool Any() const { return processes || mixes; }
};

// Renames, all at once, every point name a process or mix holds that is a
// key of names to its value (so A -> B and B -> A swap).
void RenamePointReferences(CHumichartDataObj& data, const std::map<std::wstring, std::wstring>& names);
// Removes every process and mix that names a point data does not hold;
// answers how many went.
RecordCount DropDanglingRecords(CHumichartDataObj& data);
// How many processes and mixes name the point.
RecordCount RecordsNaming(const CHumichartDataObj& data, const std::wstring& point);
// A mix point may lie in the fog (mixing two states can give fog); when its
// mix goes it is an ordinary point again, and one above saturation is put
// onto the saturation curve along its enthalpy line, as the Points dialog
// corrects a point. Answers how many points moved; a calculator that cannot
// be had moves none.
std::size_t SettleLoosePoints(CHumichartDataObj& data, ICalcBinding& calc);

}  // namespace humichart
