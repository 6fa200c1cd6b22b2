// The chart's colour table as its users know it, written out once. The pixel
// and scene tests compare what is drawn with these values, never with the
// palette they test, so that a wrong palette entry fails them.
#pragma once

#include <cstdint>

namespace humichart::test::colours {

inline constexpr std::uint32_t kBackgroundTinted = 0xFFDFDFFFu;
inline constexpr std::uint32_t kBackgroundWhite = 0xFFFFFFFFu;
inline constexpr std::uint32_t kCaption = 0x1F7F7F7Fu;
inline constexpr std::uint32_t kNavy = 0xFF000080u;
inline constexpr std::uint32_t kGreen = 0xFF008000u;
inline constexpr std::uint32_t kMaroon = 0xFF800000u;
inline constexpr std::uint32_t kOlive = 0xFF808000u;
inline constexpr std::uint32_t kForeground = 0x40008000u;
inline constexpr std::uint32_t kBorder = 0xFF0000FFu;
inline constexpr std::uint32_t kCssr = 0x8000C4C4u;
inline constexpr std::uint32_t kData = 0xFF0000FFu;

}  // namespace humichart::test::colours
