#include "CChartDialogs.h"

#include "CDlgDataIO.h"
#include "CIDWnd.h"

namespace humichart {

bool CChartDialogs::Open(CIDWnd& chart, unsigned command) {
    switch (command) {
    case 32771: {  // "Data IO..."
        CDlgDataIO dialog(chart);
        dialog.DoModal(chart.Hwnd());
        return true;
    }
    default:
        return false;
    }
}

}  // namespace humichart
