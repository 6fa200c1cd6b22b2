#include "CCoreCalcBinding.h"

#include "CCoreCalcSession.h"

namespace humichart {

Status CCoreCalcBinding::Open(double airPressure, std::unique_ptr<ICalcSession>& session) {
    auto opened = std::make_unique<CCoreCalcSession>();
    // A COM calculator comes up at 101325 Pa; the core keeps whatever pressure
    // was last set, so set ours in every case.
    opened->SetInit(airPressure);
    session = std::move(opened);
    return kStatusOk;
}

}  // namespace humichart
