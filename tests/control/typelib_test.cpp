// The control's type library as compiled clients and late-bound hosts see it:
// the vtable order, the dispatch ids and the event source are a contract.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "Humichart_h.h"

namespace {

struct Member {
    const wchar_t* name;
    MEMBERID id;
    INVOKEKIND kind;
};

constexpr INVOKEKIND G = INVOKE_PROPERTYGET, P = INVOKE_PROPERTYPUT, F = INVOKE_FUNC;

const Member kVtable[58] = {
    {L"AirPressure", 1, G}, {L"AirPressure", 1, P}, {L"HasDLine", 2, G}, {L"HasDLine", 2, P},
    {L"HasTLine", 3, G}, {L"HasTLine", 3, P}, {L"HasILine", 4, G}, {L"HasILine", 4, P},
    {L"HasFLine", 5, G}, {L"HasFLine", 5, P}, {L"HasProcessLineName", 6, G}, {L"HasProcessLineName", 6, P},
    {L"HasBorder", 7, G}, {L"HasBorder", 7, P}, {L"HasBackground", 8, G}, {L"HasBackground", 8, P},
    {L"HasForeground", 9, G}, {L"HasForeground", 9, P}, {L"RangeMaxT", 10, G}, {L"RangeMaxT", 10, P},
    {L"RangeMinT", 11, G}, {L"RangeMinT", 11, P}, {L"RangeMaxD", 12, G}, {L"RangeMaxD", 12, P},
    {L"RangeMinD", 13, G}, {L"RangeMinD", 13, P}, {L"Reset", 14, F}, {L"Refresh", 15, F},
    {L"AddPoint", 16, F}, {L"RemovePoint", 17, F}, {L"RemoveAllPoints", 18, F}, {L"RemoveNoNamePoints", 19, F},
    {L"AddProcess", 20, F}, {L"RemoveProcess", 21, F}, {L"RemoveAllProcesses", 22, F}, {L"AddMixLine", 23, F},
    {L"RemoveMixLine", 24, F}, {L"RemoveAllMixLines", 25, F}, {L"PointCount", 26, F}, {L"ProcessCount", 27, F},
    {L"MixerCount", 28, F}, {L"GetPoint", 29, F}, {L"GetProcess", 30, F}, {L"GetMixer", 31, F},
    {L"SetCSSR", 32, F}, {L"DataIndex", 33, G}, {L"DataIndex", 33, P},
    // Appended after the Part's members: the design tools.
    {L"DesignSupplyState", 34, F}, {L"DesignFreshAir", 35, F}, {L"DesignDewPointSupply", 36, F},
    // Then documents, pictures, the report and the menu's commands.
    {L"ExportWorkbook", 37, F}, {L"ImportWorkbook", 38, F}, {L"SavePicture", 39, F}, {L"SaveDocument", 40, F},
    {L"OpenDocument", 41, F}, {L"PrintReport", 42, F}, {L"ExecuteCommand", 43, F}, {L"CommandState", 44, F},
};

class TypeLib : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadTypeLibEx(HUMICHART_TLB, REGKIND_NONE, &lib_), S_OK); }
    void TearDown() override {
        if (lib_) lib_->Release();
    }

    std::wstring Name(ITypeInfo* info, MEMBERID id) {
        BSTR name = nullptr;
        EXPECT_EQ(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr), S_OK);
        std::wstring text = name ? name : L"";
        SysFreeString(name);
        return text;
    }

    ITypeLib* lib_ = nullptr;
};

