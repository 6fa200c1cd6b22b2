// How a text sits in its layout rectangle (GDI+ string format terms). With a
// zero-size layout rectangle the text starts at its corner and runs right and
// down.
#pragma once

namespace humichart {

struct TextFormat {
    enum class Align { Near, Center, Far };

    Align alignment = Align::Near;      // along the line
    Align lineAlignment = Align::Near;  // across the line
    bool vertical = false;
    bool rightToLeft = false;
    bool noWrap = false;  // lines break only at explicit line feeds

    bool operator==(const TextFormat&) const = default;
};

}  // namespace humichart
