// The dispatch table of ICalID: each operation's name, parameter names (the
// known values in call order, then the result) and computation, at the
// position of its dispatch identifier.
#pragma once

#include <windows.h>

#include <span>

struct CalcOperation {
    const wchar_t* name;
    const wchar_t* params[3];
    int inputs;                          // known values; 0 outputs for SetInit, else 1
    double (*compute)(const double* in);  // null for SetInit
};

// Entry id - 1 holds dispatch id `id`.
std::span<const CalcOperation> CalcOperations();

// The operation whose name equals name, ignoring the case of A-Z only; 0 when none.
DISPID FindCalcOperation(const wchar_t* name);
