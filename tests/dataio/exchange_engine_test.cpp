#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

#include "ExchangeTestSupport.h"
#include "UniqueBstr.h"

std::size_t failAllocationOf = 0;
bool failArmed = false;

[[gnu::noinline]] void* operator new(std::size_t size) {
    if (failArmed && size >= failAllocationOf) {
        failArmed = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace humichart::test {
namespace {

// Armed around one engine call by Invoke: -1 for none.
long failAllocation = -1;

// The engine driven by name, as a script would: each call answers its
// status, its result and what EXCEPINFO said.
struct Answer {
    HRESULT hr = S_OK;
    VARIANT value{};
    HRESULT scode = S_OK;
    std::wstring source, description;
    Answer() { VariantInit(&value); }
    Answer(Answer&& o) noexcept : hr(o.hr), value(o.value), scode(o.scode), source(o.source), description(o.description) {
        VariantInit(&o.value);
    }
    ~Answer() { VariantClear(&value); }
    IDispatch* Object() const { return value.vt == VT_DISPATCH ? value.pdispVal : nullptr; }
};

VARIANT Text(const wchar_t* text) { VARIANT v; VariantInit(&v); v.vt = VT_BSTR; v.bstrVal = SysAllocString(text); return v; }
VARIANT Number(double n) { VARIANT v; VariantInit(&v); v.vt = VT_R8; v.dblVal = n; return v; }
VARIANT Flag(bool b) { VARIANT v; VariantInit(&v); v.vt = VT_BOOL; v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; return v; }

Answer Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args = {}) {
    Answer a;
    DISPID id = 0;
    LPOLESTR member = const_cast<LPOLESTR>(name);
    a.hr = object->GetIDsOfNames(IID_NULL, &member, 1, 0, &id);
    if (SUCCEEDED(a.hr)) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr,
                          static_cast<UINT>(reversed.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
        EXCEPINFO info{};
        failAllocationOf = failAllocation < 0 ? 0 : static_cast<std::size_t>(failAllocation);
        failArmed = failAllocation >= 0;
        a.hr = object->Invoke(id, IID_NULL, 0, flags, &params, &a.value, &info, nullptr);
        failArmed = false;
        a.scode = info.scode;
        a.source = info.bstrSource ? info.bstrSource : L"";
        a.description = info.bstrDescription ? info.bstrDescription : L"";
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
    }
    for (VARIANT& v : args) VariantClear(&v);
    return a;
}
Answer Get(IDispatch* o, const wchar_t* n, std::vector<VARIANT> args = {}) { return Invoke(o, n, DISPATCH_PROPERTYGET, std::move(args)); }
Answer Call(IDispatch* o, const wchar_t* n, std::vector<VARIANT> args = {}) { return Invoke(o, n, DISPATCH_METHOD, std::move(args)); }
Answer SetProp(IDispatch* o, const wchar_t* n, VARIANT v) { return Invoke(o, n, DISPATCH_PROPERTYPUT, {v}); }

class EngineTest : public ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        ASSERT_HRESULT_SUCCEEDED(CreateWorkbookApplication(IID_IDispatch, app.PutVoid()));
    }
    void TearDown() override {
        app.Reset();
        ExchangeTest::TearDown();
    }
    Answer Cell(IDispatch* sheet, const wchar_t* address) { return Get(sheet, L"Range", {Text(address)}); }
    ComPtr<IDispatch> app;
};

TEST_F(EngineTest, CellsKeepTextsNumbersAndTruthValuesAndShowThemAsTheSpreadsheetDoes) {
    ASSERT_HRESULT_SUCCEEDED(SetProp(app.Get(), L"visible", Flag(true)).hr);  // names in any case
    EXPECT_EQ(Get(app.Get(), L"Visible").value.boolVal, VARIANT_TRUE);
    Answer books = Get(app.Get(), L"Workbooks");
    Answer book = Call(books.Object(), L"Add", {Number(-4167)});
    ASSERT_TRUE(book.Object());
    Answer sheet = Get(book.Object(), L"ActiveSheet");
    EXPECT_EQ(std::wstring(Get(sheet.Object(), L"Name").value.bstrVal), L"Sheet1");
    ASSERT_HRESULT_SUCCEEDED(SetProp(sheet.Object(), L"Name", Text(L"Humichart")).hr);

    struct Case { const wchar_t* address; VARIANT value; VARTYPE type; const wchar_t* text; };
    const Case cases[] = {{L"F3", Number(12.5), VT_R8, L"12.5"}, {L"E3", Number(1.0), VT_R8, L"1"},
                          {L"B1", Text(L"基本属性"), VT_BSTR, L"基本属性"}, {L"A1", Flag(true), VT_BOOL, L"TRUE"},
                          {L"IV65536", Text(L""), VT_EMPTY, L""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.address, c.address + wcslen(c.address)));
        Answer range = Cell(sheet.Object(), c.address);
        ASSERT_HRESULT_SUCCEEDED(SetProp(range.Object(), L"Value2", c.value).hr);
        Answer value = Get(range.Object(), L"Value2");
        EXPECT_EQ(value.value.vt, c.type);
        EXPECT_EQ(std::wstring(Get(range.Object(), L"Text").value.bstrVal), c.text);
    }

    const std::wstring path = PathOf(L"engine.xls");
    ASSERT_HRESULT_SUCCEEDED(Call(book.Object(), L"SaveCopyAs", {Text(path.c_str())}).hr);
    EXPECT_EQ(Get(book.Object(), L"Saved").value.boolVal, VARIANT_FALSE);
    ASSERT_HRESULT_SUCCEEDED(SetProp(book.Object(), L"Saved", Flag(true)).hr);
    ASSERT_HRESULT_SUCCEEDED(Call(book.Object(), L"Close").hr);
    EXPECT_EQ(Get(sheet.Object(), L"Name").hr, DISP_E_EXCEPTION);  // a closed workbook's sheets are gone

    Answer opened = Call(books.Object(), L"Open", {Text(path.c_str())});
    ASSERT_TRUE(opened.Object()) << std::string(opened.description.begin(), opened.description.end());
    Answer sheets = Get(opened.Object(), L"Worksheets");
    Answer again = Get(sheets.Object(), L"Item", {Text(L"HUMICHART")});
    ASSERT_TRUE(again.Object());
    Answer f3 = Get(Cell(again.Object(), L"f3").Object(), L"Value2");
    EXPECT_EQ(f3.value.vt, VT_R8);
    EXPECT_EQ(f3.value.dblVal, 12.5);
    EXPECT_EQ(std::wstring(Get(Cell(again.Object(), L"B1").Object(), L"Value2").value.bstrVal), L"基本属性");
    EXPECT_HRESULT_SUCCEEDED(Call(app.Get(), L"Quit").hr);
}

