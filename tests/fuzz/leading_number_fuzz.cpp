// Typed numbers from any text: the leading decimal number never reads past the
// text, and a text without a digit reads as 0.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "TypedText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // UTF-16 units, as the dialogs' edit boxes hold them.
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    const double value = humichart::LeadingNumber(text);
    if (text.find_first_of(L"0123456789") == std::wstring::npos && value != 0.0) std::abort();
    return 0;
}
