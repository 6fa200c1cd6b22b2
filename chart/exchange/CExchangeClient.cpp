#include "CExchangeClient.h"

#include <commdlg.h>
#include <ole2.h>

#include <cmath>
#include <cwchar>
#include <new>
#include <vector>

#include "CNamedDispatch.h"
#include "CWorkbookEngine.h"
#include "DataFaultText.h"
#include "ResourceString.h"
#include "SheetLayout.h"
#include "UniqueBstr.h"

namespace humichart {

namespace {

constexpr DWORD kClassContext = 23;  // in-process, handler or local server
constexpr long kWorksheetTemplate = -4167;
constexpr DWORD kPathChars = 520;

// The filter of the file dialogs: the type's text, its pattern, and the
// empty string that ends the list.
std::wstring Filter(const CExchangeClient::FileType& type) {
    return type.text + L'\0' + L"*." + type.extension + L'\0' + L'\0';
}

// One VARIANT owned for the length of a call.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(const std::wstring& text) : Variant() {
        v_.vt = VT_BSTR;
        v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    explicit Variant(double number) : Variant() { v_.vt = VT_R8; v_.dblVal = number; }
    explicit Variant(long number) : Variant() { v_.vt = VT_I4; v_.lVal = number; }
    explicit Variant(bool flag) : Variant() { v_.vt = VT_BOOL; v_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE; }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : Variant() { std::swap(v_, other.v_); }
    ~Variant() { VariantClear(&v_); }
    VARIANT* Get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

private:
    VARIANT v_;
};

// Late-bound calls by member name. A failure ends the work; it is kept for
// the message.
class LateBound {
public:
    explicit LateBound(ExchangeFailure& failure) : failure_(failure) {}

    bool Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<Variant>& args, VARIANT* result) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR member = const_cast<LPOLESTR>(name);
        HRESULT hr = object->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) return Fail(hr);
        std::vector<VARIANT> reversed;  // the last argument first, as DISPPARAMS holds them
        for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags & DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        EXCEPINFO exception{};
        UINT argError = 0;
        hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, &argError);
        if (SUCCEEDED(hr)) return true;
        if (hr != DISP_E_EXCEPTION) return Fail(hr);
        if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
        UniqueBstr source, description;
        source.Reset(exception.bstrSource);
        description.Reset(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        const HRESULT code = exception.scode ? exception.scode
                             : exception.wCode ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, exception.wCode)
                                               : hr;
        return Fail(code, std::wstring(source.View()), std::wstring(description.View()));
    }

    bool Get(IDispatch* object, const wchar_t* name, std::vector<Variant> args, Variant& result) {
        return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, result.Get());
    }
    // A property or method that answers an object; asked for its automation interface.
    bool GetObject(IDispatch* object, const wchar_t* name, std::vector<Variant> args, ComPtr<IDispatch>& out,
                   WORD flags = DISPATCH_PROPERTYGET | DISPATCH_METHOD) {
        Variant result;
        if (!Invoke(object, name, flags, args, result.Get())) return false;
        const VARIANT& v = *result;
        if ((v.vt != VT_DISPATCH && v.vt != VT_UNKNOWN) || !v.punkVal) return Fail(E_NOINTERFACE);
        const HRESULT hr = v.punkVal->QueryInterface(IID_IDispatch, out.PutVoid());
        return SUCCEEDED(hr) || Fail(hr);
    }
    bool Put(IDispatch* object, const wchar_t* name, Variant value) {
        std::vector<Variant> args;
        args.push_back(std::move(value));
        return Invoke(object, name, DISPATCH_PROPERTYPUT, args, nullptr);
    }
    bool Call(IDispatch* object, const wchar_t* name, std::vector<Variant> args = {}) {
        Variant ignored;
        return Invoke(object, name, DISPATCH_METHOD, args, ignored.Get());
    }

    bool Fail(HRESULT code, std::wstring source = {}, std::wstring description = {}) {
        failure_ = {code, std::move(source), std::move(description)};
        return false;
    }

