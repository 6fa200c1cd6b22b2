// Dialog templates whose items name an embeddable control by class id, such as
// "{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}". The dialog manager knows no such
// window class, so the template is rewritten without those items and the
// controls are created by the container once the dialog exists.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One class-id item of a template, in dialog units as the template gives it.
struct OleControlItem {
    CLSID clsid{};
    DWORD id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};               // left, top, right, bottom in dialog units
    std::wstring text;         // the item's title, if any
    size_t templateIndex = 0;  // position among all items of the template
};

struct SplitDialogTemplate {
    // The template without the class-id items, DWORD-aligned, ready for
    // CreateDialogIndirectParam / DialogBoxIndirectParam.
    std::vector<BYTE> dialogTemplate;
    std::vector<OleControlItem> controls;
    size_t itemCount = 0;  // items of the original template
    bool extended = false;
    DWORD style = 0;        // the dialog's own style
    size_t styleOffset = 0; // where dialogTemplate holds it
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX; nullopt when the bytes are not a
// complete template (nothing is read beyond size).
std::optional<SplitDialogTemplate> SplitOleControls(const BYTE* data, size_t size);

// The class id of a window class written as a braced class id, else nullopt.
std::optional<CLSID> ClassIdFromWindowClass(const std::wstring& className);
