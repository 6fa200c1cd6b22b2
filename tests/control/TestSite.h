// A minimal container written for the tests: a client site and an in-place
// site on a plain window, no frame, no ambient properties. Enough for a
// control that activates in place the usual way.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "ComObject.h"

class CTestSite final : public ComObjectRoot, public IOleClientSite, public IOleInPlaceSite {
public:
    CTestSite(IUnknown* outer) : ComObjectRoot(outer) {}

    HWND window = nullptr;
    RECT rect{0, 0, 640, 480};
    int inPlaceActivations = 0;
    int inPlaceDeactivations = 0;

    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    STDMETHODIMP GetWindow(HWND* out) override {
        *out = window;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override {
        ++inPlaceActivations;
        return S_OK;
    }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = nullptr;
        *document = nullptr;
        *position = rect;
        *clip = rect;
        info->fMDIApp = FALSE;
        info->hwndFrame = window;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override {
        ++inPlaceDeactivations;
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

private:
    void* FindOwnInterface(REFIID riid) override {
        return FindInterface<IOleClientSite, IOleInPlaceSite, Via<IOleWindow, IOleInPlaceSite>>(this, riid);
    }
};
