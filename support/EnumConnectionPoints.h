// An enumerator over a container's connection points, for containers that
// list them instead of asking for the one they want.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "ComObject.h"
#include "ComPtr.h"

class CEnumConnectionPoints final : public ComObjectRoot, public IEnumConnectionPoints {
public:
    // Each point is held for the enumerator's life.
    static HRESULT Create(const std::vector<IConnectionPoint*>& points, size_t position, IEnumConnectionPoints** out);

    explicit CEnumConnectionPoints(IUnknown* outer) : ComObjectRoot(outer) {}

    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumConnectionPoints** copy) override;

private:
    void* FindOwnInterface(REFIID riid) override { return FindInterface<IEnumConnectionPoints>(this, riid); }

    std::vector<ComPtr<IConnectionPoint>> points_;
    size_t position_ = 0;
};
