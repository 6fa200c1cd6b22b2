// Just enough of <windows.h> for the template and DLGINIT parsers of support/
// to build natively, so that they are fuzzed by libFuzzer like the other
// readers. Never used by the shipped build; the resource functions find
// nothing.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using HRESULT = std::int32_t;
using LPCWSTR = const wchar_t*;
using LPCOLESTR = const wchar_t*;
using HINSTANCE = struct HINSTANCE__*;
using HRSRC = struct HRSRC__*;
using HGLOBAL = void*;

struct RECT {
    LONG left, top, right, bottom;
};

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using CLSID = GUID;

constexpr DWORD DS_SETFONT = 0x40;
inline bool FAILED(HRESULT hr) { return hr < 0; }
inline LPCWSTR MAKEINTRESOURCEW(std::uintptr_t id) { return reinterpret_cast<LPCWSTR>(id); }

inline HRSRC FindResourceW(HINSTANCE, LPCWSTR, LPCWSTR) { return nullptr; }
inline HGLOBAL LoadResource(HINSTANCE, HRSRC) { return nullptr; }
inline void* LockResource(HGLOBAL) { return nullptr; }
inline DWORD SizeofResource(HINSTANCE, HRSRC) { return 0; }
