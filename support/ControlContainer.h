// The embedded controls of one container window: created from the class-id
// items of its dialog template with their initialisation data, kept sized,
// closed and released together. Owns one CControlSite per control.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ControlSite.h"
#include "DialogTemplate.h"
#include "DlgInit.h"

class CControlContainer {
public:
    CControlContainer() = default;
    explicit CControlContainer(AmbientProperties ambient) : ambient_(std::move(ambient)) {}
    CControlContainer(const CControlContainer&) = delete;
    CControlContainer& operator=(const CControlContainer&) = delete;
    ~CControlContainer() { CloseAll(); }

    // Creates, inside window (a dialog made from split.dialogTemplate), every
    // control of split in template order, each with the record of init that
    // carries its id. Item rectangles are dialog units of window. Stops at the
    // first control that cannot be created and answers its status; the ones
    // already created stay until CloseAll.
    HRESULT CreateControls(HWND window, const SplitDialogTemplate& split, const std::vector<DlgInitRecord>& init);

    // One control made by code; rect in client pixels of window.
    HRESULT CreateControl(HWND window, const CLSID& clsid, DWORD id, DWORD style, const RECT& rect,
                          const ControlInitData* init = nullptr, HWND insertAfter = HWND_BOTTOM);

    // The site of the control with that id, or null.
    CControlSite* Find(DWORD id) const;
    // Moves the control with that id (client pixels); E_INVALIDARG when none.
    HRESULT MoveControl(DWORD id, const RECT& rect, bool repaint);

    // A key message offered to the UI-active controls before the container's
    // dialog navigation sees it; answers whether a control took it.
    bool TranslateAccelerator(MSG& message);

    // Deactivates and closes every control, last created first.
    void CloseAll();

    size_t Count() const { return sites_.size(); }
    const AmbientProperties& Ambient() const { return ambient_; }

private:
    struct Entry {
        ComPtr<IUnknown> owner;
        CControlSite* site;
    };

    AmbientProperties ambient_;
    std::vector<Entry> sites_;
};
