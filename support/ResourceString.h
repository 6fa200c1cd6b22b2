// A string of this module's string table, in the language the system picks
// for the thread's interface; empty when the table has no such string.
#pragma once

#include <windows.h>

#include <string>

#include "ModuleInstance.h"

namespace humichart {

inline std::wstring LoadResourceString(UINT id) {
    // With a length of 0, LoadStringW points into the resource itself.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ThisModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace humichart
