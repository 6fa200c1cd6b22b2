// A text anchored at a point (zero-size layout rectangle).
#pragma once

#include <string>
#include <utility>

#include "SceneText.h"

namespace humichart {

inline SceneText MakeText(std::wstring text, double x, double y, ArgbColor color,
                          FontStyle font, TextFormat format = {}) {
    SceneText result;
    result.text = std::move(text);
    result.layout = {x, y, 0.0, 0.0};
    result.font = std::move(font);
    result.color = color;
    result.format = format;
    return result;
}

}  // namespace humichart