private:
    ExchangeFailure& failure_;
};

std::vector<Variant> Args(Variant a) {
    std::vector<Variant> args;
    args.push_back(std::move(a));
    return args;
}

// The import's cells, read through Range(address).Value2 and .Text.
class DispatchSheetReader final : public ISheetCellReader {
public:
    // source: who reports the cells that cannot be used.
    DispatchSheetReader(LateBound& late, IDispatch* sheet, const wchar_t* source)
        : late_(late), sheet_(sheet), source_(source) {}

    bool Number(const std::wstring& address, double& value) override {
        Variant cell;
        if (!Read(address, L"Value2", cell)) return false;
        VARIANT* v = cell.Get();
        if (v->vt != VT_R8) {
            const VARTYPE was = v->vt;
            const HRESULT hr = VariantChangeType(v, v, 0, VT_R8);
            if (FAILED(hr))
                return late_.Fail(hr, source_,
                                  L"Cell " + address +
                                      (was == VT_BSTR    ? L" holds text that is not a number"
                                       : was == VT_ERROR ? L" holds an error value, not a number"
                                                         : L" holds no number"));
        }
        if (!std::isfinite(v->dblVal))
            return late_.Fail(DISP_E_OVERFLOW, source_, L"Cell " + address + L" holds a number that is not finite");
        value = v->dblVal;
        return true;
    }
    bool DisplayText(const std::wstring& address, std::wstring& text) override {
        return ReadText(address, L"Text", text);
    }
    bool ValueText(const std::wstring& address, std::wstring& text) override {
        return ReadText(address, L"Value2", text);
    }
    // The used range's first row and its number of rows.
    bool LastRow(unsigned& row) override {
        ComPtr<IDispatch> used, rows;
        Variant first, count;
        if (!late_.GetObject(sheet_, L"UsedRange", {}, used) || !late_.Get(used.Get(), L"Row", {}, first) ||
            !late_.GetObject(used.Get(), L"Rows", {}, rows) || !late_.Get(rows.Get(), L"Count", {}, count))
            return false;
        VARIANT* a = first.Get();
        VARIANT* b = count.Get();
        if (FAILED(VariantChangeType(a, a, 0, VT_I4)) || FAILED(VariantChangeType(b, b, 0, VT_I4)) || a->lVal < 1 ||
            b->lVal < 0)
            return late_.Fail(DISP_E_TYPEMISMATCH, source_, L"The sheet's used range has no row number");
        row = static_cast<unsigned>(a->lVal) + static_cast<unsigned>(b->lVal) - 1;
        return true;
    }

private:
    bool Read(const std::wstring& address, const wchar_t* member, Variant& value) {
        ComPtr<IDispatch> range;
        return late_.GetObject(sheet_, L"Range", Args(Variant(address)), range) &&
               late_.Get(range.Get(), member, {}, value);
    }
    bool ReadText(const std::wstring& address, const wchar_t* member, std::wstring& text) {
        Variant cell;
        if (!Read(address, member, cell)) return false;
        VARIANT* v = cell.Get();
        if (v->vt != VT_BSTR) {
            const HRESULT hr = VariantChangeType(v, v, 0, VT_BSTR);
            if (FAILED(hr))
                return late_.Fail(hr, source_, L"Cell " + address + L" holds a value that has no text form");
        }
        text.assign(v->bstrVal ? v->bstrVal : L"", SysStringLen(v->bstrVal));
        return true;
    }

    LateBound& late_;
    IDispatch* sheet_;
    const wchar_t* source_;
};

// The source of what the import itself finds wrong in the cells a
// spreadsheet program handed over: the chart, not that program, and not the
// built-in engine that did not take part.
constexpr wchar_t kImportSource[] = L"Humichart";

