// IHumichartCtl through its vtable and by name: property limits and read-back,
// the data methods' rules with a chart window, and E_ABORT without one.
#include <cmath>
#include <limits>
#include <vector>

#include "ControlTestSupport.h"
#include "HResult.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// What every export, COM method and window procedure of ours runs its body
// through: an exception comes back as a status, never through the caller.
TEST(NoThrow, ExceptionsComeBackAsStatuses) {
    EXPECT_EQ(NoThrow([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(NoThrow([]() -> HRESULT {
                  std::wstring name;
                  name.resize(name.max_size() + 1);  // more than any string can hold
                  return S_OK;
              }),
              E_OUTOFMEMORY);
    EXPECT_EQ(NoThrow([]() -> HRESULT { throw 42; }), E_UNEXPECTED);
    EXPECT_EQ(NoThrow([] { return S_FALSE; }), S_FALSE);
}

TEST_F(ControlTest, PressureLimitsAreInclusiveAndARefusalKeepsTheOldValue) {
    auto chart = CreateChart();
    ASSERT_TRUE(chart);
    double p = 0;
    EXPECT_HRESULT_SUCCEEDED(chart->get_AirPressure(&p));
    EXPECT_EQ(p, 101325.0);
    EXPECT_EQ(chart->put_AirPressure(85000), S_OK);
    EXPECT_EQ(chart->put_AirPressure(111325), S_OK);
    for (double bad : {84999.99, 111325.01, kNaN, kInf}) EXPECT_EQ(chart->put_AirPressure(bad), E_INVALIDARG) << bad;
    chart->get_AirPressure(&p);
    EXPECT_EQ(p, 111325.0);
}

TEST_F(ControlTest, RangeBoundsAreCheckedAgainstTheOppositeCopy) {
    auto chart = CreateChart();
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->put_RangeMaxT(-20.5), E_INVALIDARG);
    EXPECT_EQ(chart->put_RangeMaxT(-20), S_OK);
    EXPECT_EQ(chart->put_RangeMaxT(65), S_OK);
    EXPECT_EQ(chart->put_RangeMinT(55.5), E_INVALIDARG);
    EXPECT_EQ(chart->put_RangeMinT(55), S_OK);
    EXPECT_EQ(chart->put_RangeMinT(-30.5), E_INVALIDARG);
    EXPECT_EQ(chart->put_RangeMaxD(10), S_OK);
    EXPECT_EQ(chart->put_RangeMinD(0), S_OK);
    EXPECT_EQ(chart->put_RangeMinD(-0.1), E_INVALIDARG);
    EXPECT_EQ(chart->put_RangeMinD(0.5), E_INVALIDARG);  // within 10 of RangeMaxD 10
    EXPECT_EQ(chart->put_RangeMaxD(80.5), E_INVALIDARG);
    EXPECT_EQ(chart->put_RangeMaxD(kNaN), E_INVALIDARG);
    double t = 0, d = 0;
    chart->get_RangeMinT(&t);
    chart->get_RangeMaxD(&d);
    EXPECT_EQ(t, 55.0);
    EXPECT_EQ(d, 10.0);
}

TEST_F(ControlTest, FlagsAreReducedToTrueOrFalse) {
    auto chart = CreateChart();
    ASSERT_TRUE(chart);
    VARIANT_BOOL flag = 0;
    chart->get_HasBorder(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);
    chart->get_HasTLine(&flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(chart->put_HasTLine(5), S_OK);
    chart->get_HasTLine(&flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    chart->put_HasTLine(VARIANT_FALSE);
    chart->get_HasTLine(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);
}

TEST_F(ControlTest, EveryDataMethodAnswersAbortWithoutAChartWindow) {
    auto chart = CreateChart();
    ASSERT_TRUE(chart);
    auto a = Bstr(L"A"), b = Bstr(L"B"), m = Bstr(L"M");
    ULONG n = 0;
    double x = 0, y = 0;
    BSTR s1 = nullptr, s2 = nullptr, s3 = nullptr, s4 = nullptr;
    EXPECT_EQ(chart->Reset(), E_ABORT);
    EXPECT_EQ(chart->Refresh(), E_ABORT);
    EXPECT_EQ(chart->AddPoint(40, 5, a.Get()), E_ABORT);
    EXPECT_EQ(chart->RemovePoint(a.Get()), E_ABORT);
    EXPECT_EQ(chart->RemoveAllPoints(), E_ABORT);
    EXPECT_EQ(chart->RemoveNoNamePoints(), E_ABORT);
    EXPECT_EQ(chart->AddProcess(a.Get(), b.Get(), nullptr, 1000), E_ABORT);
    EXPECT_EQ(chart->RemoveProcess(a.Get(), b.Get()), E_ABORT);
    EXPECT_EQ(chart->RemoveAllProcesses(), E_ABORT);
    EXPECT_EQ(chart->AddMixLine(a.Get(), b.Get(), m.Get(), nullptr, 1, 2), E_ABORT);
    EXPECT_EQ(chart->RemoveMixLine(a.Get(), b.Get()), E_ABORT);
    EXPECT_EQ(chart->RemoveAllMixLines(), E_ABORT);
    EXPECT_EQ(chart->PointCount(&n), E_ABORT);
    EXPECT_EQ(chart->ProcessCount(&n), E_ABORT);
    EXPECT_EQ(chart->MixerCount(&n), E_ABORT);
    EXPECT_EQ(chart->GetPoint(0, &x, &y, &s1), E_ABORT);
    EXPECT_EQ(chart->GetProcess(0, &s1, &s2, &s3, &x), E_ABORT);
    EXPECT_EQ(chart->GetMixer(0, &s1, &s2, &s3, &s4, &x, &y), E_ABORT);
    EXPECT_EQ(chart->SetCSSR(20, 26, 5, 10), E_ABORT);
    VARIANT none;
    VariantInit(&none);
    LONG state = 0;
    EXPECT_EQ(chart->ExportWorkbook(a.Get()), E_ABORT);
    EXPECT_EQ(chart->ImportWorkbook(a.Get()), E_ABORT);
    EXPECT_EQ(chart->SavePicture(a.Get(), none, none), E_ABORT);
    EXPECT_EQ(chart->SaveDocument(a.Get()), E_ABORT);
    EXPECT_EQ(chart->OpenDocument(a.Get()), E_ABORT);
    EXPECT_EQ(chart->PrintReport(a.Get(), none), E_ABORT);
    EXPECT_EQ(chart->ExecuteCommand(208), E_ABORT);
    EXPECT_EQ(chart->CommandState(208, &state), E_ABORT);
    // Setters still keep the copies.
    EXPECT_EQ(chart->put_DataIndex(3), S_OK);
    EXPECT_EQ(chart->get_DataIndex(&n), S_OK);
    EXPECT_EQ(n, 3u);
}

TEST_F(ControlTest, NamesResolveIgnoringCaseAndUnknownNamesAreRefused) {
    auto chart = CreateChart();
    ASSERT_TRUE(chart);
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"addPOINT");
    EXPECT_EQ(chart->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 16);
    name = const_cast<LPOLESTR>(L"datAindex");
    chart->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    EXPECT_EQ(id, 33);
    name = const_cast<LPOLESTR>(L"AddPoints");
    EXPECT_EQ(chart->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);

    // A late-bound property put reaches the same limits.
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R8;
    value.dblVal = 90000;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &put, 1, 1};
    EXPECT_EQ(chart->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                            nullptr), S_OK);
    value.dblVal = 50000;
    EXCEPINFO exception{};
    EXPECT_EQ(chart->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &exception,
                            nullptr), DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, E_INVALIDARG);
    UniqueBstr description, source, helpFile;
    description.Reset(exception.bstrDescription);
    source.Reset(exception.bstrSource);
    helpFile.Reset(exception.bstrHelpFile);
    double p = 0;
    chart->get_AirPressure(&p);
    EXPECT_EQ(p, 90000.0);
}

