// Fresh air mixed with return air. The mix point is an ordinary state point
// whose coordinates CHumichartDataObj::RecomputeMixPoints keeps on the line.
#pragma once

#include <string>

namespace humichart {

struct MixProcess {
    std::wstring ptFresh;
    std::wstring ptReturn;
    std::wstring ptMix;
    std::wstring name;
    double dFreshAirFlow = 0.0;  // m3/h
    double dAirFlow = 0.0;       // m3/h, total
};

}  // namespace humichart
