#include "CDesignRules.h"

#include <cmath>

#include "DesignDialogsResource.h"
#include "DialogCalc.h"
#include "DialogTexts.h"
#include "TypedText.h"

namespace humichart {

CDesignRules::CDesignRules(IChartDocument& chart, IDialogView& view, TextSource texts)
    : m_chart(chart), m_view(view), m_texts(std::move(texts)) {}

void CDesignRules::OnInit() {
    for (const StatePoint& point : m_chart.View().Data().points)
        if (!point.name.empty()) m_names.push_back(point.name);
    for (int list : PointLists()) {
        m_view.ClearList(list);
        for (const std::wstring& name : m_names) m_view.AddItem(list, name);
    }
    Fill();
    m_filled = true;
    Recompute();
}

void CDesignRules::OnEvent(int id, ControlEvent event) {
    if (event == ControlEvent::Clicked && id == IDOK) {
        Ok();
    } else if (event == ControlEvent::Clicked && id == IDCANCEL) {
        m_view.Close(IDCANCEL);
    } else if ((event == ControlEvent::TextChanged || event == ControlEvent::SelectionChanged) && m_filled &&
               IsInput(id)) {
        OnInputChanged(id);
        Recompute();
    }
}

std::wstring CDesignRules::ChosenPoint(int list, int firstItems) {
    const int k = m_view.Selection(list) - firstItems;
    return k >= 0 && k < static_cast<int>(m_names.size()) ? m_names[k] : std::wstring();
}

double CDesignRules::Number(int id) { return LeadingNumber(m_view.Text(id)); }

void CDesignRules::Show(int id, const char* format, double value) { m_view.SetText(id, FormatNumber(format, value)); }

void CDesignRules::Clear(std::initializer_list<int> ids) {
    for (int id : ids) m_view.SetText(id, L"");
}

// Every keystroke recomputes: a calculator that cannot be had is said on the
// status line rather than in a box per keystroke.
void CDesignRules::Recompute() {
    std::unique_ptr<ICalcSession> calc;
    const Status status = m_chart.Calc().Open(m_chart.View().Data().airPressure, calc);
    DesignRefusal refusal;
    std::wstring failure;
    if (!Succeeded(status) || !calc) {
        failure = CalculatorFailureText(Succeeded(status) ? kStatusFail : status);
    } else {
        try {
            DesignChange change;
            refusal = Compute(*calc, change);
        } catch (const CCalcError& error) {
            failure = CalculatorFailureText(error.GetStatus());
        }
    }
    if (!failure.empty() || refusal.Refused()) ClearResults();
    m_view.SetText(IDC_DESIGN_STATUS, failure.empty() ? DesignMessage(refusal, m_texts) : failure);
}

void CDesignRules::Ok() {
    DesignRefusal refusal;
    DesignChange change;
    if (!RunCalculation(m_chart, m_view, [&](ICalcSession& calc) { refusal = Compute(calc, change); })) return;
    if (!refusal.Refused()) refusal = ApplyDesignChange(m_chart.View().Data(), change, m_chart.Calc());
    if (refusal.Refused()) {
        m_view.SetText(IDC_DESIGN_STATUS, DesignMessage(refusal, m_texts));
        m_view.Ask(DesignMessage(refusal, m_texts), kErrorReport, kStyleError);
        if (const int field = FieldOf(refusal)) m_view.Focus(field);
        return;
    }
    m_added = std::move(change);
    m_chart.RequestRepaint();
    m_chart.DataChangedByUser();
    m_view.Close(IDOK);
}

std::wstring RatioValueText(double ratio) {
    if (std::isinf(ratio)) return ratio > 0 ? L"+Infinite" : L"-Infinite";
    return FormatNumber(std::fabs(ratio) > 100000.0 ? "%.4E" : "%.2f", ratio);
}

}  // namespace humichart
