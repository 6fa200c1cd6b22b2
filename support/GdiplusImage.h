// GDI+ helpers that several parts need: font families with a generic
// fallback, and PNG files. GDI+ must be running (GdiplusSession).
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <memory>

enum class GenericFontFamily { Serif, SansSerif, Monospace };

// The named family; when it is not installed, the generic family of the same
// kind, so that text is never dropped for want of a face. Null only when GDI+
// has no font at all. usedFallback, when given, tells which of the two it is.
std::unique_ptr<Gdiplus::FontFamily> OpenFontFamily(const wchar_t* name, GenericFontFamily fallback,
                                                    bool* usedFallback = nullptr);

// The class id of the encoder for mimeType ("image/png").
HRESULT FindImageEncoder(const wchar_t* mimeType, CLSID& encoder);

// Writes a device-independent or compatible bitmap to path as PNG.
HRESULT SaveBitmapAsPng(HBITMAP bitmap, const wchar_t* path);
