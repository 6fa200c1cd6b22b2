// The type library embedded in this module as resource 1, loaded once and kept
// for the life of the library.
#pragma once

#include <oaidl.h>

namespace type_library {

// Type information of one class or interface of the module's own library.
HRESULT GetTypeInfo(REFGUID guid, ITypeInfo** info);

}  // namespace type_library
