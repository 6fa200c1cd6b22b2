// One open workbook: ActiveSheet, Worksheets, SaveCopyAs, Saved, Close.
#pragma once

#include "CEngineWorksheets.h"
#include "WorkbookFile.h"

namespace humichart::engine {

class CEngineWorkbook final : public CNamedDispatch {
public:
    CEngineWorkbook(std::shared_ptr<EngineState> state, std::shared_ptr<EngineBook> book)
        : CNamedDispatch({{L"ActiveSheet", kIdActiveSheet}, {L"Worksheets", kIdWorksheets}, {L"Sheets", kIdWorksheets},
                          {L"SaveCopyAs", kIdSaveCopyAs}, {L"Saved", kIdSaved}, {L"Close", kIdClose},
                          {L"Name", kIdName}, {L"FullName", kIdFullName}}),
          state_(std::move(state)), book_(std::move(book)) {}

private:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override {
        if (!book_->open) return Fail(E_FAIL, L"The workbook " + book_->name + L" is closed");
        switch (id) {
        case kIdActiveSheet:
            SetDispatchResult(result, new CEngineWorksheet(book_, book_->active));
            return S_OK;
        case kIdWorksheets:
            SetDispatchResult(result, new CEngineWorksheets(book_));
            return S_OK;
        case kIdName:
            SetTextResult(result, book_->name);
            return S_OK;
        case kIdFullName:
            SetTextResult(result, book_->fullName.empty() ? book_->name : book_->fullName);
            return S_OK;
        case kIdSaved:
            if (IsPut(flags)) {
                const auto saved = BoolArg(args.PutValue());
                if (!saved) return Fail(DISP_E_TYPEMISMATCH, L"Saved takes True or False");
                book_->saved = *saved;
            } else {
                SetBoolResult(result, book_->saved);
            }
            return S_OK;
        case kIdSaveCopyAs: {
            const auto path = TextArg(args.At(0));
            if (!path || path->empty()) return Fail(DISP_E_PARAMNOTOPTIONAL, L"SaveCopyAs needs the path of the copy");
            return SaveTo(*path);
        }
        case kIdClose: {
            // Close(SaveChanges, Filename): saving only when asked to.
            const auto save = BoolArg(args.At(0));
            if (save && *save) {
                const std::wstring path = TextArg(args.At(1)).value_or(book_->fullName);
                if (path.empty()) return Fail(E_INVALIDARG, L"The workbook " + book_->name + L" has no file to save to");
                RETURN_IF_FAILED(SaveTo(path));
            }
            book_->open = false;
            std::erase(state_->books, book_);
            return S_OK;
        }
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT SaveTo(const std::wstring& path) {
        std::wstring error;
        if (!SaveWorkbookFile(path, book_->book, error)) return Fail(STG_E_CANTSAVE, error);
        return S_OK;
    }

    std::shared_ptr<EngineState> state_;
    std::shared_ptr<EngineBook> book_;
};

}  // namespace humichart::engine
