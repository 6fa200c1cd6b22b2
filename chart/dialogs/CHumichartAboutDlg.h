// The chart control's About box (template 110): the component and its
// version, closed with OK, Enter, Esc or the close box.
#pragma once

#include "DialogBase.h"

namespace humichart {

class CHumichartAboutDlg : public CDialogBase {
public:
    CHumichartAboutDlg();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace humichart
