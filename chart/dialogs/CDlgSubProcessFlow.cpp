#include "CDlgSubProcessFlow.h"

#include "LoadDialogString.h"
#include "ProcessDialogsResource.h"

namespace humichart {

CDlgSubProcessFlow::CDlgSubProcessFlow(const AirFlowQuery& query)
    : CRulesDialog(IDD_SUB_PROCESS_FLOW),
      m_rules(View(), query, LoadDialogString(IDS_LOAD_HEAT), LoadDialogString(IDS_LOAD_MOIST)) {}

}  // namespace humichart
