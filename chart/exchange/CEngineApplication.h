// The application: Visible, Workbooks, Quit. It has no window to show.
#pragma once

#include "CEngineWorkbooks.h"

namespace humichart::engine {

class CEngineApplication final : public CNamedDispatch {
public:
    CEngineApplication()
        : CNamedDispatch({{L"Visible", kIdVisible}, {L"Workbooks", kIdWorkbooks}, {L"Quit", kIdQuit}, {L"Name", kIdName}}),
          state_(std::make_shared<EngineState>()) {}

private:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override {
        switch (id) {
        case kIdVisible:
            // Nothing to show: the engine has no window. The flag reads back.
            if (IsPut(flags)) {
                const auto visible = BoolArg(args.PutValue());
                if (!visible) return Fail(DISP_E_TYPEMISMATCH, L"Visible takes True or False");
                state_->visible = *visible;
            } else {
                SetBoolResult(result, state_->visible);
            }
            return S_OK;
        case kIdWorkbooks:
            SetDispatchResult(result, new CEngineWorkbooks(state_));
            return S_OK;
        case kIdName:
            SetTextResult(result, kWorkbookSource);
            return S_OK;
        case kIdQuit:
            // Unsaved workbooks go without asking, as the exchange marks them saved first.
            for (const auto& book : state_->books) book->open = false;
            state_->books.clear();
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    std::shared_ptr<EngineState> state_;
};

}  // namespace humichart::engine
