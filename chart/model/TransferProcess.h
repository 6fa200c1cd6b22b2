// A heat/moisture process line between two named points. It refers to its
// points by name only, so renaming or removing a point leaves it dangling.
#pragma once

#include <string>

namespace humichart {

struct TransferProcess {
    std::wstring ptStart;
    std::wstring ptEnd;
    std::wstring name;
    double dAirFlow = 0.0;  // m3/h
};

}  // namespace humichart
