#include "GdiplusImage.h"

#include <cwchar>
#include <initializer_list>
#include <vector>

namespace {

struct FontFamilyDeleter {
    void operator()(Gdiplus::GpFontFamily* family) const {
        Gdiplus::DllExports::GdipDeleteFontFamily(family);
    }
};
using FlatFontFamily = std::unique_ptr<Gdiplus::GpFontFamily, FontFamilyDeleter>;

FlatFontFamily GenericFamily(GenericFontFamily kind) {
    Gdiplus::GpFontFamily* family = nullptr;
    switch (kind) {
    case GenericFontFamily::Serif:
        Gdiplus::DllExports::GdipGetGenericFontFamilySerif(&family);
        break;
    case GenericFontFamily::SansSerif:
        Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&family);
        break;
    case GenericFontFamily::Monospace:
        Gdiplus::DllExports::GdipGetGenericFontFamilyMonospace(&family);
        break;
    }
    return FlatFontFamily(family);
}

HRESULT FromStatus(Gdiplus::Status status) {
    switch (status) {
    case Gdiplus::Ok: return S_OK;
    case Gdiplus::OutOfMemory: return E_OUTOFMEMORY;
    case Gdiplus::InvalidParameter: return E_INVALIDARG;
    case Gdiplus::Win32Error: return HRESULT_FROM_WIN32(GetLastError());
    default: return E_FAIL;
    }
}

}  // namespace

std::unique_ptr<Gdiplus::FontFamily> OpenFontFamily(const wchar_t* name, GenericFontFamily fallback,
                                                    bool* usedFallback) {
    if (usedFallback) *usedFallback = false;
    auto family = std::make_unique<Gdiplus::FontFamily>(name);
    if (family->IsAvailable()) return family;
    if (usedFallback) *usedFallback = true;

    // The C++ wrapper's own Generic*() caches a family in a global that
    // outlives GdiplusShutdown; ask the flat API and take the face name.
    if (const FlatFontFamily generic = GenericFamily(fallback)) {
        WCHAR face[LF_FACESIZE] = {};
        if (Gdiplus::DllExports::GdipGetFamilyName(generic.get(), face, LANG_NEUTRAL) == Gdiplus::Ok) {
            family = std::make_unique<Gdiplus::FontFamily>(face);
            if (family->IsAvailable()) return family;
        }
    }
    // A system may lack its own generic face (Wine's sans serif one is
    // "Microsoft Sans Serif"): common faces of the kind, then any face.
    static const std::initializer_list<const wchar_t*> kSerif = {L"Times New Roman", L"Liberation Serif",
                                                                 L"DejaVu Serif"};
    static const std::initializer_list<const wchar_t*> kSans = {L"Arial", L"Liberation Sans",
                                                                L"DejaVu Sans", L"Tahoma"};
    static const std::initializer_list<const wchar_t*> kMono = {L"Courier New", L"Liberation Mono",
                                                                L"DejaVu Sans Mono"};
    const std::initializer_list<const wchar_t*>& candidates = fallback == GenericFontFamily::Serif       ? kSerif
                             : fallback == GenericFontFamily::SansSerif ? kSans
                                                                        : kMono;
    for (const wchar_t* face : candidates) {
        family = std::make_unique<Gdiplus::FontFamily>(face);
        if (family->IsAvailable()) return family;
    }
    Gdiplus::InstalledFontCollection installed;
    const INT count = installed.GetFamilyCount();
    if (count <= 0) return nullptr;
    std::vector<Gdiplus::FontFamily> all(static_cast<std::size_t>(count));
    INT found = 0;
    if (installed.GetFamilies(count, all.data(), &found) != Gdiplus::Ok || found <= 0) return nullptr;
    WCHAR face[LF_FACESIZE] = {};
    if (all[0].GetFamilyName(face) != Gdiplus::Ok) return nullptr;
    family = std::make_unique<Gdiplus::FontFamily>(face);
    return family->IsAvailable() ? std::move(family) : nullptr;
}

HRESULT FindImageEncoder(const wchar_t* mimeType, CLSID& encoder) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return E_FAIL;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return E_FAIL;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
            encoder = codecs[i].Clsid;
            return S_OK;
        }
    }
    return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}

HRESULT SaveBitmapAsPng(HBITMAP bitmap, const wchar_t* path) {
    CLSID png;
    const HRESULT found = FindImageEncoder(L"image/png", png);
    if (FAILED(found)) return found;
    Gdiplus::Bitmap image(bitmap, nullptr);
    if (image.GetLastStatus() != Gdiplus::Ok) return FromStatus(image.GetLastStatus());
    return FromStatus(image.Save(path, &png, nullptr));
}
