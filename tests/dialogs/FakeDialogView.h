// A dialog's controls as plain data, for testing dialog rules natively. It
// behaves as the Win32 controls do where the rules can tell: writing an edit
// box's text announces it, checks, selections and combo box texts written by
// the rules do not; selecting a combo box item puts its text into the edit
// field; deleting or inserting items moves the selection along. The user's
// actions (Click, Type, Choose, DoubleClick) are refused on controls a user
// could not reach. Questions are answered from a script and recorded, and so
// are focus moves.
#pragma once

#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "DialogControls.h"
#include "IDialogRules.h"
#include "IDialogView.h"

namespace humichart::test {

class FakeDialogView final : public IDialogView {
public:
    struct Control {
        ControlKind kind = ControlKind::Static;
        std::wstring text;
        bool checked = false;
        bool enabled = true;
        bool readOnly = false;
        std::vector<std::wstring> items;
        int selection = -1;
    };
    struct Question {
        std::wstring text;
        std::wstring caption;
        unsigned style = 0;
    };

    explicit FakeDialogView(DialogControlTable table) {
        for (const DialogControl& control : table) m_controls[control.id].kind = control.kind;
    }

    // The rules that hear the notifications; OnInit runs here.
    void Open(IDialogRules& rules) {
        m_rules = &rules;
        rules.OnInit();
    }

    Control& operator[](int id) {
        auto found = m_controls.find(id);
        if (found == m_controls.end()) throw std::out_of_range("no control " + std::to_string(id));
        return found->second;
    }

    // --- The user's actions. Each answers whether the user could do it.

    // A button press; a check box toggles first.
    bool Click(int id) {
        Control& control = (*this)[id];
        if (!control.enabled || closed) return false;
        if (control.kind == ControlKind::CheckBox) control.checked = !control.checked;
        Notify(id, ControlEvent::Clicked);
        return true;
    }
    // Replaces the text of an edit box or a combo box's edit field.
    bool Type(int id, const std::wstring& text) {
        Control& control = (*this)[id];
        if (!control.enabled || control.readOnly || !HasEditField(control.kind) || closed) return false;
        control.text = text;
        Notify(id, ControlEvent::TextChanged);
        return true;
    }
    // Picks item index of a list or combo box.
    bool Choose(int id, int index) {
        Control& control = (*this)[id];
        if (!control.enabled || !HasList(control.kind) || closed) return false;
        if (index < 0 || index >= static_cast<int>(control.items.size())) return false;
        Select(control, index);
        Notify(id, ControlEvent::SelectionChanged);
        return true;
    }
    bool DoubleClick(int id, int index) {
        if (!Choose(id, index)) return false;
        Notify(id, ControlEvent::DoubleClicked);
        return true;
    }
    // Enter presses the default button (OK), Esc presses Cancel.
    void Enter() { Notify(1, ControlEvent::Clicked); }
    void Escape() { Notify(2, ControlEvent::Clicked); }

    // --- The script of answers and what was asked.

    // Answers the next question; unscripted questions get their default button.
    void Answer(int answer) { m_answers.push_back(answer); }
    std::vector<Question> questions;
    int unscriptedQuestions = 0;
    std::vector<int> focusMoves;
    int focus = 0;
    bool closed = false;
    int result = 0;

    // --- IDialogView

    std::wstring Text(int id) override { return (*this)[id].text; }
    void SetText(int id, const std::wstring& text) override {
        Control& control = (*this)[id];
        control.text = text;
        if (control.kind == ControlKind::Edit) Notify(id, ControlEvent::TextChanged);
    }
    bool Checked(int id) override { return (*this)[id].checked; }
    void SetChecked(int id, bool checked) override { (*this)[id].checked = checked; }
    bool Enabled(int id) override { return (*this)[id].enabled; }
    void Enable(int id, bool enabled) override { (*this)[id].enabled = enabled; }
    void SetReadOnly(int id, bool readOnly) override { (*this)[id].readOnly = readOnly; }

    void ClearList(int id) override {
        Control& control = List(id);
        control.items.clear();
        control.selection = -1;
    }
    int AddItem(int id, const std::wstring& text) override {
        Control& control = List(id);
        control.items.push_back(text);
        return static_cast<int>(control.items.size()) - 1;
    }
    void InsertItem(int id, int index, const std::wstring& text) override {
        Control& control = List(id);
        if (index < 0 || index > static_cast<int>(control.items.size())) index = static_cast<int>(control.items.size());
        control.items.insert(control.items.begin() + index, text);
        if (control.selection >= index) ++control.selection;
    }
    void DeleteItem(int id, int index) override {
        Control& control = List(id);
        if (index < 0 || index >= static_cast<int>(control.items.size())) return;
        control.items.erase(control.items.begin() + index);
        if (control.selection == index)
            control.selection = -1;
        else if (control.selection > index)
            --control.selection;
    }
    int ItemCount(int id) override { return static_cast<int>(List(id).items.size()); }
    std::wstring ItemText(int id, int index) override {
        Control& control = List(id);
        if (index < 0 || index >= static_cast<int>(control.items.size())) return {};
        return control.items[index];
    }
    int Selection(int id) override { return List(id).selection; }
    void SetSelection(int id, int index) override {
        Control& control = List(id);
        if (index < 0 || index >= static_cast<int>(control.items.size())) index = -1;
        Select(control, index);
    }

    void Focus(int id) override {
        (*this)[id];
        focus = id;
        focusMoves.push_back(id);
    }
    int Ask(const std::wstring& text, const std::wstring& caption, unsigned style) override {
        questions.push_back({text, caption, style});
        if (!m_answers.empty()) {
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        ++unscriptedQuestions;
        if ((style & 0xF) == kMsgYesNo) return (style & kMsgDefaultButton2) ? kAnswerNo : kAnswerYes;
        return kAnswerOk;
    }
    void Close(int code) override {
        closed = true;
        result = code;
    }

private:
    Control& List(int id) {
        Control& control = (*this)[id];
        if (!HasList(control.kind)) throw std::logic_error("control " + std::to_string(id) + " holds no list");
        return control;
    }
    static void Select(Control& control, int index) {
        control.selection = index;
        if (control.kind == ControlKind::SimpleCombo || control.kind == ControlKind::DropDownCombo ||
            control.kind == ControlKind::DropDownList)
            control.text = index >= 0 ? control.items[index] : std::wstring();
    }
    void Notify(int id, ControlEvent event) {
        if (m_rules) m_rules->OnEvent(id, event);
    }

    std::map<int, Control> m_controls;
    std::deque<int> m_answers;
    IDialogRules* m_rules = nullptr;
};

}  // namespace humichart::test
