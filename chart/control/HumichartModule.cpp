// The five exports of Humichart.dll.
#include <windows.h>

#include "CHumichartCtl.h"
#include "ClassFactory.h"
#include "ComModule.h"
#include "RegistryTable.h"

namespace {
const ClassEntry kClasses[] = {{&CLSID_HumichartCtl, &humichart::CHumichartCtl::Create}};
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        com_module::Attach(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    return GetClassObjectFromTable(kClasses, clsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return com_module::InUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() { return RegisterServer(HumichartRegistration()); }

STDAPI DllUnregisterServer() { return UnregisterServer(HumichartRegistration()); }
