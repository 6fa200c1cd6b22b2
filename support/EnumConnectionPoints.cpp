#include "EnumConnectionPoints.h"

HRESULT CEnumConnectionPoints::Create(const std::vector<IConnectionPoint*>& points, size_t position,
                                      IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto* enumerator = new (std::nothrow) CEnumConnectionPoints(nullptr);
    if (!enumerator) return E_OUTOFMEMORY;
    ComPtr<IUnknown> owner = ComPtr<IUnknown>::Attach(enumerator->InnerUnknown());
    for (IConnectionPoint* point : points) enumerator->points_.push_back(ComPtr<IConnectionPoint>::Share(point));
    enumerator->position_ = position;
    return owner->QueryInterface(IID_IEnumConnectionPoints, reinterpret_cast<void**>(out));
}

STDMETHODIMP CEnumConnectionPoints::Next(ULONG count, IConnectionPoint** points, ULONG* fetched) {
    if (!points || (count > 1 && !fetched)) return E_POINTER;
    ULONG done = 0;
    for (; done < count && position_ < points_.size(); ++done, ++position_)
        points[done] = ComPtr<IConnectionPoint>::Share(points_[position_].Get()).Detach();
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumConnectionPoints::Skip(ULONG count) {
    const size_t left = points_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumConnectionPoints::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP CEnumConnectionPoints::Clone(IEnumConnectionPoints** copy) {
    std::vector<IConnectionPoint*> points;
    for (const auto& point : points_) points.push_back(point.Get());
    return Create(points, position_, copy);
}
