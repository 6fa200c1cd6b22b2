// What a dialog's rules hear from its window: initialisation once the
// controls exist, then one event per control notification. The Win32 dialog
// translates its WM_COMMAND notifications into these; tests call them the way
// a user's actions would.
#pragma once

namespace humichart {

enum class ControlEvent {
    Clicked,           // a button or check box was pressed (BN_CLICKED); also Enter (1) and Esc (2)
    TextChanged,       // an edit's or a combo box's edit field text changed (EN_CHANGE, CBN_EDITCHANGE)
    SelectionChanged,  // the selection of a list or combo box changed (CBN_SELCHANGE, LBN_SELCHANGE)
    DoubleClicked,     // an item of a list or combo box was double-clicked (CBN_DBLCLK, LBN_DBLCLK)
    FocusGained,       // EN_SETFOCUS, CBN_SETFOCUS, LBN_SETFOCUS
    FocusLost,         // EN_KILLFOCUS, CBN_KILLFOCUS, LBN_KILLFOCUS
};

class IDialogRules {
public:
    virtual ~IDialogRules() = default;

    // The controls exist and are empty: fill them.
    virtual void OnInit() = 0;
    // Control id had event.
    virtual void OnEvent(int id, ControlEvent event) = 0;
};

}  // namespace humichart
