#include "LoadDialogString.h"

#include "ResourceString.h"

namespace humichart {

std::wstring LoadDialogString(UINT id) { return LoadResourceString(id); }

}  // namespace humichart
