// Opens calculator sessions on CalID objects from the registered Humicalc
// component: create with class context 23 asking for IUnknown, OleRun, query
// ICalID, drop the IUnknown, SetInit. The calling thread must have entered an
// apartment.
#pragma once

#include "ICalcBinding.h"

namespace humichart {

class CComCalcBinding final : public ICalcBinding {
public:
    // Answers the HRESULT of the step that failed.
    Status Open(double airPressure, std::unique_ptr<ICalcSession>& session) override;
};

}  // namespace humichart
