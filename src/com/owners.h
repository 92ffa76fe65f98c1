// Owners of COM resources, each released when its owner goes, however the scope ends: an
// interface pointer (one reference), a VARIANT, an array of VARIANTs, a BSTR; and the scope
// guard for anything else. Standard library and Windows headers only.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "automation/scope_exit.h"

namespace r58046::com {

using automation::scopeExit;

// An interface pointer holding one reference of its own.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}  // NOLINT(google-explicit-constructor)
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_ != nullptr) {
      p_->AddRef();
    }
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference that the caller holds (a new object's, an out argument's).
  static ComPtr adopt(T* p) {
    ComPtr owner;
    owner.p_ = p;
    return owner;
  }
  // Adds a reference of its own.
  static ComPtr share(T* p) {
    if (p != nullptr) {
      p->AddRef();
    }
    return adopt(p);
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // Where a function writes a new reference: the one held is released first.
  T** put() {
    reset();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  // Gives the reference to the caller.
  [[nodiscard]] T* detach() { return std::exchange(p_, nullptr); }
  void reset() {
    if (T* p = std::exchange(p_, nullptr)) {
      p->Release();
    }
  }

  // The object's interface iid, or an empty owner with the failure.
  template <class U>
  HRESULT query(REFIID iid, ComPtr<U>& out) const {
    return p_->QueryInterface(iid, out.putVoid());
  }

 private:
  T* p_ = nullptr;
};

// A VARIANT, cleared when it goes.
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&value_); }
  ~UniqueVariant() { VariantClear(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }
  // Where a function writes a new value: the one held is cleared first.
  VARIANT* put() {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

// A fixed number of VARIANTs side by side (as DISPPARAMS takes them), cleared when they go.
class VariantArray {
 public:
  explicit VariantArray(size_t count) : values_(count) {
    for (VARIANT& v : values_) {
      VariantInit(&v);
    }
  }
  ~VariantArray() {
    for (VARIANT& v : values_) {
      VariantClear(&v);
    }
  }
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;

  VARIANT& operator[](size_t i) { return values_[i]; }
  VARIANT* data() { return values_.empty() ? nullptr : values_.data(); }
  size_t size() const { return values_.size(); }

 private:
  std::vector<VARIANT> values_;
};

// A BSTR, freed when it goes.
class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(BSTR owned) : text_(owned) {}
  UniqueBstr(UniqueBstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    std::swap(text_, other.text_);
    return *this;
  }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  ~UniqueBstr() { SysFreeString(text_); }

  BSTR get() const { return text_; }
  // Where a function writes a new string: the one held is freed first.
  BSTR* put() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  // Gives the string to the caller.
  [[nodiscard]] BSTR release() { return std::exchange(text_, nullptr); }

 private:
  BSTR text_ = nullptr;
};

}  // namespace r58046::com
