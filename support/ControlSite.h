// The container's side of one embedded control: the client site, the in-place
// site and frame, the control site, and the ambient properties the control
// reads through IDispatch. The site creates the control, loads its persisted
// data, activates it in place inside the container window and closes it again.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <string>

#include "ComObject.h"
#include "ComPtr.h"
#include "DlgInit.h"

// What the control reads of its surroundings. Colours are OLE_COLORs; a null
// font means the container window's own font (WM_GETFONT).
struct AmbientProperties {
    bool userMode = true;
    OLE_COLOR backColor = 0x80000000 | COLOR_BTNFACE;
    OLE_COLOR foreColor = 0x80000000 | COLOR_BTNTEXT;
    LCID localeId = LOCALE_USER_DEFAULT;
    std::wstring displayName;
    HFONT font = nullptr;
};

class CControlSite final : public ComObjectRoot,
                           public IOleClientSite,
                           public IOleInPlaceSite,
                           public IOleControlSite,
                           public IOleInPlaceFrame,
                           public IDispatch {
public:
    // A site for a control inside container; owner keeps the site alive and
    // site is the same object, for the container's own calls.
    static HRESULT Create(HWND container, const AmbientProperties& ambient, ComPtr<IUnknown>& owner,
                          CControlSite*& site);

    // Creates the control of class clsid, loads init (none: start from
    // defaults), sizes it to rect (container client pixels) and activates it in
    // place. Its window gets id, the WS_TABSTOP and WS_GROUP bits of style, and
    // is placed after insertAfter in the container's z-order. Without
    // WS_VISIBLE the control stays hidden.
    HRESULT CreateControl(const CLSID& clsid, const ControlInitData* init, const RECT& rect, DWORD id, DWORD style,
                          HWND insertAfter);

    // Deactivates and closes the control and lets it go. The site can then be
    // released; it holds nothing of the control any more.
    void Close();

    // Tells the control its new extent and position, so that it keeps
    // covering rect. The control moves and repaints its own window; repaint
    // applies only when the container has to move a window the control left.
    HRESULT Move(const RECT& rect, bool repaint);

    HWND ControlWindow() const { return window_; }
    // Offers a key message to the control while it is the UI-active object
    // (it told us so through SetActiveObject): S_OK when the control took it.
    HRESULT OfferKey(MSG& message);
    DWORD Id() const { return id_; }
    const RECT& Rect() const { return rect_; }
    IOleObject* Control() const { return object_.Get(); }

    // Ambient properties can change while the control runs; the control is told.
    void SetUserMode(bool userMode);

    COM_DELEGATING_IUNKNOWN

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow, for both the in-place site and the frame
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL lock) override;
    STDMETHODIMP GetExtendedControl(IDispatch** extended) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG* message, DWORD modifiers) override;
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IOleInPlaceUIWindow and IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR name) override;
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    STDMETHODIMP RemoveMenus(HMENU shared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

    // IDispatch: the ambient properties, by their DISPID_AMBIENT_* ids
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

private:
    CControlSite(HWND container, const AmbientProperties& ambient);
    void* FindOwnInterface(REFIID riid) override;

    HRESULT Instantiate(const CLSID& clsid, const std::wstring& licenceKey);
    HRESULT LoadPersisted(const ControlInitData* init);
    HRESULT AmbientFont(VARIANT* result) const;
    RECT ClipRect() const;

    HWND container_;
    AmbientProperties ambient_;
    ComPtr<IOleObject> object_;
    ComPtr<IOleInPlaceObject> inPlace_;
    ComPtr<IOleInPlaceActiveObject> active_;
    HWND window_ = nullptr;
    DWORD id_ = 0;
    RECT rect_{};
    bool inPlaceActive_ = false;
};
