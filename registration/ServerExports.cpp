// The five exports every component library of ours has.
#include <windows.h>

#include "ComModule.h"
#include "HResult.h"
#include "ServerModule.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        com_module::Attach(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    return NoThrow([&] { return GetClassObjectFromTable(ThisServer().classes, clsid, riid, ppv); });
}

STDAPI DllCanUnloadNow() { return com_module::InUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() {
    return NoThrow([] { return RegisterServer(ThisServer().registration); });
}

STDAPI DllUnregisterServer() {
    return NoThrow([] { return UnregisterServer(ThisServer().registration); });
}
