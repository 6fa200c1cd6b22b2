// The kinds of control a dialog's rules talk to, and a dialog's control table
// (id and kind of every control the rules read or write). The Win32 dialog
// takes the kinds from the window classes of its template; tests build their
// stand-in views from the table and check the templates against it.
#pragma once

#include <span>

namespace humichart {

enum class ControlKind {
    Edit,
    CheckBox,
    Button,
    SimpleCombo,    // an edit field above an always visible list
    DropDownCombo,  // an edit field with a list that drops down
    DropDownList,   // a list that drops down, no edit field
    ListBox,
    Static,
};

struct DialogControl {
    int id;
    ControlKind kind;
};

using DialogControlTable = std::span<const DialogControl>;

// Whether a control of kind has an edit field the user types into.
constexpr bool HasEditField(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::SimpleCombo || kind == ControlKind::DropDownCombo;
}
// Whether a control of kind holds a list of items.
constexpr bool HasList(ControlKind kind) {
    return kind == ControlKind::SimpleCombo || kind == ControlKind::DropDownCombo ||
           kind == ControlKind::DropDownList || kind == ControlKind::ListBox;
}

}  // namespace humichart
