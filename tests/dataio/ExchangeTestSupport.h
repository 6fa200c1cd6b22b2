// What the exchange tests share: an apartment, a scratch folder, workbooks
// written straight from the model, a recording wrapper around the engine's
// objects that logs every late-bound call in order, and a message log in
// place of message boxes.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CCoreCalcBinding.h"
#include "CExchangeClient.h"
#include "CSlotFileCodec.h"
#include "CWorkbookEngine.h"
#include "ComObject.h"
#include "ComPtr.h"
#include "Workbook.h"
#include "WorkbookFile.h"

// While armed, the next allocation of at least failAllocationOf bytes fails
// once, so that running out of memory is met at a chosen step (the test
// program's operator new, in exchange_engine_test.cpp).
extern std::size_t failAllocationOf;
extern bool failArmed;

namespace humichart::test {

using CallLog = std::vector<std::wstring>;

inline std::wstring VariantText(const VARIANT& v) {
    switch (v.vt) {
    case VT_BSTR: return v.bstrVal ? v.bstrVal : L"";
    case VT_BOOL: return v.boolVal ? L"true" : L"false";
    case VT_ERROR: return v.scode == DISP_E_PARAMNOTFOUND ? L"<missing>" : L"<error>";
    case VT_EMPTY: return L"<empty>";
    default: {
        VARIANT text;
        VariantInit(&text);
        if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&v), 0, VT_BSTR))) return L"?";
        std::wstring out = text.bstrVal;
        VariantClear(&text);
        return out;
    }
    }
}

// Logs "Name", "Name(args)" for gets and calls, "Name=value" for puts, and
// wraps the objects it hands out the same way.
class RecordingDispatch final : public ComObjectRoot, public IDispatch {
public:
    COM_DELEGATING_IUNKNOWN
    RecordingDispatch(IDispatch* inner, std::shared_ptr<CallLog> log)
        : ComObjectRoot(nullptr), inner_(ComPtr<IDispatch>::Share(inner)), log_(std::move(log)) {}

    STDMETHODIMP GetTypeInfoCount(UINT* n) override { return inner_->GetTypeInfoCount(n); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return inner_->GetTypeInfo(i, l, t); }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        const HRESULT hr = inner_->GetIDsOfNames(iid, names, count, lcid, ids);
        if (SUCCEEDED(hr)) names_[ids[0]] = names[0];
        return hr;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        std::wstring entry = names_[id];
        const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
        const UINT first = put ? 1 : 0;
        if (put) {
            entry += L"=" + VariantText(params->rgvarg[0]);
        } else if (params && params->cArgs > 0) {
            entry += L"(";
            for (UINT i = params->cArgs; i > first; --i)
                entry += VariantText(params->rgvarg[i - 1]) + (i - 1 > first ? L"," : L"");
            entry += L")";
        }
        log_->push_back(entry);
        const HRESULT hr = inner_->Invoke(id, iid, lcid, flags, params, result, exception, argError);
        if (SUCCEEDED(hr) && result && result->vt == VT_DISPATCH && result->pdispVal) {
            IDispatch* wrapped = new RecordingDispatch(result->pdispVal, log_);
            result->pdispVal->Release();
            result->pdispVal = wrapped;
        }
        return hr;
    }

private:
    void* FindOwnInterface(REFIID riid) override { return FindInterface<IDispatch>(this, riid); }
    ComPtr<IDispatch> inner_;
    std::shared_ptr<CallLog> log_;
    std::map<DISPID, std::wstring> names_;
};

// The engine's application, recorded.
class RecordingStarter final : public ISpreadsheetStarter {
public:
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    bool fail = false;
    bool builtIn = true;  // false: the engine stands in for a spreadsheet program
    bool BuiltIn() const override { return builtIn; }
    HRESULT Start(ComPtr<IDispatch>& application) override {
        if (fail) return E_POINTER;
        ComPtr<IDispatch> engine;
        const HRESULT hr = CreateWorkbookApplication(IID_IDispatch, engine.PutVoid());
        if (FAILED(hr)) return hr;
        application = ComPtr<IDispatch>::Attach(new RecordingDispatch(engine.Get(), log));
        return S_OK;
    }
};

struct ShownMessage {
    std::wstring text, caption;
    UINT style;
};

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() / "humichart-exchange" /
                 (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        // The common file dialogs make the folder of the chosen file current.
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        std::filesystem::remove_all(folder);
        CoUninitialize();
    }

    std::wstring PathOf(const wchar_t* name) const { return (folder / name).wstring(); }

    // Two data sets alike in every field, as the slot file holds them.
    static bool SameData(const CHumichartDataObj& a, const CHumichartDataObj& b) {
        return CSlotFileCodec::Encode(a, L"") == CSlotFileCodec::Encode(b, L"");
    }
    // The calculator core behind the chart-data check of an import.
    CCoreCalcBinding calc;

    CExchangeClient Client() {
        return CExchangeClient(&starter, [this](HWND, const std::wstring& text, const std::wstring& caption, UINT style) {
            messages.push_back({text, caption, style});
            return IDOK;
        });
    }

    // A sheet from (address, value) pairs: numbers as numbers, the rest as texts.
    static void Put(Sheet& sheet, const wchar_t* address, double number) {
        Cell cell;
        cell.kind = Cell::Kind::Number;
        cell.number = number;
        sheet.cells[Address(address)] = cell;
    }
    static void Put(Sheet& sheet, const wchar_t* address, const std::wstring& text) {
        Cell cell;
        cell.kind = Cell::Kind::Text;
        cell.text = text;
        sheet.cells[Address(address)] = cell;
    }
    static std::pair<std::uint32_t, std::uint32_t> Address(const wchar_t* a) {
        std::uint32_t column = static_cast<std::uint32_t>(a[0] - L'A');
        return {static_cast<std::uint32_t>(std::wcstoul(a + 1, nullptr, 10) - 1), column};
    }
    std::wstring WriteWorkbook(const wchar_t* name, const Workbook& book) {
        const std::wstring path = PathOf(name);
        std::wstring error;
        EXPECT_TRUE(SaveWorkbookFile(path, book, error)) << std::string(error.begin(), error.end());
        return path;
    }

    // Rewrites the bits of one number in a written file (the writer refuses
    // to write what a damaged or foreign file may hold).
    static void PatchNumber(const std::wstring& path, double from, double to) {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        in.close();
        const std::string a(reinterpret_cast<const char*>(&from), 8), b(reinterpret_cast<const char*>(&to), 8);
        const std::size_t at = bytes.find(a);
        ASSERT_NE(at, std::string::npos);
        bytes.replace(at, 8, b);
        std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << bytes;
    }

    std::filesystem::path folder;
    RecordingStarter starter;
    std::vector<ShownMessage> messages;
};

}  // namespace humichart::test
