// Texts in the file are UTF-16 whatever the width of wchar_t: two bytes per
// unit on Windows, four natively, where characters beyond the basic plane
// become surrogate pairs and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace humichart {

inline std::u16string ToUtf16(const std::wstring& text) {
    std::u16string units;
    units.reserve(text.size());
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF && code <= 0x10FFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code > 0xFFFF ? 0xFFFD : code));
        }
    }
    return units;
}

inline std::wstring FromUtf16(std::u16string_view units) {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::wstring(units.begin(), units.end());
    } else {
        std::wstring text;
        text.reserve(units.size());
        for (std::size_t i = 0; i < units.size(); ++i) {
            const char32_t high = units[i];
            if (high >= 0xD800 && high < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] < 0xE000) {
                text.push_back(static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
                ++i;
            } else {
                text.push_back(static_cast<wchar_t>(high));
            }
        }
        return text;
    }
}

}  // namespace humichart
