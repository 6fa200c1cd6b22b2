// Where calculator sessions come from. Every computation opens its own session
// and drops it when done: the calculator's pressure is process-wide and reset
// by every new calculator object, so nothing may be kept between computations.
#pragma once

#include <memory>

#include "CalcStatus.h"
#include "ICalcSession.h"

namespace humichart {

class ICalcBinding {
public:
    virtual ~ICalcBinding() = default;

    // Creates a calculator and sets it to airPressure (Pa). On failure answers
    // the creation's status and leaves session empty.
    virtual Status Open(double airPressure, std::unique_ptr<ICalcSession>& session) = 0;
};

}  // namespace humichart
