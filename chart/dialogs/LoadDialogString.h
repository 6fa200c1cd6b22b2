// A string of the module's string table, in the language the resource loader
// picks for the thread; empty when there is none.
#pragma once

#include <windows.h>

#include <string>

namespace humichart {

std::wstring LoadDialogString(UINT id);

}  // namespace humichart
