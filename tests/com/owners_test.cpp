// The owners of COM resources: each reference taken is released once, whichever way the
// owner goes.
#include "com/owners.h"

#include <gtest/gtest.h>

#include <stdexcept>

using r58046::com::ComPtr;
using r58046::com::UniqueBstr;
using r58046::com::UniqueVariant;
using r58046::com::VariantArray;

namespace {

// An object that only counts its references.
class Counted : public IDispatch {
 public:
  ULONG references = 1;  // the creator's

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
};

TEST(ComPtr, AdoptsOrSharesAndReleasesEachReferenceOnce) {
  Counted object;
  {
    auto shared = ComPtr<IDispatch>::share(&object);
    EXPECT_EQ(object.references, 2u);
    ComPtr<IDispatch> copy = shared;
    ComPtr<IDispatch> moved = std::move(copy);
    EXPECT_EQ(object.references, 3u) << "a copy adds one, a move none";
    EXPECT_FALSE(copy);
    copy = moved;
    copy = copy;  // NOLINT: assigning to itself keeps the reference
    EXPECT_EQ(object.references, 4u);
  }
  EXPECT_EQ(object.references, 1u);

  object.AddRef();  // a reference handed over, as an out argument hands it
  { auto adopted = ComPtr<IDispatch>::adopt(&object); }
  EXPECT_EQ(object.references, 1u);
}

TEST(ComPtr, PutReleasesTheOldReferenceAndDetachGivesItAway) {
  Counted first;
  Counted second;
  auto owner = ComPtr<IDispatch>::share(&first);
  EXPECT_TRUE(SUCCEEDED(second.QueryInterface(IID_IDispatch, owner.putVoid())));
  EXPECT_EQ(first.references, 1u);
  EXPECT_EQ(second.references, 2u);
  ComPtr<IUnknown> unknown;
  EXPECT_TRUE(SUCCEEDED(owner.query(IID_IUnknown, unknown)));
  EXPECT_EQ(second.references, 3u);
  IDispatch* given = owner.detach();
  EXPECT_EQ(given, &second);
  EXPECT_EQ(second.references, 3u);
  given->Release();
  unknown.reset();
  EXPECT_EQ(second.references, 1u);
}

TEST(VariantOwners, ClearTheirValuesAlsoWhenAnExceptionLeaves) {
  Counted object;
  try {
    VariantArray values(2);
    V_VT(&values[1]) = VT_DISPATCH;
    V_DISPATCH(&values[1]) = ComPtr<IDispatch>::share(&object).detach();
    UniqueVariant one;
    V_VT(one.get()) = VT_DISPATCH;
    V_DISPATCH(one.get()) = ComPtr<IDispatch>::share(&object).detach();
    EXPECT_EQ(object.references, 3u);
    V_VT(one.put()) = VT_I4;  // clears the object first
    EXPECT_EQ(object.references, 2u);
    throw std::runtime_error("leaving");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(object.references, 1u);
}

TEST(UniqueBstr, FreesWhatItHoldsAndReleaseHandsItOver) {
  UniqueBstr text(SysAllocString(L"first"));
  *text.put() = SysAllocString(L"second");  // the first is freed (checked under sanitizers)
  EXPECT_STREQ(text.get(), L"second");
  UniqueBstr moved = std::move(text);
  EXPECT_EQ(text.get(), nullptr);
  BSTR handed = moved.release();
  EXPECT_EQ(moved.get(), nullptr);
  EXPECT_STREQ(handed, L"second");
  SysFreeString(handed);
}

}  // namespace