TEST_F(ActiveChartTest, LateBoundCallsWithTooManyArgumentsAreRefusedAndChangeNothing) {
    auto name = Bstr(L"A");
    ASSERT_EQ(chart_->AddPoint(40, 5, name.Get()), S_OK);
    VARIANT extra[2];
    for (VARIANT& v : extra) {
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = 1;
    }
    // RemoveAllPoints takes none, RemovePoint one.
    for (const auto& [id, count] : {std::pair<DISPID, UINT>{18, 1}, {17, 2}}) {
        extra[0].vt = id == 17 ? VT_BSTR : VT_I4;
        if (id == 17) extra[0].bstrVal = name.Get();
        DISPPARAMS params{extra, nullptr, count, 0};
        EXPECT_EQ(chart_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
                  DISP_E_BADPARAMCOUNT)
            << id;
    }
    EXPECT_EQ(Points(), 1u);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(chart_->Invoke(18, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(Points(), 0u);
}

// What a late-bound caller passes for an output: a reference of the
// parameter's own type (Basic's typed variables) or a reference to a VARIANT
// (every variable of a script), by position or by name.
VARIANT Ref(double* value) { VARIANT v; VariantInit(&v); v.vt = VT_BYREF | VT_R8; v.pdblVal = value; return v; }
VARIANT Ref(BSTR* value) { VARIANT v; VariantInit(&v); v.vt = VT_BYREF | VT_BSTR; v.pbstrVal = value; return v; }
VARIANT Ref(VARIANT* value) { VARIANT v; VariantInit(&v); v.vt = VT_BYREF | VT_VARIANT; v.pvarVal = value; return v; }
VARIANT Index(long index) { VARIANT v; VariantInit(&v); v.vt = VT_I4; v.lVal = index; return v; }

// args in the order of the parameters; the last named ones go by name.
HRESULT CallByName(IHumichartCtl* chart, const wchar_t* member, std::vector<VARIANT> args,
                   std::vector<const wchar_t*> named = {}) {
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(member)};
    for (const wchar_t* n : named) names.push_back(const_cast<LPOLESTR>(n));
    std::vector<DISPID> ids(names.size());
    const HRESULT found = chart->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()),
                                               LOCALE_USER_DEFAULT, ids.data());
    if (FAILED(found)) return found;
    // Named arguments first, in the order of their ids; then the positional
    // ones, last first.
    const std::size_t positional = args.size() - named.size();
    std::vector<VARIANT> rgvarg(args.begin() + static_cast<std::ptrdiff_t>(positional), args.end());
    rgvarg.insert(rgvarg.end(), args.rbegin() + static_cast<std::ptrdiff_t>(named.size()), args.rend());
    DISPPARAMS params{rgvarg.data(), ids.data() + 1, static_cast<UINT>(args.size()), static_cast<UINT>(named.size())};
    EXCEPINFO exception{};
    const HRESULT hr = chart->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                     &exception, nullptr);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return hr == DISP_E_EXCEPTION ? exception.scode : hr;
}

