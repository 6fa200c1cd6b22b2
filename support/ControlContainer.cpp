#include "ControlContainer.h"

#include "HResult.h"

#include <algorithm>

HRESULT CControlContainer::CreateControl(HWND window, const CLSID& clsid, DWORD id, DWORD style, const RECT& rect,
                                         const ControlInitData* init, HWND insertAfter) {
    ComPtr<IUnknown> owner;
    CControlSite* site = nullptr;
    RETURN_IF_FAILED(CControlSite::Create(window, ambient_, owner, site));
    // Listed before creation, so that a control half made is still closed.
    sites_.push_back(Entry{std::move(owner), site});
    const HRESULT hr = site->CreateControl(clsid, init, rect, id, style, insertAfter);
    if (FAILED(hr)) sites_.pop_back();
    return hr;
}

HRESULT CControlContainer::CreateControls(HWND window, const SplitDialogTemplate& split,
                                          const std::vector<DlgInitRecord>& init) {
    // The ordinary items are already children, in template order; the
    // controls go in between them so that tabbing follows the template.
    std::vector<HWND> ordinary;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ordinary.push_back(child);

    HWND previous = HWND_TOP;
    size_t nextOrdinary = 0;
    auto control = split.controls.begin();
    for (size_t index = 0; index < split.itemCount; ++index) {
        if (control == split.controls.end() || control->templateIndex != index) {
            if (nextOrdinary < ordinary.size()) previous = ordinary[nextOrdinary++];
            continue;
        }
        std::optional<ControlInitData> data;
        const auto record = std::find_if(init.begin(), init.end(),
                                         [&](const DlgInitRecord& r) { return r.controlId == control->id; });
        if (record != init.end()) {
            data = DecodeControlInit(*record);
            if (!data) return E_INVALIDARG;  // damaged data is not silently replaced by defaults
        }
        RECT rect = control->rect;
        MapDialogRect(window, &rect);
        RETURN_IF_FAILED(CreateControl(window, control->clsid, control->id, control->style, rect,
                                       data ? &*data : nullptr, previous));
        if (HWND created = sites_.back().site->ControlWindow()) previous = created;
        ++control;
    }
    return S_OK;
}

CControlSite* CControlContainer::Find(DWORD id) const {
    for (const Entry& entry : sites_)
        if (entry.site->Id() == id) return entry.site;
    return nullptr;
}

HRESULT CControlContainer::MoveControl(DWORD id, const RECT& rect, bool repaint) {
    CControlSite* site = Find(id);
    return site ? site->Move(rect, repaint) : E_INVALIDARG;
}

void CControlContainer::CloseAll() {
    while (!sites_.empty()) {
        sites_.back().site->Close();
        sites_.pop_back();
    }
}

bool CControlContainer::TranslateAccelerator(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    // A key can end the dialog and close the controls: index, never iterate.
    for (size_t i = 0; i < sites_.size(); ++i)
        if (sites_[i].site->OfferKey(message) == S_OK) return true;
    return false;
}
