// The rules of the graph property dialog: the chart's atmospheric pressure,
// view range and display flags, tested against their bounds and written
// straight into the chart on Apply.
#pragma once

#include <cstdint>

#include "DialogControls.h"
#include "IChartDocument.h"
#include "IDialogRules.h"
#include "IDialogView.h"

namespace humichart {

class CGraphPropertyRules final : public IDialogRules {
public:
    static constexpr wchar_t kPressureOutOfRange[] =
        L"Value out of range!\n\nThe valid air pressure value covers from 50000 to 1560000 Pa.";
    static constexpr wchar_t kMaxTOutOfRange[] = L"Value out of range!\n\nThe valid Max T value covers from -99 to 200 ℃.";
    static constexpr wchar_t kMinTOutOfRange[] =
        L"Value out of range!\n\nThe valid Min T value covers from -100 to 199 ℃.";
    static constexpr wchar_t kMaxDOutOfRange[] = L"Value out of range!\n\nThe valid Max D value covers from 1 to 500 g/kg.";
    static constexpr wchar_t kMinDOutOfRange[] = L"Value out of range!\n\nThe valid Min D value covers from 0 to 299 g/kg.";
    static constexpr wchar_t kSmallTRange[] = L"Small range!\n\nThe valid T range should be larger than 1 ℃.";
    static constexpr wchar_t kSmallDRange[] = L"Small range!\n\nThe valid D range should be larger than 1 g/kg.";

    // A display flag and the check box that shows it; redraw when changing it
    // alters the chart image rather than only what is drawn over it.
    struct Flag {
        int check;
        std::int32_t CHumichartDataObj::*member;
        bool redraw;
    };
    static const Flag kFlags[8];

    CGraphPropertyRules(IChartDocument& chart, IDialogView& view) : m_chart(chart), m_view(view) {}

    static DialogControlTable Controls();

    void OnInit() override;
    void OnEvent(int id, ControlEvent event) override;

    // Answers whether the values passed their tests and were stored.
    bool Apply();
    void Ok();
    void Cancel();

    // A change waits that needs the chart image rebuilt.
    int redrawAll = 0;

private:
    IChartDocument& m_chart;
    IDialogView& m_view;
};

}  // namespace humichart