TEST_F(ActiveChartTest, LateBoundOutputsFillTypedReferencesAndScriptVariables) {
    auto a = Bstr(L"A"), b = Bstr(L"B"), heating = Bstr(L"Heating");
    chart_->AddPoint(40, 5, a.Get());
    chart_->AddPoint(30, 3, nullptr);
    chart_->AddPoint(50, 5, b.Get());
    ASSERT_EQ(chart_->AddProcess(a.Get(), b.Get(), heating.Get(), 1200), S_OK);

    double di = 0, dd = 0;
    UniqueBstr name;
    ASSERT_EQ(CallByName(chart_.Get(), L"GetPoint", {Index(0), Ref(&di), Ref(&dd), Ref(name.Put())}), S_OK);
    EXPECT_EQ(di, 40.0);
    EXPECT_EQ(dd, 5.0);
    EXPECT_EQ(name.View(), L"A");

    // Script variables, beside a typed one, take the outputs' types whatever
    // they held; a point without a name reads as a string, the empty one.
    VARIANT vDi, vName;
    for (VARIANT* v : {&vDi, &vName}) VariantInit(v);
    vDi.vt = VT_BSTR;
    vDi.bstrVal = SysAllocString(L"held before");
    vName.vt = VT_I4;
    ASSERT_EQ(CallByName(chart_.Get(), L"GetPoint", {Index(1), Ref(&vDi), Ref(&dd), Ref(&vName)}), S_OK);
    EXPECT_EQ(vDi.vt, VT_R8);
    EXPECT_EQ(vDi.dblVal, 30.0);
    EXPECT_EQ(dd, 3.0);
    EXPECT_EQ(vName.vt, VT_BSTR);
    EXPECT_EQ(SysStringLen(vName.bstrVal), 0u);

    // By name, out of order: each output lands in the variable given for it.
    VARIANT vStart, vFlow;
    for (VARIANT* v : {&vStart, &vFlow}) VariantInit(v);
    UniqueBstr end;
    ASSERT_EQ(CallByName(chart_.Get(), L"GetProcess",
                         {Index(0), Ref(&vStart), Ref(&vFlow), Ref(end.Put()), Ref(&vName)},
                         {L"ptStart", L"dAirFlow", L"ptEnd", L"name"}),
              S_OK);
    EXPECT_STREQ(vStart.bstrVal, L"A");
    EXPECT_EQ(end.View(), L"B");
    ASSERT_EQ(vFlow.vt, VT_R8);
    EXPECT_EQ(vFlow.dblVal, 1200.0);
    EXPECT_STREQ(vName.bstrVal, L"Heating");
    for (VARIANT* v : {&vDi, &vName, &vStart, &vFlow}) VariantClear(v);
}

