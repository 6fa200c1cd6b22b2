// The instance handle of the module this code is linked into (the DLL for
// code inside a DLL), where its dialog templates and strings live.
#pragma once

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE ThisModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
