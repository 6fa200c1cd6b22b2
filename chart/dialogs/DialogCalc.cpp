#include "DialogCalc.h"

#include <cstdio>

#include "DialogTexts.h"

namespace humichart {

std::wstring CalculatorFailureText(Status status) {
    wchar_t code[16];
    std::swprintf(code, sizeof code / sizeof code[0], L"0x%08X", static_cast<unsigned>(status));
    return L"The moist-air calculator (Humicalc) could not be used: error " + std::wstring(code) +
           L".\n\nNothing was changed. Check that Humicalc is installed and registered.";
}

void ReportCalculatorFailure(IDialogView& view, Status status) {
    view.Ask(CalculatorFailureText(status), kErrorReport, kStyleError);
}

}  // namespace humichart
