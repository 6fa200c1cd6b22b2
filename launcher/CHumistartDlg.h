// Humistart's main dialog: the chart control from the template, kept filling
// the client area, an About entry in the system menu and the application icon,
// drawn by hand while the window is minimised.
#pragma once

#include "CHumichartctl1.h"
#include "ControlDialog.h"

class CHumistartDlg : public CControlDialog {
public:
    CHumistartDlg();

    HICON Icon() const { return icon_; }
    CHumichartctl1& Chart() { return chart_; }

protected:
    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaintMinimised();

    HICON icon_;  // a shared resource icon: the system frees it with the module
    CHumichartctl1 chart_;
};