bool EndsInXls(const std::wstring& path) {
    if (path.size() < 4) return false;
    std::wstring tail = path.substr(path.size() - 4);
    for (wchar_t& c : tail) c = static_cast<wchar_t>(towlower(c));
    return tail == L".xls";
}

std::wstring Hex8(HRESULT code) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%08lx", static_cast<unsigned long>(code));
    return text;
}

std::wstring CodeMeaning(HRESULT code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring meaning = length ? std::wstring(text, length) : L"(the system has no text for this code)";
    if (text) LocalFree(text);
    return meaning;
}

}  // namespace

HRESULT CSpreadsheetStarter::Start(ComPtr<IDispatch>& application) {
    CLSID clsid{};
    ComPtr<IUnknown> unknown;
    HRESULT hr;
    builtIn_ = FAILED(CLSIDFromProgID(L"Excel.Application", &clsid));
    if (!builtIn_)
        hr = CoCreateInstance(clsid, nullptr, kClassContext, IID_IUnknown, unknown.PutVoid());
    else
        hr = CreateWorkbookApplication(IID_IUnknown, unknown.PutVoid());
    if (SUCCEEDED(hr)) hr = OleRun(unknown.Get());
    if (SUCCEEDED(hr)) hr = unknown->QueryInterface(IID_IDispatch, application.PutVoid());
    return SUCCEEDED(hr) ? S_OK : E_POINTER;
}

CExchangeClient::CExchangeClient(ISpreadsheetStarter* starter, MessageFn message)
    : starter_(starter ? starter : &ownStarter_), message_(std::move(message)) {
    if (!message_)
        message_ = [](HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
            return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
        };
}

std::wstring CExchangeClient::ExceptionText(const ExchangeFailure& failure) {
    return L"Code = " + Hex8(failure.code) + L"\nCode meaning = " + CodeMeaning(failure.code) + L"\nSource = " +
           failure.source + L"\nDescription = " + failure.description + L"\n";
}

CExchangeClient::Outcome CExchangeClient::Failed(HWND owner) {
    message_(owner, ExceptionText(failure_), L"Exception", MB_OK | MB_ICONERROR);
    return Outcome::Failed;
}

CExchangeClient::Outcome CExchangeClient::Export(HWND owner, const CHumichartDataObj& data, const FileType& type) {
    const std::wstring filter = Filter(type);
    std::vector<wchar_t> path(kPathChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathChars;
    dialog.lpstrDefExt = type.extension.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_SHOWHELP;
    if (!GetSaveFileNameW(&dialog)) return Outcome::Cancelled;
    return ExportTo(owner, path.data(), data);
}

CExchangeClient::Outcome CExchangeClient::Import(HWND owner, CHumichartDataObj& target, ICalcBinding& calc,
                                                 const FileType& type) {
    const std::wstring filter = Filter(type);
    std::vector<wchar_t> path(kPathChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathChars;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&dialog)) return Outcome::Cancelled;
    return ImportFrom(owner, path.data(), target, calc);
}

// An allocation that fails while the exchange runs (a workbook too large for
// the memory left) ends it like any failure of the application: with the
// "Exception" message, what was done so far left done.
CExchangeClient::Outcome CExchangeClient::OutOfMemory(HWND owner) {
    failure_ = {E_OUTOFMEMORY, kImportSource, kNotEnoughMemory};
    return Failed(owner);
}

CExchangeClient::Outcome CExchangeClient::ExportTo(HWND owner, const std::wstring& path,
                                                   const CHumichartDataObj& data) {
    try {
        return DoExport(owner, path, data);
    } catch (const std::bad_alloc&) {
        return OutOfMemory(owner);
    }
}

CExchangeClient::Outcome CExchangeClient::ImportFrom(HWND owner, const std::wstring& path, CHumichartDataObj& target,
                                                     ICalcBinding& calc) {
    try {
        return DoImport(owner, path, target, calc);
    } catch (const std::bad_alloc&) {
        return OutOfMemory(owner);
    }
}

