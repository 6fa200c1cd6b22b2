// Late binding as automation clients use it: names resolved ignoring case,
// arguments of any numeric type, outputs through by-reference variants.
#include <cmath>
#include <cstring>
#include <vector>

#include "ComTestSupport.h"

namespace {

class DispatchTest : public ApartmentTest {
protected:
    void SetUp() override {
        ApartmentTest::SetUp();
        ComPtr<ICalID> calc = BindCalculator();
        ASSERT_TRUE(calc);
        ASSERT_HRESULT_SUCCEEDED(calc.As(dispatch));
    }
    void TearDown() override {
        dispatch.Reset();
        ApartmentTest::TearDown();
    }

    DISPID Resolve(const wchar_t* name) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = 0;
        const HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        return SUCCEEDED(hr) ? id : hr;
    }

    // args in call order; rgvarg wants them reversed.
    HRESULT Call(DISPID id, std::vector<VARIANT> args, UINT* argError = nullptr) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        VARIANT result;
        VariantInit(&result);
        const HRESULT hr =
            dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, argError);
        VariantClear(&result);
        return hr;
    }

    ComPtr<IDispatch> dispatch;
};

VARIANT Double(double v) {
    VARIANT x;
    VariantInit(&x);
    x.vt = VT_R8;
    x.dblVal = v;
    return x;
}

VARIANT RefVariant(VARIANT* target) {
    VARIANT x;
    VariantInit(&x);
    x.vt = VT_BYREF | VT_VARIANT;
    x.pvarVal = target;
    return x;
}

VARIANT RefDouble(double* target) {
    VARIANT x;
    VariantInit(&x);
    x.vt = VT_BYREF | VT_R8;
    x.pdblVal = target;
    return x;
}

TEST_F(DispatchTest, NamesResolveIgnoringTheCaseOfLatinLettersOnly) {
    EXPECT_EQ(Resolve(L"id_d_t_f"), 9);
    EXPECT_EQ(Resolve(L"ID_D_T_F"), 9);
    EXPECT_EQ(Resolve(L"setinit"), 1);
    EXPECT_EQ(Resolve(L"Id_Rou_T_f"), 29);
    EXPECT_EQ(Resolve(L"ID_D_T_F "), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Resolve(L"ID_D_T"), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Resolve(L"\u0130D_D_T_F"), DISP_E_UNKNOWNNAME);  // dotted capital I is not I
    EXPECT_EQ(Resolve(L""), DISP_E_UNKNOWNNAME);

    LPOLESTR withParams[] = {const_cast<LPOLESTR>(L"ID_D_F_TS"), const_cast<LPOLESTR>(L"ts"),
                             const_cast<LPOLESTR>(L"F"), const_cast<LPOLESTR>(L"Q")};
    DISPID ids[4] = {};
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, withParams, 4, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 11);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], 0);
    EXPECT_EQ(ids[3], DISPID_UNKNOWN);
}

TEST_F(DispatchTest, OutputsGoThroughVariantOrDoubleReferences) {
    ComPtr<ICalID> calc;
    ASSERT_HRESULT_SUCCEEDED(dispatch.As(calc));
    double expected = 0;
    ASSERT_HRESULT_SUCCEEDED(calc->ID_D_T_F(20, 0.5, &expected));

    VARIANT out;
    VariantInit(&out);
    out.vt = VT_BSTR;  // whatever the variable held is cleared
    out.bstrVal = SysAllocString(L"previous");
    ASSERT_HRESULT_SUCCEEDED(Call(9, {Double(20), Double(0.5), RefVariant(&out)}));
    EXPECT_EQ(out.vt, VT_R8);
    EXPECT_EQ(out.dblVal, expected);

    double direct = 0;
    ASSERT_HRESULT_SUCCEEDED(Call(9, {Double(20), Double(0.5), RefDouble(&direct)}));
    EXPECT_EQ(direct, expected);
}