TEST_F(ActiveChartTest, PointsUpToSaturationAreAcceptedAndAboveRefused) {
    const double saturation = SaturationAt(50);
    ASSERT_NEAR(saturation, 12.7, 0.1);
    auto s = Bstr(L"S"), t = Bstr(L"T");
    EXPECT_EQ(chart_->AddPoint(50, std::nextafter(saturation, 100.0), s.Get()), E_INVALIDARG);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(chart_->AddPoint(50, saturation, s.Get()), S_OK);
    EXPECT_EQ(Points(), 1u);
    // Numbers that are not numbers are no state of air.
    EXPECT_EQ(chart_->AddPoint(kNaN, 5, t.Get()), E_INVALIDARG);
    EXPECT_EQ(chart_->AddPoint(50, kNaN, t.Get()), E_INVALIDARG);
    EXPECT_EQ(chart_->AddPoint(-kInf, 5, t.Get()), E_INVALIDARG);
    EXPECT_EQ(Points(), 1u);
}

TEST_F(ActiveChartTest, ANamedPointReplacesItsNamesakeAtTheEndAndUnnamedOnesPile_up) {
    auto a = Bstr(L"A"), b = Bstr(L"B"), empty = Bstr(L"");
    chart_->AddPoint(40, 5, a.Get());
    chart_->AddPoint(45, 6, b.Get());
    chart_->AddPoint(42, 7, a.Get());
    chart_->AddPoint(30, 3, nullptr);
    chart_->AddPoint(31, 3, empty.Get());
    ASSERT_EQ(Points(), 4u);
    EXPECT_EQ(PointName(0), L"B");
    EXPECT_EQ(PointName(1), L"A");
    double i = 0, d = 0;
    BSTR name = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(chart_->GetPoint(1, &i, &d, &name), S_OK);
    UniqueBstr owned;
    owned.Reset(name);
    EXPECT_EQ(i, 42.0);
    EXPECT_EQ(d, 7.0);
    EXPECT_EQ(chart_->GetPoint(3, &i, &d, &name), S_OK);
    EXPECT_EQ(name, nullptr);  // no name: a null string
    EXPECT_EQ(chart_->GetPoint(4, &i, &d, &name), E_INVALIDARG);

    EXPECT_EQ(chart_->RemovePoint(empty.Get()), E_INVALIDARG);
    EXPECT_EQ(chart_->RemovePoint(a.Get()), S_OK);
    EXPECT_EQ(chart_->RemovePoint(a.Get()), E_FAIL);
    EXPECT_EQ(chart_->RemoveNoNamePoints(), S_OK);
    EXPECT_EQ(Points(), 1u);
}

// A process joins two points the chart holds, and goes with either of them.
TEST_F(ActiveChartTest, AReversedProcessReplacesTheFirstAndPointsTakeTheirProcessesAlong) {
    auto a = Bstr(L"A"), b = Bstr(L"B"), p1 = Bstr(L"p1"), p2 = Bstr(L"p2");
    EXPECT_EQ(chart_->AddProcess(a.Get(), b.Get(), p1.Get(), 100), E_INVALIDARG);  // no such points yet
    chart_->AddPoint(40, 5, a.Get());
    chart_->AddPoint(50, 9, b.Get());
    EXPECT_EQ(chart_->AddProcess(a.Get(), nullptr, p1.Get(), 100), E_INVALIDARG);
    EXPECT_EQ(chart_->AddProcess(a.Get(), a.Get(), p1.Get(), 100), E_INVALIDARG);
    EXPECT_EQ(chart_->AddProcess(a.Get(), b.Get(), p1.Get(), kInf), E_INVALIDARG);
    EXPECT_EQ(chart_->AddProcess(a.Get(), b.Get(), p1.Get(), 100), S_OK);
    EXPECT_EQ(chart_->AddProcess(b.Get(), a.Get(), p2.Get(), 200), S_OK);
    ULONG n = 0;
    chart_->ProcessCount(&n);
    ASSERT_EQ(n, 1u);
    UniqueBstr start, end, name;
    double flow = 0;
    ASSERT_EQ(chart_->GetProcess(0, start.Put(), end.Put(), name.Put(), &flow), S_OK);
    EXPECT_EQ(start.View(), L"B");
    EXPECT_EQ(name.View(), L"p2");
    EXPECT_EQ(flow, 200.0);
    EXPECT_EQ(chart_->RemoveProcess(a.Get(), b.Get()), S_OK);
    EXPECT_EQ(chart_->RemoveProcess(b.Get(), a.Get()), E_FAIL);

    EXPECT_EQ(chart_->AddProcess(a.Get(), b.Get(), p1.Get(), 100), S_OK);
    EXPECT_EQ(chart_->RemovePoint(b.Get()), S_OK);
    chart_->ProcessCount(&n);
    EXPECT_EQ(n, 0u);
    chart_->AddPoint(50, 9, b.Get());
    EXPECT_EQ(chart_->AddProcess(a.Get(), b.Get(), p1.Get(), 100), S_OK);
    EXPECT_EQ(chart_->RemoveAllPoints(), S_OK);
    chart_->ProcessCount(&n);
    EXPECT_EQ(n, 0u);
}