CExchangeClient::Outcome CExchangeClient::DoExport(HWND owner, const std::wstring& path,
                                                   const CHumichartDataObj& data) {
    if (!EndsInXls(path)) return Outcome::NotXls;
    failure_ = {};
    LateBound late(failure_);
    ComPtr<IDispatch> application, workbooks, workbook, sheet;
    const HRESULT started = starter_->Start(application);
    if (FAILED(started)) {
        late.Fail(E_POINTER);
        return Failed(owner);
    }
    if (!late.Put(application.Get(), L"Visible", Variant(true)) ||
        !late.GetObject(application.Get(), L"Workbooks", {}, workbooks) ||
        !late.GetObject(workbooks.Get(), L"Add", Args(Variant(kWorksheetTemplate)), workbook, DISPATCH_METHOD) ||
        !late.GetObject(workbook.Get(), L"ActiveSheet", {}, sheet) ||
        !late.Put(sheet.Get(), L"Name", Variant(std::wstring(kSheetName))))
        return Failed(owner);
    for (const SheetCellWrite& cell : ExportCells(data)) {
        ComPtr<IDispatch> range;
        if (!late.GetObject(sheet.Get(), L"Range", Args(Variant(cell.address)), range) ||
            !late.Put(range.Get(), L"Value2", cell.isText ? Variant(cell.text) : Variant(cell.number)))
            return Failed(owner);
    }
    if (!late.Call(workbook.Get(), L"SaveCopyAs", Args(Variant(path))) ||
        !late.Put(workbook.Get(), L"Saved", Variant(true)) || !late.Call(workbook.Get(), L"Close") ||
        !late.Call(application.Get(), L"Quit"))
        return Failed(owner);
    return Outcome::Done;
}

CExchangeClient::Outcome CExchangeClient::DoImport(HWND owner, const std::wstring& path, CHumichartDataObj& target,
                                                   ICalcBinding& calc) {
    if (!EndsInXls(path)) return Outcome::NotXls;
    failure_ = {};
    LateBound late(failure_);
    ComPtr<IDispatch> application, workbooks, workbook, worksheets, sheet;
    if (FAILED(starter_->Start(application))) {
        late.Fail(E_POINTER);
        return Failed(owner);
    }
    if (!late.Put(application.Get(), L"Visible", Variant(true)) ||
        !late.GetObject(application.Get(), L"Workbooks", {}, workbooks) ||
        !late.GetObject(workbooks.Get(), L"Open", Args(Variant(path)), workbook, DISPATCH_METHOD) ||
        !late.GetObject(workbook.Get(), L"Worksheets", {}, worksheets))
        return Failed(owner);
    if (!late.GetObject(worksheets.Get(), L"Item", Args(Variant(std::wstring(kSheetName))), sheet)) {
        message_(owner, L"Missing sheet named as Humichart.", L"Failed", MB_OK | MB_ICONERROR);
        return Outcome::MissingSheet;
    }
    // Read into a copy: a workbook that fails halfway leaves the target as it was.
    CHumichartDataObj incoming;
    incoming.CopyData(target);
    std::optional<DataFault> fault;
    DispatchSheetReader reader(late, sheet.Get(), starter_->BuiltIn() ? kWorkbookSource : kImportSource);
    if (!ImportCells(reader, incoming, fault)) return Failed(owner);
    if (!late.Call(workbook.Get(), L"Close") || !late.Call(application.Get(), L"Quit")) return Failed(owner);
    if (!AcceptImport(target, incoming, fault, calc)) {
        message_(owner, ImportRefusalText(*fault, [](int id) { return LoadResourceString(static_cast<UINT>(id)); }),
                 L"Failed", MB_OK | MB_ICONERROR);
        return Outcome::Refused;
    }
    return Outcome::Done;
}

}  // namespace humichart
