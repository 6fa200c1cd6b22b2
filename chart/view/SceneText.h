// One text to draw: what, where, in which font, colour and format.
#pragma once

#include <string>

#include "FontStyle.h"
#include "PenStyle.h"
#include "RectD.h"
#include "TextFormat.h"

namespace humichart {

struct SceneText {
    std::wstring text;
    RectD layout;  // zero width and height unless the format centres it
    FontStyle font;
    ArgbColor color = 0xFF000000u;
    TextFormat format;

    bool operator==(const SceneText&) const = default;
};

}  // namespace humichart
