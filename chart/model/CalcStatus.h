// Status values as the component boundaries report them: 32-bit HRESULT bit
// patterns, kept as plain integers so that standard C++ code can carry them.
#pragma once

#include <cstdint>

namespace humichart {

using Status = std::int32_t;

inline constexpr Status kStatusOk = 0;
inline constexpr Status kStatusFail = static_cast<Status>(0x80004005u);  // E_FAIL

inline constexpr bool Succeeded(Status status) { return status >= 0; }

}  // namespace humichart