TEST_F(ActiveChartTest, MixLinesRefuseATakenMixPointAndReplaceTheSamePair) {
    auto f = Bstr(L"F"), r = Bstr(L"R"), m1 = Bstr(L"M1"), m2 = Bstr(L"M2"), empty = Bstr(L"");
    chart_->AddPoint(60, 10, f.Get());
    chart_->AddPoint(40, 6, r.Get());
    EXPECT_EQ(chart_->AddMixLine(f.Get(), r.Get(), empty.Get(), nullptr, 1, 2), E_INVALIDARG);
    EXPECT_EQ(chart_->AddMixLine(f.Get(), r.Get(), r.Get(), nullptr, 1, 2), E_INVALIDARG);
    EXPECT_EQ(chart_->AddMixLine(f.Get(), r.Get(), m1.Get(), nullptr, kNaN, 2), E_INVALIDARG);
    EXPECT_EQ(chart_->AddMixLine(f.Get(), r.Get(), m1.Get(), nullptr, 1000, 4000), S_OK);
    EXPECT_EQ(chart_->AddMixLine(r.Get(), f.Get(), m2.Get(), nullptr, 2000, 4000), S_OK);
    ULONG mixes = 0;
    chart_->MixerCount(&mixes);
    EXPECT_EQ(mixes, 1u);
    ASSERT_EQ(Points(), 4u);  // both mix points stay
    EXPECT_EQ(PointName(2), L"M1");
    EXPECT_EQ(PointName(3), L"M2");
    UniqueBstr fresh, ret, mix, name;
    double freshFlow = 0, flow = 0;
    ASSERT_EQ(chart_->GetMixer(0, fresh.Put(), ret.Put(), mix.Put(), name.Put(), &freshFlow, &flow), S_OK);
    EXPECT_EQ(fresh.View(), L"R");
    EXPECT_EQ(mix.View(), L"M2");
    EXPECT_EQ(name.Get(), nullptr);

    EXPECT_EQ(chart_->RemoveMixLine(f.Get(), empty.Get()), E_INVALIDARG);
    EXPECT_EQ(chart_->RemoveMixLine(f.Get(), r.Get()), S_OK);  // either order
    EXPECT_EQ(chart_->RemoveMixLine(f.Get(), r.Get()), E_FAIL);
    EXPECT_EQ(Points(), 4u);
}

TEST_F(ActiveChartTest, ComfortRegionBoundsMustLieBelowSaturation) {
    EXPECT_EQ(chart_->SetCSSR(20, 30, 5, 30), E_INVALIDARG);
    EXPECT_EQ(chart_->SetCSSR(20, 26, 5, 10), S_OK);
    EXPECT_EQ(chart_->SetCSSR(20, 26, 30, 10), E_INVALIDARG);  // minD above saturation at minT
    EXPECT_EQ(chart_->SetCSSR(20, kInf, 5, 10), E_INVALIDARG);
}

TEST_F(ActiveChartTest, GettersFollowTheChartAndSettersReachIt) {
    EXPECT_EQ(chart_->put_HasTLine(0), S_OK);
    VARIANT_BOOL flag = VARIANT_TRUE;
    chart_->get_HasTLine(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_EQ(chart_->put_RangeMaxT(50), S_OK);
    EXPECT_EQ(chart_->put_AirPressure(95000), S_OK);
    double t = 0, p = 0;
    chart_->get_RangeMaxT(&t);
    chart_->get_AirPressure(&p);
    EXPECT_NEAR(t, 50.0, 1e-9);
    EXPECT_EQ(p, 95000.0);
    // Reset puts the chart's own values back; the getters pick them up.
    EXPECT_EQ(chart_->Reset(), S_OK);
    chart_->get_RangeMaxT(&t);
    chart_->get_AirPressure(&p);
    chart_->get_HasTLine(&flag);
    EXPECT_NEAR(t, 65.0, 1e-9);
    EXPECT_EQ(p, 101325.0);
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(chart_->Refresh(), S_OK);
}

}  // namespace