TEST_F(TypeLib, LibraryAndClass) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib_->GetLibAttr(&attr), S_OK);
    wchar_t text[40] = {};
    StringFromGUID2(attr->guid, text, 40);
    EXPECT_STREQ(text, L"{A84C8B65-1DBA-4978-83C1-9C69821E95B9}");
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    lib_->ReleaseTLibAttr(attr);
    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(lib_->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"Humichart");
    EXPECT_STREQ(help, L"Humichart 1.0 Type Library");
    SysFreeString(name);
    SysFreeString(help);

    const GUID clsid = {0xCB3BFDC9, 0x32B5, 0x4E4F, {0x9A, 0x2D, 0x21, 0x61, 0x47, 0x11, 0xE4, 0x4C}};
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(lib_->GetTypeInfoOfGuid(clsid, &coclass), S_OK);
    TYPEATTR* type = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&type), S_OK);
    EXPECT_EQ(type->typekind, TKIND_COCLASS);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FCONTROL);
    ASSERT_EQ(type->cImplTypes, 2);
    coclass->ReleaseTypeAttr(type);
    int flags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(1, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    HREFTYPE ref = 0;
    ITypeInfo* events = nullptr;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(1, &ref), S_OK);
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, &events), S_OK);
    ASSERT_EQ(events->GetTypeAttr(&type), S_OK);
    EXPECT_TRUE(IsEqualGUID(type->guid, DIID__IHumichartCtlEvents));
    EXPECT_EQ(type->typekind, TKIND_DISPATCH);
    EXPECT_EQ(type->cFuncs, 4);
    events->ReleaseTypeAttr(type);
    const std::vector<std::pair<const wchar_t*, std::vector<VARTYPE>>> expected = {
        {L"OnInit", {VT_R8}}, {L"OnDestroy", {}}, {L"OnSize", {VT_UI4, VT_UI4}}, {L"OnDataChanged", {}}};
    for (UINT i = 0; i < 4; ++i) {
        FUNCDESC* func = nullptr;
        ASSERT_EQ(events->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(func->memid, MEMBERID(i + 1));
        EXPECT_EQ(Name(events, func->memid), expected[i].first);
        ASSERT_EQ(func->cParams, SHORT(expected[i].second.size()));
        for (SHORT p = 0; p < func->cParams; ++p) EXPECT_EQ(func->lprgelemdescParam[p].tdesc.vt, expected[i].second[p]);
        events->ReleaseFuncDesc(func);
    }
    events->Release();
    coclass->Release();
}

TEST_F(TypeLib, InterfaceMembersInVtableOrder) {
    ITypeInfo* dispatch = nullptr;
    ASSERT_EQ(lib_->GetTypeInfoOfGuid(IID_IHumichartCtl, &dispatch), S_OK);
    // The dual interface's vtable half.
    HREFTYPE ref = 0;
    ITypeInfo* vtable = nullptr;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(dispatch->GetRefTypeInfo(ref, &vtable), S_OK);
    TYPEATTR* type = nullptr;
    ASSERT_EQ(vtable->GetTypeAttr(&type), S_OK);
    EXPECT_EQ(type->typekind, TKIND_INTERFACE);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
    ASSERT_EQ(type->cFuncs, 58);
    vtable->ReleaseTypeAttr(type);

    for (UINT i = 0; i < 58; ++i) {
        FUNCDESC* func = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(func->memid, kVtable[i].id) << i;
        EXPECT_EQ(func->invkind, kVtable[i].kind) << i;
        EXPECT_EQ(func->oVft, SHORT((7 + i) * sizeof(void*))) << i;
        EXPECT_EQ(Name(vtable, func->memid), kVtable[i].name) << i;
        vtable->ReleaseFuncDesc(func);
    }

    // GetMixer: an index in, then four strings and two doubles out.
    FUNCDESC* func = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(43, &func), S_OK);
    ASSERT_EQ(func->cParams, 7);
    EXPECT_EQ(func->lprgelemdescParam[0].tdesc.vt, VT_UI4);
    EXPECT_EQ(func->lprgelemdescParam[0].paramdesc.wParamFlags, PARAMFLAG_FIN);
    for (int p = 1; p < 7; ++p) {
        EXPECT_EQ(func->lprgelemdescParam[p].tdesc.vt, VT_PTR) << p;
        EXPECT_EQ(func->lprgelemdescParam[p].tdesc.lptdesc->vt, p <= 4 ? VT_BSTR : VT_R8) << p;
        EXPECT_EQ(func->lprgelemdescParam[p].paramdesc.wParamFlags, PARAMFLAG_FOUT) << p;
    }
    vtable->ReleaseFuncDesc(func);

    // Late-bound names ignore case.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"rangemaxd"), const_cast<LPOLESTR>(L"GETPOINT")};
    MEMBERID ids[2] = {};
    ASSERT_EQ(dispatch->GetIDsOfNames(&names[0], 1, &ids[0]), S_OK);
    ASSERT_EQ(dispatch->GetIDsOfNames(&names[1], 1, &ids[1]), S_OK);
    EXPECT_EQ(ids[0], 12);
    EXPECT_EQ(ids[1], 29);
    vtable->Release();
    dispatch->Release();
}

}  // namespace
