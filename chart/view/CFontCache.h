// GDI+ fonts for the texts of one paint, made once per distinct request. A
// missing family falls back to the generic family of the same kind.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <vector>

#include "FontStyle.h"
#include "GdiHandles.h"

namespace humichart {

class CFontCache {
public:
    CFontCache() = default;
    CFontCache(const CFontCache&) = delete;
    CFontCache& operator=(const CFontCache&) = delete;

    // Null only when GDI+ has no usable font at all.
    const Gdiplus::Font* Get(const FontStyle& style);

    // The same face, size and weight as a GDI font, with where GDI+ would put
    // the first baseline and the left edge of a text anchored at a point.
    // Null when the request has no GDI twin (point sizes, a failed font).
    struct GdiFace {
        UniqueFont font;
        UniqueFont turned;        // the same turned a quarter clockwise
        float ascent = 0.0f;      // top of the line box to the baseline, pixels
        float lineHeight = 0.0f;  // one line box, pixels
        float leading = 0.0f;     // GDI+'s padding before the first glyph, pixels
    };
    const GdiFace* GetGdi(const FontStyle& style, const Gdiplus::Graphics& graphics);

    // How many requests had to fall back to a generic family.
    int Fallbacks() const { return m_fallbacks; }

private:
    struct Entry {
        FontStyle style;
        std::unique_ptr<Gdiplus::FontFamily> family;
        std::unique_ptr<Gdiplus::Font> font;
        std::unique_ptr<GdiFace> gdi;  // made on first use
        bool gdiTried = false;
    };
    Entry* Find(const FontStyle& style);
    std::vector<Entry> m_entries;
    int m_fallbacks = 0;
};

}  // namespace humichart
