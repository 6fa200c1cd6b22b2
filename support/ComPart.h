// A sub-object of a COM object that implements some of its interfaces: it has
// no identity or count of its own, every IUnknown call goes to the object.
#pragma once

#define COM_PART_IUNKNOWN(outer)                                                                        \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return (outer)->QueryInterface(riid, ppv); } \
    STDMETHODIMP_(ULONG) AddRef() override { return (outer)->AddRef(); }                               \
    STDMETHODIMP_(ULONG) Release() override { return (outer)->Release(); }
