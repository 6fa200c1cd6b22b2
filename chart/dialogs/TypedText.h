// Texts the user types and the dialogs show: numbers read as the leading
// decimal number of the text, numbers written with printf formats, and the
// combo box's exact-match search. Standard C++, independent of the locale.
#pragma once

#include <string>
#include <vector>

namespace humichart {

// The leading decimal number of text: optional white space, a sign, digits
// with at most one dot (always the decimal separator, whatever the user's
// locale) and an optional exponent. Text without one reads as 0.
double LeadingNumber(const std::wstring& text);

// printf-style formatting of one double ("%.2f", "%.5E", ...), in the C
// locale.
std::wstring FormatNumber(const char* format, double value);

// Index of the first item equal to text as a whole, letter case ignored, or
// -1: the combo box's exact-match search over the whole list, for what the
// user types. An empty text finds nothing. Stored names are matched exactly
// (FindWorkingPoint), never through this.
int FindExact(const std::vector<std::wstring>& items, const std::wstring& text);

}  // namespace humichart
