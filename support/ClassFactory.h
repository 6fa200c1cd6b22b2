// DllGetClassObject from a table of the library's creatable classes.
#pragma once

#include <windows.h>

#include <span>

struct ClassEntry {
    const CLSID* clsid;
    HRESULT (*create)(IUnknown* outer, REFIID riid, void** ppv);
};

HRESULT GetClassObjectFromTable(std::span<const ClassEntry> classes, REFCLSID clsid, REFIID riid, void** ppv);
