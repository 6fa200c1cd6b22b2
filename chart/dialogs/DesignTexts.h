// The design tools' messages: a refusal of a computation or of the change it
// would add, told in the interface's language from the string resources. The
// dialogs show it; the automation methods raise it as their error.
#pragma once

#include <string>

#include "DataFaultText.h"
#include "DesignRefusal.h"

namespace humichart {

// The string of a refusal ("%1" and "%2" stand for its names); 0 for one the
// chart-data check's own text tells.
int DesignMessageId(DesignProblem problem);
// texts: the strings of the resources by id; the Win32 side loads them,
// tests give their own.
std::wstring DesignMessage(const DesignRefusal& refusal, const TextSource& texts);
// text with "%1" and "%2" replaced.
std::wstring FillIn(std::wstring text, const std::wstring& first, const std::wstring& second = {});

}  // namespace humichart
