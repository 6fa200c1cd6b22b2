// The "Transfer processes" dialog's two questions as modal dialogs over the
// active window.
#pragma once

#include "IProcessSubDialogs.h"

namespace humichart {

class CProcessSubDialogs final : public IProcessSubDialogs {
public:
    bool GetPointByHom(HomPointQuery& query) override;
    bool GetAirFlow(AirFlowQuery& query) override;
};

}  // namespace humichart
