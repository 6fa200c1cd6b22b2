#include "CGraphPropertyRules.h"

#include "DialogTexts.h"
#include "PointDialogsResource.h"
#include "TypedText.h"
#include "UserDataChange.h"

namespace humichart {

namespace {

constexpr int kApply = IDC_PROP_APPLY;
constexpr int kEdits[] = {IDC_PROP_PRESSURE, IDC_PROP_MAX_T, IDC_PROP_MIN_T, IDC_PROP_MAX_D, IDC_PROP_MIN_D};

constexpr DialogControl kControls[] = {
    {IDC_PROP_PRESSURE, ControlKind::Edit},      {IDC_PROP_MAX_T, ControlKind::Edit},
    {IDC_PROP_MIN_T, ControlKind::Edit},         {IDC_PROP_MAX_D, ControlKind::Edit},
    {IDC_PROP_MIN_D, ControlKind::Edit},         {IDC_PROP_T_LINE, ControlKind::CheckBox},
    {IDC_PROP_D_LINE, ControlKind::CheckBox},    {IDC_PROP_I_LINE, ControlKind::CheckBox},
    {IDC_PROP_F_LINE, ControlKind::CheckBox},    {IDC_PROP_LINE_NAME, ControlKind::CheckBox},
    {IDC_PROP_FRAME, ControlKind::CheckBox},     {IDC_PROP_BACKGROUND, ControlKind::CheckBox},
    {IDC_PROP_FOREGROUND, ControlKind::CheckBox}, {1, ControlKind::Button},
    {2, ControlKind::Button},                    {kApply, ControlKind::Button},
};

// One bound test of Apply: the value fails when outside [low, high].
struct Bound {
    double low;
    double high;
    const wchar_t* message;
    int focus;
};

}  // namespace

const CGraphPropertyRules::Flag CGraphPropertyRules::kFlags[8] = {
    {IDC_PROP_T_LINE, &CHumichartDataObj::HasTLine, true},
    {IDC_PROP_D_LINE, &CHumichartDataObj::HasDLine, true},
    {IDC_PROP_I_LINE, &CHumichartDataObj::HasILine, true},
    {IDC_PROP_F_LINE, &CHumichartDataObj::HasFLine, true},
    {IDC_PROP_LINE_NAME, &CHumichartDataObj::HasProcessLineName, false},
    {IDC_PROP_FRAME, &CHumichartDataObj::HasBorder, false},
    {IDC_PROP_BACKGROUND, &CHumichartDataObj::HasBackground, true},
    {IDC_PROP_FOREGROUND, &CHumichartDataObj::HasForeground, true},
};

DialogControlTable CGraphPropertyRules::Controls() { return kControls; }

void CGraphPropertyRules::OnInit() {
    CHumichartDataObj& data = m_chart.View().Data();
    m_view.SetText(IDC_PROP_PRESSURE, FormatNumber("%6.1f", data.airPressure));
    const ChartRange range = m_chart.View().GetRange();
    m_view.SetText(IDC_PROP_MIN_T, FormatNumber("%3.1f", range.minT));
    m_view.SetText(IDC_PROP_MAX_T, FormatNumber("%3.1f", range.maxT));
    m_view.SetText(IDC_PROP_MIN_D, FormatNumber("%3.1f", range.minD));
    m_view.SetText(IDC_PROP_MAX_D, FormatNumber("%3.1f", range.maxD));
    for (const Flag& flag : kFlags) m_view.SetChecked(flag.check, data.*flag.member != 0);
    m_view.Enable(kApply, false);
    redrawAll = 0;
}

void CGraphPropertyRules::OnEvent(int id, ControlEvent event) {
    if (event == ControlEvent::TextChanged) {
        for (int edit : kEdits) {
            if (edit != id) continue;
            m_view.Enable(kApply, true);
            redrawAll = 1;
            return;
        }
        return;
    }
    if (event != ControlEvent::Clicked) return;
    switch (id) {
    case kApply: Apply(); return;
    case 1: Ok(); return;
    case 2: Cancel(); return;
    default:
        for (const Flag& flag : kFlags) {
            if (flag.check != id) continue;
            m_view.Enable(kApply, true);
            if (flag.redraw) redrawAll = 1;
            return;
        }
    }
}

bool CGraphPropertyRules::Apply() {
    const double pressure = LeadingNumber(m_view.Text(IDC_PROP_PRESSURE));
    const double minT = LeadingNumber(m_view.Text(IDC_PROP_MIN_T));
    const double maxT = LeadingNumber(m_view.Text(IDC_PROP_MAX_T));
    const double minD = LeadingNumber(m_view.Text(IDC_PROP_MIN_D));
    const double maxD = LeadingNumber(m_view.Text(IDC_PROP_MAX_D));

    const struct {
        double value;
        Bound bound;
    } tests[] = {
        {pressure, {50000.0, 1560000.0, kPressureOutOfRange, IDC_PROP_PRESSURE}},
        {maxT, {-99.0, 200.0, kMaxTOutOfRange, IDC_PROP_MAX_T}},
        {minT, {-100.0, 199.0, kMinTOutOfRange, IDC_PROP_MIN_T}},
        {maxD, {1.0, 500.0, kMaxDOutOfRange, IDC_PROP_MAX_D}},
        {minD, {0.0, 299.0, kMinDOutOfRange, IDC_PROP_MIN_D}},
    };
    for (const auto& test : tests) {
        if (test.value >= test.bound.low && test.value <= test.bound.high) continue;
        m_view.Ask(test.bound.message, kErrorReport, kStyleError);
        m_view.Focus(test.bound.focus);
        return false;
    }
    if (minT > maxT - 1.0) {
        m_view.Ask(kSmallTRange, kErrorReport, kStyleError);
        m_view.Focus(IDC_PROP_MAX_T);
        return false;
    }
    if (minD > maxD - 1.0) {
        m_view.Ask(kSmallDRange, kErrorReport, kStyleError);
        m_view.Focus(IDC_PROP_MAX_D);
        return false;
    }

    UserDataChange change(m_chart);
    CHumichartDataObj& data = m_chart.View().Data();
    data.airPressure = pressure;
    m_chart.View().SetRange(minT, maxT, minD, maxD);
    for (const Flag& flag : kFlags) data.*flag.member = m_view.Checked(flag.check) ? 1 : 0;
    if (redrawAll)
        m_chart.RequestRender();
    else
        m_chart.RequestRepaint();
    change.Finish();
    m_view.Enable(kApply, false);
    redrawAll = 0;
    return true;
}

void CGraphPropertyRules::Ok() {
    if (!m_view.Enabled(kApply) || Apply()) m_view.Close(1);
}

void CGraphPropertyRules::Cancel() { m_view.Close(2); }

}  // namespace humichart
