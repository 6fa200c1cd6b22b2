#include "CListEditRules.h"

#include <algorithm>

#include "DialogTexts.h"
#include "TypedText.h"
#include "WorkingLists.h"

namespace humichart {

void CListEditRules::DisableCommands() {
    m_view.Enable(m_ids.add, false);
    m_view.Enable(m_ids.modify, false);
    m_view.Enable(m_ids.remove, false);
    m_view.Enable(m_ids.apply, false);
}

bool CListEditRules::RouteEvent(int id, ControlEvent event) {
    if (id == m_ids.nameBox && event == ControlEvent::SelectionChanged) {
        ShowSelected();
        ButtonRule();
        return true;
    }
    if (id == m_ids.nameBox && event == ControlEvent::TextChanged) {
        NameRule();
        ButtonRule();
        return true;
    }
    if (event != ControlEvent::Clicked) return false;
    if (id == m_ids.add) {
        Add();
    } else if (id == m_ids.modify) {
        Modify();
    } else if (id == m_ids.remove) {
        Delete();
    } else if (id == m_ids.apply) {
        Apply();
    } else if (id == m_ids.ok) {
        if (m_view.Enabled(m_ids.apply)) Apply();
        m_view.Close(m_ids.ok);
    } else if (id == m_ids.cancel) {
        m_view.Close(m_ids.cancel);
    } else {
        return false;
    }
    return true;
}

void CListEditRules::NameRule() { ApplyNameRule(m_view, m_ids.nameBox, selectedIndex, nameIsNew, nameUsable); }

void CListEditRules::CommandRule(bool inputsComplete) {
    m_view.Enable(m_ids.modify, false);
    m_view.Enable(m_ids.add, false);
    m_view.Enable(m_ids.remove, selectedIndex >= 0);
    if (inputsComplete && nameUsable) {
        if (nameIsNew) m_view.Enable(m_ids.add, true);
        if (selectedIndex >= 0 && (valuesEdited || nameIsNew)) m_view.Enable(m_ids.modify, true);
    }
}

bool CListEditRules::AddAllowed() {
    if (nameIsNew && nameUsable) return true;
    m_view.Enable(m_ids.add, false);
    return false;
}

bool CListEditRules::ModifyAllowed(int count) {
    if (nameUsable && selectedIndex >= 0 && selectedIndex < count) return true;
    m_view.Enable(m_ids.modify, false);
    return false;
}

void CListEditRules::Stored(int index) {
    m_view.SetSelection(m_ids.nameBox, index);
    nameIsNew = false;
    valuesEdited = false;
    ShowSelected();
    ButtonRule();
    m_view.Enable(m_ids.apply, true);
}

void CListEditRules::DeleteSelected(int count, const std::function<void(int)>& erase, bool buttonsAfterShow,
                                    const std::wstring& question) {
    if (selectedIndex < 0 || selectedIndex >= m_view.ItemCount(m_ids.nameBox) || selectedIndex >= count) return;
    if (m_view.Ask(question, kDeleteConfirm, kStyleConfirm) != kAnswerYes) return;
    m_view.DeleteItem(m_ids.nameBox, selectedIndex);
    erase(selectedIndex);
    const int remaining = count - 1;
    if (remaining > 0) {
        selectedIndex = std::min(selectedIndex, remaining - 1);
        m_view.SetSelection(m_ids.nameBox, selectedIndex);
        ShowSelected();
        if (buttonsAfterShow) ButtonRule();
    } else {
        selectedIndex = -1;
        m_view.Enable(m_ids.remove, false);
        m_view.SetText(m_ids.nameBox, L"");
    }
    m_view.Enable(m_ids.apply, true);
}

void CListEditRules::Fail(const wchar_t* text, int focus) {
    m_view.Ask(text, kErrorReport, kStyleError);
    m_view.Focus(focus);
}

bool CListEditRules::ReadFlow(int edit, const wchar_t* missing, const wchar_t* negative, double& flow) {
    const std::wstring text = m_view.Text(edit);
    if (text.empty()) {
        Fail(missing, edit);
        return false;
    }
    flow = LeadingNumber(text);
    if (flow < 0) {
        Fail(negative, edit);
        return false;
    }
    return true;
}

bool CListEditRules::ReadPointPair(int firstList, const wchar_t* firstMissing, int secondList,
                                   const wchar_t* secondMissing, const wchar_t* same, int sameFocus, int& first,
                                   int& second) {
    first = m_view.Selection(firstList);
    if (first < 0) {
        Fail(firstMissing, firstList);
        return false;
    }
    second = m_view.Selection(secondList);
    if (second < 0) {
        Fail(secondMissing, secondList);
        return false;
    }
    if (first == second) {
        Fail(same, sameFocus);
        return false;
    }
    return true;
}

}  // namespace humichart
