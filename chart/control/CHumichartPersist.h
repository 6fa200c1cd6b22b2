// The control's persistence: its property copies and extent as the 88-byte
// property stream, on its own or as the stream "Contents" of a storage. Part
// of the control object.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "ComPart.h"
#include "ControlProperties.h"

namespace humichart {

class CHumichartPersist final : public IPersistStreamInit, public IPersistStorage {
public:
    CHumichartPersist(IUnknown* outer, ControlProperties& properties) : m_outer(outer), m_properties(properties) {}

    COM_PART_IUNKNOWN(m_outer)

    // IPersist, for both
    STDMETHODIMP GetClassID(CLSID* clsid) override;

    // IPersistStreamInit
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

    // IPersistStorage
    STDMETHODIMP InitNew(IStorage* storage) override;
    STDMETHODIMP Load(IStorage* storage) override;
    STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage* storage) override;
    STDMETHODIMP HandsOffStorage() override;

private:
    IUnknown* m_outer;
    ControlProperties& m_properties;
};

}  // namespace humichart
