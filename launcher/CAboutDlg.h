// Humistart's About box, reached from the system menu; made anew for each
// showing.
#pragma once

#include "ControlDialog.h"

class CAboutDlg : public CControlDialog {
public:
    CAboutDlg();
};
