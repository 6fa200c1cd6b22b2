// The message that tells the user what the chart-data check found: where
// (a workbook's row or cell, or a record of the chart by its name) and what
// is wrong, in the language of the interface. Texts come from the caller's
// string table; an id it does not hold reads as the English text here.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "ChartDataCheck.h"

namespace humichart {

// A string of the interface by its id; empty when there is none.
using TextSource = std::function<std::wstring(int id)>;

// Where the data came from: a workbook in the exchange layout (the fault is
// shown at its row or cell), or anything else (at the record's name).
enum class FaultPlace { Workbook, Chart };

// "<where>: <what>."
std::wstring DataFaultText(const DataFault& fault, FaultPlace place, const TextSource& texts = {});
// The same, followed by the sentence that says nothing was imported.
std::wstring ImportRefusalText(const DataFault& fault, const TextSource& texts = {});
// One string of the check's table (the English text when texts has none).
std::wstring CheckText(int id, const TextSource& texts = {});
// format with %1 to %9 replaced by the arguments, in order.
std::wstring FillText(const std::wstring& format, std::initializer_list<std::wstring> args);

}  // namespace humichart
