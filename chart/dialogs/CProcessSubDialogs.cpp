#include "CProcessSubDialogs.h"

#include "CDlgSubProcess.h"
#include "CDlgSubProcessFlow.h"

namespace humichart {

bool CProcessSubDialogs::GetPointByHom(HomPointQuery& query) {
    CDlgSubProcess dialog;
    if (dialog.Run(GetActiveWindow()) != IDOK) return false;
    query = dialog.SubProcessRules().Answer();
    return true;
}

bool CProcessSubDialogs::GetAirFlow(AirFlowQuery& query) {
    CDlgSubProcessFlow dialog(query);
    if (dialog.Run(GetActiveWindow()) != IDOK) return false;
    query = dialog.FlowRules().Answer();
    return true;
}

}  // namespace humichart
