#include "CChartDialogs.h"

#include "CDlgDataIO.h"
#include "CDlgDewPoint.h"
#include "CDlgFreshAir.h"
#include "CDlgNewMixer.h"
#include "CDlgNewPoint.h"
#include "CDlgNewProcess.h"
#include "CDlgSupplyAir.h"
#include "CIDProp.h"
#include "CIDWnd.h"

namespace humichart {

bool CChartDialogs::Open(CIDWnd& chart, unsigned command) {
    switch (command) {
    case 32771: {  // "Data IO..."
        CDlgDataIO dialog(chart);
        dialog.DoModal(chart.Hwnd());
        return true;
    }
    case 203: {
        CDlgNewPoint dialog(chart);
        dialog.Run(chart.Hwnd());
        return true;
    }
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
    case 207: {
        CIDProp dialog(chart);
        dialog.Run(chart.Hwnd());
        return true;
    }
    case 32781: {  // "Tools", "Supply air state..."
        CDlgSupplyAir dialog(chart);
        dialog.Run(chart.Hwnd());
        return true;
    }
    case 32782: {  // "Tools", "Fresh air..."
        CDlgFreshAir dialog(chart);
        dialog.Run(chart.Hwnd());
        return true;
    }
    case 32786: {  // "Tools", "Dew-point supply..."
        CDlgDewPoint dialog(chart);
        dialog.Run(chart.Hwnd());
        return true;
    }
    default:
        return false;
    }
}

}  // namespace humichart