TEST_F(DispatchTest, InputsConvertFromAnyNumericTypeByValueOrReference) {
    ComPtr<ICalID> calc;
    ASSERT_HRESULT_SUCCEEDED(dispatch.As(calc));
    double expected = 0;
    ASSERT_HRESULT_SUCCEEDED(calc->ID_D_T_F(20, 0.5, &expected));

    VARIANT t;
    VariantInit(&t);
    t.vt = VT_I4;
    t.lVal = 20;
    float f = 0.5f;
    VARIANT fRef;
    VariantInit(&fRef);
    fRef.vt = VT_BYREF | VT_R4;
    fRef.pfltVal = &f;
    double out = 0;
    ASSERT_HRESULT_SUCCEEDED(Call(9, {t, fRef, RefDouble(&out)}));
    EXPECT_EQ(out, expected);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"20");
    VARIANT half = Double(0.5);
    VARIANT halfRef = RefVariant(&half);
    out = 0;
    ASSERT_HRESULT_SUCCEEDED(Call(9, {text, halfRef, RefDouble(&out)}));
    EXPECT_EQ(out, expected);
    VariantClear(&text);
}

TEST_F(DispatchTest, SetInitThroughDispatchMovesThePressure) {
    double standard = 0, low = 0;
    ASSERT_HRESULT_SUCCEEDED(Call(9, {Double(20), Double(1), RefDouble(&standard)}));
    ASSERT_HRESULT_SUCCEEDED(Call(1, {Double(90000)}));
    ASSERT_HRESULT_SUCCEEDED(Call(9, {Double(20), Double(1), RefDouble(&low)}));
    EXPECT_GT(low, standard);
    ASSERT_HRESULT_SUCCEEDED(Call(1, {Double(101325)}));
}

TEST_F(DispatchTest, NamedArgumentsLandOnTheirParameters) {
    double expected = 0, out = 0;
    ASSERT_HRESULT_SUCCEEDED(Call(11, {Double(0.5), Double(13.727), RefDouble(&expected)}));
    // D:=out, TS:=13.727 named; F positional.
    VARIANT args[3] = {RefDouble(&out), Double(13.727), Double(0.5)};
    DISPID named[2] = {2, 1};
    DISPPARAMS params{args, named, 3, 2};
    ASSERT_HRESULT_SUCCEEDED(dispatch->Invoke(11, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr));
    EXPECT_EQ(out, expected);
}

