// CLSIDFromString for the natively built template parser: a braced class id
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in hexadecimal, nothing else.
#pragma once

#include "windows.h"

inline HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) {
    constexpr HRESULT kSyntax = static_cast<HRESULT>(0x800401F3u);  // CO_E_CLASSSTRING
    static constexpr int kDigits[] = {1,  3,  5,  7,  10, 12, 15, 17, 20, 22, 25, 27, 29, 31, 33, 35};
    if (!text || !clsid) return kSyntax;
    for (int i = 0; i < 38; ++i)
        if (!text[i]) return kSyntax;
    if (text[0] != L'{' || text[37] != L'}' || text[9] != L'-' || text[14] != L'-' || text[19] != L'-' ||
        text[24] != L'-' || text[38] != 0)
        return kSyntax;
    auto nibble = [](wchar_t c) -> int {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        return -1;
    };
    std::uint8_t bytes[16];
    for (int i = 0; i < 16; ++i) {
        const int hi = nibble(text[kDigits[i]]), lo = nibble(text[kDigits[i] + 1]);
        if (hi < 0 || lo < 0) return kSyntax;
        bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    clsid->Data1 = (std::uint32_t{bytes[0]} << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
    clsid->Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    clsid->Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) clsid->Data4[i] = bytes[8 + i];
    return 0;
}
