// One calculator session per computation of a dialog, at the chart's
// pressure. A calculator that cannot be created, or a call that fails on the
// way (CCalcError), is told to the user ("Error Report") and the computation
// is dropped: the dialog computes into locals and commits only when this
// answers true, so a failure changes nothing.
#pragma once

#include <string>

#include "CCalcError.h"
#include "ICalcSession.h"
#include "IChartDocument.h"
#include "IDialogView.h"

namespace humichart {

// A point whose humidity ratio lies this far (g/kg) or more above saturation
// at its enthalpy is beyond the curve; one closer counts as on it.
inline constexpr double kSaturationTolerance = 0.0011;

// The message shown for a calculator failure with status.
std::wstring CalculatorFailureText(Status status);
void ReportCalculatorFailure(IDialogView& view, Status status);

// Runs compute(ICalcSession&) on a fresh session; answers false (after
// telling the user) when the session could not be opened or a call failed.
template <class Compute>
bool RunCalculation(IChartDocument& chart, IDialogView& view, Compute&& compute) {
    std::unique_ptr<ICalcSession> calc;
    const Status status = chart.Calc().Open(chart.View().Data().airPressure, calc);
    if (!Succeeded(status) || !calc) {
        ReportCalculatorFailure(view, Succeeded(status) ? kStatusFail : status);
        return false;
    }
    try {
        compute(*calc);
    } catch (const CCalcError& error) {
        calc.reset();
        ReportCalculatorFailure(view, error.GetStatus());
        return false;
    }
    return true;
}

}  // namespace humichart
