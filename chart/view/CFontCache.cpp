#include "CFontCache.h"

#include "GdiplusImage.h"

namespace humichart {

namespace {

bool SameRequest(const FontStyle& a, const FontStyle& b) {
    return a.family == b.family && a.size == b.size && a.unit == b.unit && a.bold == b.bold &&
           a.fallback == b.fallback;
}

}  // namespace

const Gdiplus::Font* CFontCache::Get(const FontStyle& style) {
    for (const Entry& entry : m_entries)
        if (SameRequest(entry.style, style)) return entry.font.get();

    Entry entry;
    entry.style = style;
    const GenericFontFamily generic = style.fallback == FontStyle::Generic::Serif
                                          ? GenericFontFamily::Serif
                                          : GenericFontFamily::SansSerif;
    bool fellBack = false;
    entry.family = OpenFontFamily(style.family.c_str(), generic, &fellBack);
    if (!entry.family) return nullptr;
    if (fellBack) ++m_fallbacks;

    // A family without a bold face (or a regular one) still gives a font.
    const Gdiplus::Unit unit =
        style.unit == FontStyle::Unit::Pixel ? Gdiplus::UnitPixel : Gdiplus::UnitPoint;
    int fontStyle = style.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
    if (!entry.family->IsStyleAvailable(fontStyle)) fontStyle = Gdiplus::FontStyleRegular;
    // GDI+ refuses an empty size; a tiny window still gets a (tiny) caption.
    const float size = style.size > 0.0f ? style.size : 1.0f;
    entry.font = std::make_unique<Gdiplus::Font>(entry.family.get(), size, fontStyle, unit);
    if (entry.font->GetLastStatus() != Gdiplus::Ok) return nullptr;
    m_entries.push_back(std::move(entry));
    return m_entries.back().font.get();
}

}  // namespace humichart
