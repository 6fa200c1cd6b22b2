// A move-only owner of one COM interface reference.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) { ComPtr c; c.p_ = p; return c; }
    // Adds a reference of its own.
    static ComPtr Share(T* p) { if (p) p->AddRef(); return Attach(p); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset(T* p = nullptr) { if (T* old = std::exchange(p_, p)) old->Release(); }

    // For out-parameters: releases what is held and hands out the slot.
    T** Put() { Reset(); return &p_; }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    template <class U>
    HRESULT As(ComPtr<U>& out) const { return p_ ? p_->QueryInterface(__uuidof(U), out.PutVoid()) : E_POINTER; }

private:
    T* p_ = nullptr;
};
