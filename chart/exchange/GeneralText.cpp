#include <charconv>
#include <cmath>
#include <string>

#include "Biff8.h"

// The General format shows a number in as many characters as a cell of the
// standard width holds (11): as a decimal rounded to fit, or in scientific
// notation when the integer part alone does not fit (12 digits and more) or
// when the number is below 0.0001 (0.00001 shows as 1E-05).
namespace humichart {
namespace {

constexpr std::size_t kWidth = 11;

std::string Format(double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    std::string text(buffer, result.ptr);
    // Trailing zeros of the fraction go, and a point left bare with them.
    const std::size_t exponent = text.find('e');
    std::string mantissa = text.substr(0, exponent);
    std::string tail = exponent == std::string::npos ? std::string() : text.substr(exponent);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    if (!tail.empty()) {
        // e+05 -> E+05, e-123 -> E-123: at least two exponent digits.
        std::string digits = tail.substr(2);
        while (digits.size() > 2 && digits.front() == '0') digits.erase(0, 1);
        if (digits.size() < 2) digits = "0" + digits;
        tail = std::string("E") + tail[1] + digits;
    }
    if (mantissa == "-0") mantissa = "0";
    return mantissa + tail;
}

// The most precise rendering in the given notation that fits, or "" if none.
std::string Fitted(double value, std::chars_format format, int mostDigits) {
    for (int digits = mostDigits; digits >= 0; --digits) {
        std::string text = Format(value, format, digits);
        if (text.size() <= kWidth) return text;
    }
    return {};
}

}  // namespace

std::wstring GeneralText(double value) {
    if (std::isnan(value) || std::isinf(value)) return L"#NUM!";
    if (value == 0.0) return L"0";
    const std::string decimal = Fitted(value, std::chars_format::fixed, 10);
    const std::string scientific = Fitted(value, std::chars_format::scientific, 5);
    std::string text = decimal;
    if (decimal.empty() || std::fabs(value) < 1e-4) text = scientific;
    return std::wstring(text.begin(), text.end());
}

}  // namespace humichart
