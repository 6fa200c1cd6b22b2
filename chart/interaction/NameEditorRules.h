// What the name editor's text does to the chart when the editor closes.
#pragma once

#include <string>

#include "CHumichartDataObj.h"

namespace humichart {

// A non-empty text that no point carries yet names the last point of the
// list (the one just placed); a name in use is dropped. Answers whether a
// name was given.
bool ApplyEditedName(CHumichartDataObj& data, const std::wstring& text);

}  // namespace humichart
