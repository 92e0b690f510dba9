#pragma once
// Owner of one reference to a COM interface: released when the owner goes.

#include <utility>

#include "platform/com/WindowsSdk.h"
#include <unknwn.h>

namespace tabora::com {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds (as COM hands out from out-parameters).
    static ComPtr Adopt(T* raw) {
        ComPtr owner;
        owner.ptr_ = raw;
        return owner;
    }
    // Adds a reference of its own.
    static ComPtr Share(T* raw) {
        if (raw != nullptr) raw->AddRef();
        return Adopt(raw);
    }

    ComPtr(const ComPtr& other) : ptr_(other.ptr_) {
        if (ptr_ != nullptr) ptr_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(ptr_, other.ptr_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (T* old = std::exchange(ptr_, nullptr)) old->Release();
    }
    // For an out-parameter: drops the current reference and gives the slot to fill.
    T** Receive() {
        Reset();
        return &ptr_;
    }
    // Hands this pointer's own reference to the caller (to pass out through an out-parameter)
    // and leaves the pointer empty; no reference is added.
    T* Detach() { return std::exchange(ptr_, nullptr); }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    T& operator*() const { return *ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    // Another interface of the same object; empty when the object does not have it.
    template <class U>
    ComPtr<U> Query(const IID& iid) const {
        ComPtr<U> other;
        if (ptr_ != nullptr && FAILED(ptr_->QueryInterface(iid, reinterpret_cast<void**>(other.Receive())))) {
            other.Reset();
        }
        return other;
    }

private:
    T* ptr_ = nullptr;
};

}  // namespace tabora::com
