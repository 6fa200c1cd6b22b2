#include "TypedText.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace humichart {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The white space strtod skips in the C locale; iswspace would depend on the
// user's locale.
bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// Simple lower-case folding of the scripts whose letters come in regular
// pairs (Latin, Greek, Cyrillic, Armenian, full-width Latin), the same on
// every platform and in every locale; towlower folds only ASCII in the C
// locale. Other characters stand for themselves.
wchar_t FoldCase(wchar_t c) {
    const unsigned u = c;
    const auto pair = [&](unsigned first, unsigned last, bool evenUpper) -> bool {
        return u >= first && u <= last && ((u % 2 == 0) == evenUpper);
    };
    if (u < 0x80) return (u >= 'A' && u <= 'Z') ? static_cast<wchar_t>(u + 32) : c;
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<wchar_t>(u + 32);
    if (pair(0x100, 0x137, true) || pair(0x14A, 0x177, true) || pair(0x139, 0x148, false) ||
        pair(0x179, 0x17E, false))
        return static_cast<wchar_t>(u + 1);
    if (u == 0x178) return static_cast<wchar_t>(0xFF);
    if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return static_cast<wchar_t>(u + 32);
    if (u == 0x386) return static_cast<wchar_t>(0x3AC);
    if (u >= 0x388 && u <= 0x38A) return static_cast<wchar_t>(u + 37);
    if (u == 0x38C) return static_cast<wchar_t>(0x3CC);
    if (u == 0x38E || u == 0x38F) return static_cast<wchar_t>(u + 63);
    if (u >= 0x410 && u <= 0x42F) return static_cast<wchar_t>(u + 32);
    if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 80);
    if (pair(0x460, 0x481, true) || pair(0x48A, 0x4BF, true) || pair(0x4D0, 0x52F, true) ||
        pair(0x4C1, 0x4CE, false))
        return static_cast<wchar_t>(u + 1);
    if (u == 0x4C0) return static_cast<wchar_t>(0x4CF);
    if (u >= 0x531 && u <= 0x556) return static_cast<wchar_t>(u + 48);
    if (u >= 0xFF21 && u <= 0xFF3A) return static_cast<wchar_t>(u + 32);
    return c;
}

// Length of the run of digits starting at text[at].
std::size_t Digits(const std::wstring& text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - at;
}

}  // namespace

double LeadingNumber(const std::wstring& text) {
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) ++at;
    const std::size_t start = at;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) ++at;
    const std::size_t whole = Digits(text, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == L'.') {
        fraction = Digits(text, at + 1);
        if (whole > 0 || fraction > 0) at += 1 + fraction;
    }
    if (whole == 0 && fraction == 0) return 0.0;
    if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == L'+' || text[exponent] == L'-')) ++exponent;
        const std::size_t digits = Digits(text, exponent);
        if (digits > 0) at = exponent + digits;
    }
    // Only ASCII digits, signs, a dot and 'e' are left: narrow and convert.
    std::string number;
    number.reserve(at - start);
    for (std::size_t i = start; i < at; ++i) number.push_back(static_cast<char>(text[i]));
    const char* first = number.data();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large for a double: the largest finite value of its sign, so that
        // nothing infinite gets in; too small: zero of its sign.
        const bool negative = number[0] == '-';
        const bool large = [&] {
            const std::size_t e = number.find_first_of("eE");
            return e == std::string::npos || number[e + 1] != '-';
        }();
        if (large) return negative ? -DBL_MAX : DBL_MAX;
        return negative ? -0.0 : 0.0;
    }
    (void)end;
    return value;
}

std::wstring FormatNumber(const char* format, double value) {
    // "%[width][.precision](f|e|E)"
    std::string_view pattern(format);
    int width = 0, precision = 6;
    std::size_t at = pattern.empty() || pattern[0] != '%' ? pattern.size() : 1;
    while (at < pattern.size() && pattern[at] >= '0' && pattern[at] <= '9') width = width * 10 + (pattern[at++] - '0');
    if (at < pattern.size() && pattern[at] == '.') {
        precision = 0;
        ++at;
        while (at < pattern.size() && pattern[at] >= '0' && pattern[at] <= '9')
            precision = precision * 10 + (pattern[at++] - '0');
    }
    const char conversion = at < pattern.size() ? pattern[at] : 'f';
    const bool scientific = conversion == 'e' || conversion == 'E';

    std::string out;
    if (std::isnan(value)) {
        out = std::signbit(value) ? "-nan" : "nan";
    } else if (std::isinf(value)) {
        out = value < 0 ? "-inf" : "inf";
    } else {
        char buffer[400];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          scientific ? std::chars_format::scientific : std::chars_format::fixed,
                                          precision);
        out.assign(buffer, result.ptr);
    }
    if (conversion == 'E')
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (static_cast<int>(out.size()) < width) out.insert(0, static_cast<std::size_t>(width) - out.size(), ' ');
    return std::wstring(out.begin(), out.end());
}

int FindExact(const std::vector<std::wstring>& items, const std::wstring& text) {
    // An empty text names nothing, not the first unnamed item.
    if (text.empty()) return -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::wstring& item = items[i];
        if (item.size() != text.size()) continue;
        bool equal = true;
        for (std::size_t k = 0; k < item.size() && equal; ++k) equal = FoldCase(item[k]) == FoldCase(text[k]);
        if (equal) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace humichart
