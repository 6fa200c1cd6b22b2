// The design tools' messages: a refusal of a computation or of the change it
// would add, told in the interface's language from the string resources. The
// dialogs show it; the automation methods raise it as their error.
#pragma once

#include <functional>
#include <string>

#include "DesignRefusal.h"

namespace humichart {

// A string of the resources by id ("%1" and "%2" stand for names); the
// Win32 side loads them, tests give their own.
using TextLoader = std::function<std::wstring(unsigned id)>;

unsigned DesignMessageId(DesignProblem problem);
std::wstring DesignMessage(const DesignRefusal& refusal, const TextLoader& texts);
// text with "%1" and "%2" replaced.
std::wstring FillIn(std::wstring text, const std::wstring& first, const std::wstring& second = {});

}  // namespace humichart
