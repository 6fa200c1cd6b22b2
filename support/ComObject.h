// The base of every COM class of the libraries: reference count, module lock,
// aggregation (a non-delegating inner IUnknown beside the delegating one every
// interface inherits) and table-free QueryInterface over a list of interfaces.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <new>

#include "ComModule.h"

// Names an interface that a class reaches only through one of its bases, such
// as IDispatch through a dual interface.
template <class Interface, class Path>
struct Via {};

namespace com_detail {
template <class Entry> struct Route { using Interface = Entry; using Path = Entry; };
template <class I, class P> struct Route<Via<I, P>> { using Interface = I; using Path = P; };
}  // namespace com_detail

// The first listed interface whose id is riid, as a pointer into self, or null.
template <class... Entries, class Self>
void* FindInterface(Self* self, REFIID riid) {
    void* found = nullptr;
    ((found == nullptr && IsEqualIID(riid, __uuidof(typename com_detail::Route<Entries>::Interface))
          ? void(found = static_cast<typename com_detail::Route<Entries>::Interface*>(
                     static_cast<typename com_detail::Route<Entries>::Path*>(self)))
          : void()),
     ...);
    return found;
}

class ComObjectRoot {
public:
    ComObjectRoot(const ComObjectRoot&) = delete;
    ComObjectRoot& operator=(const ComObjectRoot&) = delete;

    // The object's own IUnknown: the controlling unknown of a plain object and
    // the inner unknown handed to the outer object of an aggregate.
    IUnknown* InnerUnknown() { return &inner_; }

protected:
    explicit ComObjectRoot(IUnknown* outer) : inner_(this), controlling_(outer ? outer : &inner_) { com_module::Lock(); }
    virtual ~ComObjectRoot() { com_module::Unlock(); }

    // An interface of this object other than IUnknown, or null.
    virtual void* FindOwnInterface(REFIID riid) = 0;

    IUnknown* Controlling() const { return controlling_; }

private:
    class Inner final : public IUnknown {
    public:
        explicit Inner(ComObjectRoot* owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
            if (!ppv) return E_POINTER;
            if (IsEqualIID(riid, IID_IUnknown)) {
                *ppv = this;
                AddRef();
                return S_OK;
            }
            *ppv = owner_->FindOwnInterface(riid);
            if (!*ppv) return E_NOINTERFACE;
            static_cast<IUnknown*>(*ppv)->AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
        STDMETHODIMP_(ULONG) Release() override {
            const ULONG left = --refs_;
            if (left == 0) delete owner_;
            return left;
        }

    private:
        ComObjectRoot* owner_;
        std::atomic<ULONG> refs_{1};
    };

    Inner inner_;
    IUnknown* controlling_;
};

// The IUnknown of every interface of a class: all three go to the controlling
// unknown, which is the outer object when aggregated.
#define COM_DELEGATING_IUNKNOWN                                                                          \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return Controlling()->QueryInterface(riid, ppv); } \
    STDMETHODIMP_(ULONG) AddRef() override { return Controlling()->AddRef(); }                           \
    STDMETHODIMP_(ULONG) Release() override { return Controlling()->Release(); }

// Creates T (constructed from its outer unknown, possibly null) and asks it for
// riid.  An aggregate may only be asked for IUnknown.
template <class T>
HRESULT CreateComObject(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    T* object = new (std::nothrow) T(outer);
    if (!object) return E_OUTOFMEMORY;
    IUnknown* inner = object->InnerUnknown();
    const HRESULT hr = inner->QueryInterface(riid, ppv);
    inner->Release();  // the construction reference
    return hr;
}
