// A modal dialog whose behaviour lives in a rules object: the window only
// hands the rules its controls (CDialogView) and its control notifications
// (IDialogRules::OnEvent). Enter presses the default button and Esc or the
// close box press Cancel, both reaching the rules as clicks on 1 and 2.
//
// Nothing thrown by the rules crosses the window procedure: a calculator
// failure is told to the user and the dialog stays usable.
#pragma once

#include <windows.h>

#include <optional>

#include "CDialogView.h"
#include "DialogBase.h"
#include "IDialogRules.h"

namespace humichart {

class CRulesDialog : public CDialogBase {
public:
    // Runs the dialog over owner, centred on it; answers the result the rules
    // closed it with, or -1 when the template could not be loaded.
    INT_PTR Run(HWND owner) { return DoModal(owner); }

    // The notification of a control of window class className, as the rules
    // hear it; nullopt for notifications they do not take.
    static std::optional<ControlEvent> Translate(const wchar_t* className, UINT code);

protected:
    // The template comes from the module this code is linked into.
    explicit CRulesDialog(UINT templateId);

    CDialogView& View() { return m_view; }
    virtual IDialogRules& Rules() = 0;
    // Before the rules fill the controls (limits, fonts, ...).
    virtual void PrepareControls() {}

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void CentreOnOwner();
    // Runs a step of the rules, telling the user what stopped it.
    template <class Step>
    void Guarded(Step&& step);

    CDialogView m_view;
};

}  // namespace humichart
