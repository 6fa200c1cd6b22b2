#include "LoadDialogString.h"

#include "ModuleInstance.h"

namespace humichart {

std::wstring LoadDialogString(UINT id) {
    // With a length of 0, LoadStringW points into the resource itself.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ThisModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace humichart
