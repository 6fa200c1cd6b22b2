#include "CChartDialogs.h"

#include "CDlgNewMixer.h"
#include "CDlgNewProcess.h"
#include "CIDWnd.h"

namespace humichart {

bool CChartDialogs::Open(CIDWnd& chart, unsigned command) {
    switch (command) {
    case 204: {
        CDlgNewProcess dialog(chart);
        dialog.Run(chart.Hwnd());
        return true;
    }
    case 205: {
        CDlgNewMixer dialog(chart);
        dialog.Run(chart.Hwnd());
        return true;
    }
    default:
        return false;
    }
}

}  // namespace humichart
