// The type library embedded in this module as resource 1, loaded once and kept
// for the life of the library.
#pragma once

#include <oaidl.h>

namespace type_library {

// Type information of one class or interface of the module's own library.
HRESULT GetTypeInfo(REFGUID guid, ITypeInfo** info);

// IDispatch::Invoke of object, whose vtable info describes, as DispInvoke
// does it, with three differences. More arguments than the member takes are
// refused (Wine would run the member). An [out] argument may also come as a
// reference to a VARIANT: script hosts pass every variable so, where the
// standard dispatcher wants a reference of the parameter's own type; such a
// variable takes the parameter's type and value when the call succeeds and
// stays as it was when it fails. Unsigned and 64-bit integers come back,
// there and as the result, as the long or the double that every Automation
// client can hold.
HRESULT Invoke(void* object, ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* exception, UINT* argError);

}  // namespace type_library
