#include "CalcOperations.h"

#include "Humicalc.h"

namespace {

#define OP1(f, a, r) {L## #f, {L## #a, L## #r}, 1, [](const double* in) { return humicalc::f(in[0]); }}
#define OP2(f, a, b, r) {L## #f, {L## #a, L## #b, L## #r}, 2, [](const double* in) { return humicalc::f(in[0], in[1]); }}

const CalcOperation kOperations[] = {
    {L"SetInit", {L"P"}, 1, nullptr},
    OP1(ID_PQ_D, D, PQ),        OP1(ID_D_PQ, PQ, D),        OP1(ID_I_TS, TS, I),
    OP2(ID_I_T_F, T, F, I),     OP2(ID_I_T_D, T, D, I),     OP2(ID_I_D_F, D, F, I),
    OP2(ID_D_T_TS, T, TS, D),   OP2(ID_D_T_F, T, F, D),     OP2(ID_D_T_I, T, I, D),
    OP2(ID_D_F_TS, F, TS, D),   OP2(ID_D_I_F, I, F, D),     OP2(ID_F_T_TS, T, TS, F),
    OP2(ID_F_T_I, T, I, F),     OP2(ID_F_D_I, D, I, F),     OP2(ID_F_T_D, T, D, F),
    OP2(ID_F_D_TS, D, TS, F),   OP2(ID_TS_T_F, T, F, TS),   OP1(ID_TS_I, I, TS),
    OP2(ID_TS_T_D, T, D, TS),   OP2(ID_TS_D_F, D, F, TS),   OP2(ID_T_D_I, D, I, T),
    OP2(ID_T_D_TS, D, TS, T),   OP2(ID_T_D_F, D, F, T),     OP2(ID_T_F_TS, F, TS, T),
    OP2(ID_T_I_F, I, F, T),     OP2(ID_ROU_T_D, T, D, ROU), OP2(ID_ROU_I_D, I, D, ROU),
    OP2(ID_ROU_T_F, T, F, ROU),
};

#undef OP1
#undef OP2

wchar_t FoldAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

}  // namespace

std::span<const CalcOperation> CalcOperations() { return kOperations; }

DISPID FindCalcOperation(const wchar_t* name) {
    if (!name) return 0;
    for (size_t i = 0; i < std::size(kOperations); ++i) {
        const wchar_t* a = kOperations[i].name;
        const wchar_t* b = name;
        while (*a && FoldAscii(*a) == FoldAscii(*b)) ++a, ++b;
        if (*a == 0 && *b == 0) return static_cast<DISPID>(i + 1);
    }
    return 0;
}