TEST_F(DispatchTest, BadCallsAnswerTheStandardCodes) {
    double out = 0;
    UINT argError = 99;
    EXPECT_EQ(Call(9, {Double(20), RefDouble(&out)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(9, {Double(20), Double(0.5), Double(1), RefDouble(&out)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(1, {}), DISP_E_BADPARAMCOUNT);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"warm");
    EXPECT_EQ(Call(9, {Double(20), text, RefDouble(&out)}, &argError), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 1u);  // the second argument from the right
    VariantClear(&text);

    VARIANT empty;
    VariantInit(&empty);
    empty.vt = VT_NULL;
    EXPECT_EQ(Call(9, {empty, Double(0.5), RefDouble(&out)}, &argError), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 2u);

    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(Call(9, {missing, Double(0.5), RefDouble(&out)}), DISP_E_PARAMNOTOPTIONAL);

    // An output passed by value has nowhere to go.
    EXPECT_EQ(Call(9, {Double(20), Double(0.5), Double(0)}, &argError), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 0u);
    EXPECT_EQ(Call(9, {Double(20), Double(0.5), RefDouble(nullptr)}), DISP_E_TYPEMISMATCH);

    EXPECT_EQ(Call(0, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(30, {Double(1)}), DISP_E_MEMBERNOTFOUND);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(dispatch->Invoke(1, IID_ICalID, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(dispatch->Invoke(9, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
}

TEST_F(DispatchTest, EveryOperationAgreesWithTheVtableToTheBit) {
    ComPtr<ICalID> calc;
    ASSERT_HRESULT_SUCCEEDED(dispatch.As(calc));
    using One = HRESULT (STDMETHODCALLTYPE ICalID::*)(double, double*);
    using Two = HRESULT (STDMETHODCALLTYPE ICalID::*)(double, double, double*);
    const struct { const wchar_t* name; One one; Two two; } ops[] = {
        {L"ID_PQ_D", &ICalID::ID_PQ_D, nullptr},     {L"ID_D_PQ", &ICalID::ID_D_PQ, nullptr},
        {L"ID_I_TS", &ICalID::ID_I_TS, nullptr},     {L"ID_I_T_F", nullptr, &ICalID::ID_I_T_F},
        {L"ID_I_T_D", nullptr, &ICalID::ID_I_T_D},   {L"ID_I_D_F", nullptr, &ICalID::ID_I_D_F},
        {L"ID_D_T_TS", nullptr, &ICalID::ID_D_T_TS}, {L"ID_D_T_F", nullptr, &ICalID::ID_D_T_F},
        {L"ID_D_T_I", nullptr, &ICalID::ID_D_T_I},   {L"ID_D_F_TS", nullptr, &ICalID::ID_D_F_TS},
        {L"ID_D_I_F", nullptr, &ICalID::ID_D_I_F},   {L"ID_F_T_TS", nullptr, &ICalID::ID_F_T_TS},
        {L"ID_F_T_I", nullptr, &ICalID::ID_F_T_I},   {L"ID_F_D_I", nullptr, &ICalID::ID_F_D_I},
        {L"ID_F_T_D", nullptr, &ICalID::ID_F_T_D},   {L"ID_F_D_TS", nullptr, &ICalID::ID_F_D_TS},
        {L"ID_TS_T_F", nullptr, &ICalID::ID_TS_T_F}, {L"ID_TS_I", &ICalID::ID_TS_I, nullptr},
        {L"ID_TS_T_D", nullptr, &ICalID::ID_TS_T_D}, {L"ID_TS_D_F", nullptr, &ICalID::ID_TS_D_F},
        {L"ID_T_D_I", nullptr, &ICalID::ID_T_D_I},   {L"ID_T_D_TS", nullptr, &ICalID::ID_T_D_TS},
        {L"ID_T_D_F", nullptr, &ICalID::ID_T_D_F},   {L"ID_T_F_TS", nullptr, &ICalID::ID_T_F_TS},
        {L"ID_T_I_F", nullptr, &ICalID::ID_T_I_F},   {L"ID_ROU_T_D", nullptr, &ICalID::ID_ROU_T_D},
        {L"ID_ROU_I_D", nullptr, &ICalID::ID_ROU_I_D}, {L"ID_ROU_T_F", nullptr, &ICalID::ID_ROU_T_F},
    };
    const double a = 23.5, b = 0.62;  // ordinary, and meaningful for every pair
    for (size_t k = 0; k < std::size(ops); ++k) {
        SCOPED_TRACE(testing::Message() << "operation " << k + 2);
        ASSERT_EQ(Resolve(ops[k].name), static_cast<DISPID>(k + 2));  // the table's order
        double viaVtable = 0, viaDispatch = 0;
        if (ops[k].one) {
            ASSERT_HRESULT_SUCCEEDED((calc.Get()->*ops[k].one)(a, &viaVtable));
            ASSERT_HRESULT_SUCCEEDED(Call(k + 2, {Double(a), RefDouble(&viaDispatch)}));
        } else {
            ASSERT_HRESULT_SUCCEEDED((calc.Get()->*ops[k].two)(a, b, &viaVtable));
            ASSERT_HRESULT_SUCCEEDED(Call(k + 2, {Double(a), Double(b), RefDouble(&viaDispatch)}));
        }
        EXPECT_EQ(std::memcmp(&viaVtable, &viaDispatch, sizeof(double)), 0);
    }
}

}  // namespace
