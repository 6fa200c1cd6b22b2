// The open workbooks: Add (a new one from the worksheet template) and Open (an
// Excel 97-2003 file).
#pragma once

#include "CEngineWorkbook.h"
#include "WorkbookFile.h"

namespace humichart::engine {

class CEngineWorkbooks final : public CNamedDispatch {
public:
    explicit CEngineWorkbooks(std::shared_ptr<EngineState> state)
        : CNamedDispatch({{L"Add", kIdAdd}, {L"Open", kIdOpen}, {L"Count", kIdCount}, {L"Item", kIdItem}}),
          state_(std::move(state)) {}

private:
    HRESULT Call(DISPID id, WORD, const DispatchArgs& args, VARIANT* result) override {
        switch (id) {
        case kIdAdd: {
            auto book = std::make_shared<EngineBook>();
            const VARIANT* kind = args.At(0);
            std::size_t sheets = 3;  // a new workbook's default
            if (kind) {
                const auto value = LongArg(kind);
                if (!value || *value != kWorksheetTemplate)
                    return Fail(E_INVALIDARG, L"This workbook engine makes only workbooks of one worksheet (template -4167)");
                sheets = 1;
            }
            for (std::size_t i = 1; i <= sheets; ++i) book->book.sheets.push_back({L"Sheet" + std::to_wstring(i), {}});
            book->name = L"Book" + std::to_wstring(++state_->untitled);
            return Opened(std::move(book), result);
        }
        case kIdOpen: {
            const auto path = TextArg(args.At(0));
            if (!path || path->empty()) return Fail(DISP_E_PARAMNOTOPTIONAL, L"Open needs the path of a workbook");
            auto book = std::make_shared<EngineBook>();
            std::wstring error;
            if (!LoadWorkbookFile(*path, book->book, error))
                return Fail(error == kBiff8NotEnoughMemory ? E_OUTOFMEMORY : E_FAIL, error);
            if (book->book.sheets.empty())
                return Fail(E_FAIL, L"The workbook " + *path + L" holds no worksheet");
            book->fullName = *path;
            book->name = path->substr(path->find_last_of(L"\\/") == std::wstring::npos ? 0 : path->find_last_of(L"\\/") + 1);
            return Opened(std::move(book), result);
        }
        case kIdCount:
            if (result) { result->vt = VT_I4; result->lVal = static_cast<long>(state_->books.size()); }
            return S_OK;
        case kIdItem: {
            const auto index = LongArg(args.At(0));
            if (!index || *index < 1 || static_cast<std::size_t>(*index) > state_->books.size())
                return Fail(DISP_E_BADINDEX, L"No open workbook has that number");
            SetDispatchResult(result, new CEngineWorkbook(state_, state_->books[static_cast<std::size_t>(*index - 1)]));
            return S_OK;
        }
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT Opened(std::shared_ptr<EngineBook> book, VARIANT* result) {
        state_->books.push_back(book);
        SetDispatchResult(result, new CEngineWorkbook(state_, std::move(book)));
        return S_OK;
    }

    std::shared_ptr<EngineState> state_;
};

}  // namespace humichart::engine
