#include "CFontCache.h"

#include "GdiplusImage.h"

namespace humichart {

namespace {

bool SameRequest(const FontStyle& a, const FontStyle& b) {
    return a.family == b.family && a.size == b.size && a.unit == b.unit && a.bold == b.bold &&
           a.fallback == b.fallback;
}

}  // namespace

CFontCache::Entry* CFontCache::Find(const FontStyle& style) {
    for (Entry& entry : m_entries)
        if (SameRequest(entry.style, style)) return &entry;
    if (!Get(style)) return nullptr;
    return &m_entries.back();
}

const CFontCache::GdiFace* CFontCache::GetGdi(const FontStyle& style,
                                             const Gdiplus::Graphics& graphics) {
    Entry* entry = Find(style);
    if (!entry) return nullptr;
    if (entry->gdiTried) return entry->gdi.get();
    entry->gdiTried = true;
    if (style.unit != FontStyle::Unit::Pixel) return nullptr;

    // GDI+ names the face, height and weight it draws with; a GDI font made
    // from that is the same face, so only the placement has to be redone.
    LOGFONTW logFont{};
    if (entry->font->GetLogFontW(&graphics, &logFont) != Gdiplus::Ok) return nullptr;
    // Unless the graphics asks for hard edges, GDI+ smooths its glyphs.
    switch (graphics.GetTextRenderingHint()) {
    case Gdiplus::TextRenderingHintSingleBitPerPixel:
    case Gdiplus::TextRenderingHintSingleBitPerPixelGridFit: logFont.lfQuality = NONANTIALIASED_QUALITY; break;
    case Gdiplus::TextRenderingHintClearTypeGridFit: logFont.lfQuality = CLEARTYPE_QUALITY; break;
    default: logFont.lfQuality = ANTIALIASED_QUALITY; break;
    }
    auto face = std::make_unique<GdiFace>();
    face->font.Reset(CreateFontIndirectW(&logFont));
    logFont.lfEscapement = logFont.lfOrientation = -900;
    face->turned.Reset(CreateFontIndirectW(&logFont));
    if (!face->font || !face->turned) return nullptr;

    const INT fontStyle = entry->font->GetStyle();
    const UINT16 em = entry->family->GetEmHeight(fontStyle);
    if (em == 0) return nullptr;
    const float size = entry->font->GetSize();
    face->ascent = size * entry->family->GetCellAscent(fontStyle) / em;
    face->lineHeight = size * entry->family->GetLineSpacing(fontStyle) / em;
    // A string format that is not the typographic one pads each line by a
    // sixth of the em on either side.
    face->leading = size / 6.0f;
    entry->gdi = std::move(face);
    return entry->gdi.get();
}

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
