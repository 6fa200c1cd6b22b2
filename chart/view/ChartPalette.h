// The chart's colours, pens and fonts, in one place.
#pragma once

#include "FontStyle.h"
#include "PenStyle.h"

namespace humichart::palette {

inline constexpr ArgbColor kBackgroundTinted = 0xFFDFDFFFu;
inline constexpr ArgbColor kBackgroundWhite = 0xFFFFFFFFu;
inline constexpr ArgbColor kCaption = 0x1F7F7F7Fu;
inline constexpr ArgbColor kNavy = 0xFF000080u;    // humidity ratio
inline constexpr ArgbColor kGreen = 0xFF008000u;   // temperature, minor lines, outline
inline constexpr ArgbColor kMaroon = 0xFF800000u;  // enthalpy
inline constexpr ArgbColor kOlive = 0xFF808000u;   // relative humidity
inline constexpr ArgbColor kForeground = 0x40008000u;
inline constexpr ArgbColor kBorder = 0xFF0000FFu;
inline constexpr ArgbColor kCssr = 0x8000C4C4u;
inline constexpr ArgbColor kData = 0xFF0000FFu;

inline constexpr float kGridPenWidth = 1.0f;
inline constexpr float kOutlinePenWidth = 2.0f;
inline constexpr float kBorderPenWidth = 2.0f;
inline constexpr float kDataPenWidth = 2.0f;
inline constexpr double kPointDiameter = 8.0;

inline FontStyle LabelFont() {
    return {L"Times New Roman", 12.0f, FontStyle::Unit::Pixel, false, FontStyle::Generic::Serif};
}

inline FontStyle NameFont() {
    return {L"Times New Roman", 12.0f, FontStyle::Unit::Pixel, true, FontStyle::Generic::Serif};
}

// Client height / 8 points, in integers.
inline FontStyle CaptionFont(int clientHeight) {
    return {L"Arial Black", static_cast<float>(clientHeight / 8), FontStyle::Unit::Point, true,
            FontStyle::Generic::SansSerif};
}

}  // namespace humichart::palette
