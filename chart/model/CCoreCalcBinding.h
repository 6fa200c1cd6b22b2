// Opens sessions on the moist-air core linked into the program. Never fails.
#pragma once

#include "ICalcBinding.h"

namespace humichart {

class CCoreCalcBinding final : public ICalcBinding {
public:
    Status Open(double airPressure, std::unique_ptr<ICalcSession>& session) override;
};

}  // namespace humichart
