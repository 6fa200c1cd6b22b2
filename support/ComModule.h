// What a component library knows about itself: its module handle, its full
// path, and the count of live objects and server locks behind DllCanUnloadNow.
#pragma once

#include <windows.h>

#include <string>

namespace com_module {

void Attach(HINSTANCE module);
HINSTANCE Handle();
std::wstring Path();

void Lock();
void Unlock();
bool InUse();

}  // namespace com_module