TEST_F(EngineTest, FailuresNameTheEngineAndSayWhatToDo) {
    Answer books = Get(app.Get(), L"Workbooks");
    Answer book = Call(books.Object(), L"Add", {Number(-4167)});
    Answer sheet = Get(book.Object(), L"ActiveSheet");
    Answer other = Call(books.Object(), L"Add");
    EXPECT_EQ(Get(Get(other.Object(), L"Worksheets").Object(), L"Count").value.lVal, 3);

    // Out of memory: the first allocation of a call, and the buffer of a file read.
    const std::wstring big = WriteWorkbook(L"big.xls", Workbook{{Sheet{L"Humichart", {}}}});
    std::vector<std::uint8_t> padding(200000);
    std::ofstream(std::filesystem::path(big), std::ios::binary | std::ios::app).write(reinterpret_cast<const char*>(padding.data()), padding.size());
    const auto outOfMemory = [](long atLeast, auto call) {
        failAllocation = atLeast;
        Answer answer = call();
        failAllocation = -1;
        return answer;
    };

    struct Case { const char* what; Answer answer; HRESULT scode; const wchar_t* says; };
    Case cases[] = {
        {"no memory for a call", outOfMemory(0, [&] { return Call(books.Object(), L"Add", {Number(-4167)}); }),
         E_OUTOFMEMORY, L"not enough memory"},
        {"no memory to read a file", outOfMemory(150000, [&] { return Call(books.Object(), L"Open", {Text(big.c_str())}); }),
         E_OUTOFMEMORY, L"not enough memory to read the workbook"},
        {"a range of several cells", Cell(sheet.Object(), L"A1:B2"), E_INVALIDARG, L"is not the address of one cell"},
        {"a column beyond IV", Cell(sheet.Object(), L"IW1"), E_INVALIDARG, L"is not the address of one cell"},
        {"a sheet name with a colon", SetProp(sheet.Object(), L"Name", Text(L"a:b")), E_INVALIDARG, L"is not a sheet name"},
        {"a number that is not finite", SetProp(Cell(sheet.Object(), L"A1").Object(), L"Value2",
                                            Number(std::numeric_limits<double>::infinity())),
         DISP_E_OVERFLOW, L"cannot hold a number that is not finite"},
        {"a chart template", Call(books.Object(), L"Add", {Number(-4109)}), E_INVALIDARG, L"only workbooks of one worksheet"},
        {"a sheet that is not there", Get(Get(book.Object(), L"Worksheets").Object(), L"Item", {Text(L"Humichart")}),
         DISP_E_BADINDEX, L"has no sheet named Humichart"},
        {"a file that is not there", Call(books.Object(), L"Open", {Text(PathOf(L"none.xls").c_str())}), 0, L""},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.answer.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(c.answer.source, L"Humichart workbook");
        if (c.scode) EXPECT_EQ(c.answer.scode, c.scode);
        EXPECT_NE(c.answer.description.find(c.says), std::wstring::npos)
            << std::string(c.answer.description.begin(), c.answer.description.end());
        EXPECT_FALSE(c.answer.description.empty());
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Charts");
    DISPID id = 0;
    EXPECT_EQ(book.Object()->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

}  // namespace
}  // namespace humichart::test
