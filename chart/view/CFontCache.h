// GDI+ fonts for the texts of one paint, made once per distinct request. A
// missing family falls back to the generic family of the same kind.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <vector>

#include "FontStyle.h"

namespace humichart {

class CFontCache {
public:
    CFontCache() = default;
    CFontCache(const CFontCache&) = delete;
    CFontCache& operator=(const CFontCache&) = delete;

    // Null only when GDI+ has no usable font at all.
    const Gdiplus::Font* Get(const FontStyle& style);

    // How many requests had to fall back to a generic family.
    int Fallbacks() const { return m_fallbacks; }

private:
    struct Entry {
        FontStyle style;
        std::unique_ptr<Gdiplus::FontFamily> family;
        std::unique_ptr<Gdiplus::Font> font;
    };
    std::vector<Entry> m_entries;
    int m_fallbacks = 0;
};

}  // namespace humichart
