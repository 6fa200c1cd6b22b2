// What the dialogs that edit a working copy of one of the chart's lists share:
// a name box whose list mirrors the working list, "+", "M" and "-" editing it,
// "Apply" writing it back, "OK" applying first when there is something to
// apply, and "Cancel" leaving the chart as it was at the last Apply.
#pragma once

#include <functional>
#include <string>

#include "IDialogRules.h"
#include "IDialogView.h"

namespace humichart {

// The ids of the shared controls in one dialog's template.
struct ListEditControls {
    int nameBox;
    int add;
    int modify;
    int remove;
    int apply;
    int ok;
    int cancel;
};

class CListEditRules : public IDialogRules {
public:
    int SelectedIndex() const { return selectedIndex; }

protected:
    CListEditRules(IDialogView& view, ListEditControls controls) : m_view(view), m_ids(controls) {}

    // What each dialog does its own way.
    virtual void Add() = 0;
    virtual void Modify() = 0;
    virtual void Delete() = 0;
    virtual void Apply() = 0;
    virtual void ButtonRule() = 0;
    // Shows the item selected in the name box and takes its name as usable.
    virtual void ShowSelected() = 0;

    // "+", "M", "-" and "Apply" start disabled, as the template creates them.
    void DisableCommands();
    // Handles the clicks of the six shared buttons and the name box's
    // selection and typing; false for any other event.
    bool RouteEvent(int id, ControlEvent event);
    // The name box's text looked up in its list: see ApplyNameRule.
    void NameRule();
    // "-" follows the selection; "+" needs a new name and "M" a selected item
    // with its values or its name changed, both only when the rest of the
    // inputs are complete and the name can be used.
    void CommandRule(bool inputsComplete);
    // Whether "+" may run; disables it when not.
    bool AddAllowed();
    // Whether "M" may run on a working list of count items; disables it when not.
    bool ModifyAllowed(int count);
    // After "+" or "M" stored item index: select and show it, follow with the
    // buttons and let "Apply" write the change.
    void Stored(int index);
    // "-": asks, then takes the selected item out of the name box and, by
    // erase, out of the working list of count items; the next item (or the
    // last) is shown, or with none left the name box is cleared.
    // buttonsAfterShow: whether the buttons follow the item now shown.
    void DeleteSelected(int count, const std::function<void(int)>& erase, bool buttonsAfterShow,
                        const std::wstring& question = L"Are you sure?");
    // An error message, then the focus to the control at fault.
    void Fail(const wchar_t* text, int focus);
    // The flow typed into edit; false, after telling the user, when it is
    // missing or below 0.
    bool ReadFlow(int edit, const wchar_t* missing, const wchar_t* negative, double& flow);
    // The items selected in two lists of points, which must name two
    // different points; false, after telling the user, when they do not.
    bool ReadPointPair(int firstList, const wchar_t* firstMissing, int secondList, const wchar_t* secondMissing,
                       const wchar_t* same, int sameFocus, int& first, int& second);

    IDialogView& m_view;
    const ListEditControls m_ids;

    int selectedIndex = -1;
    bool nameIsNew = false;
    bool nameUsable = false;
    bool valuesEdited = false;
};

}  // namespace humichart
