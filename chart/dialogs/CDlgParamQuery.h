// "Point status": a modeless window owned by the chart window that shows
// every parameter of the air state under the mouse. Enter and Esc (its OK and
// Cancel commands) and its close box destroy it; it then forgets its handle.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "DialogBase.h"
#include "ICalcBinding.h"

namespace humichart {

class CDlgParamQuery : public CDialogBase {
public:
    // Computations open their sessions from calc (not owned).
    explicit CDlgParamQuery(ICalcBinding& calc);

    // Creates the window hidden, owned by owner's top-level window.
    HWND Create(HWND owner) { return CDialogBase::Create(owner); }

    // The eight fields for (I, D) at pressure; all empty when the state lies
    // above saturation or no calculator can be had.
    void show(double I, double D, double pressure);
    // Empties the eight fields.
    void clear();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A field is written only when its text changes: a mouse move often
    // leaves some of them (the pressure always) as they were.
    void Write(int index, const std::wstring& text);

    ICalcBinding& m_calc;
    std::array<std::wstring, 8> m_shown;
    std::array<HWND, 8> m_edits{};
};

}  // namespace humichart
