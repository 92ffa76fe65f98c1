// The client side's identifier cache, against servers that number their members as Word
// does, per interface: the same member name has different identifiers on two interfaces.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "automation/call_observer.h"
#include "com/bridge.h"
#include "com_test_support.h"

using namespace r58046;
using automation::Arg;
using automation::Args;
using automation::InvokeKind;
using automation::Object;
using automation::Variant;
using testsupport::failureOf;

namespace {

const automation::Interface kTabStops{u"TabStops"};
const automation::Interface kParagraphs{u"Paragraphs"};

// An object of one interface: the names it knows with their identifiers (compared without
// regard to case, as Word compares them). A call answers the identifier it reached, so a
// test sees which member answered. It counts the round trips it is asked.
class NumberedObject : public IDispatch {
 public:
  explicit NumberedObject(std::map<std::wstring, DISPID> ids) : ids_(std::move(ids)) {}

  int lookups = 0;
  int invokes = 0;

  // The server numbers a member anew: its old identifier answers "member not found".
  void renumber(const std::wstring& name, DISPID id) { ids_[name] = id; }
  // Every call of the member answers "member not found".
  void lose(const std::wstring& name) { lost_ = ids_.at(name); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives as long as the test; counts references only to check that none is left.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    ++lookups;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      for (const auto& [name, id] : ids_) {
        if (_wcsicmp(name.c_str(), names[i]) == 0) {
          ids[i] = id;
        }
      }
      if (ids[i] == DISPID_UNKNOWN) {
        hr = DISP_E_UNKNOWNNAME;
      }
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    ++invokes;
    bool known = false;
    for (const auto& entry : ids_) {
      known = known || entry.second == id;
    }
    if (!known || id == lost_) {
      return DISP_E_MEMBERNOTFOUND;
    }
    namedIds.assign(params->rgdispidNamedArgs, params->rgdispidNamedArgs + params->cNamedArgs);
    if (result != nullptr) {
      V_VT(result) = VT_I4;
      V_I4(result) = id;
    }
    return S_OK;
  }

  ULONG references() const { return references_; }
  std::vector<DISPID> namedIds;  // of the last call

 private:
  std::map<std::wstring, DISPID> ids_;
  DISPID lost_ = DISPID_UNKNOWN;
  ULONG references_ = 0;
};

// Counts the round trips the observer is told of.
class RoundTrips : public automation::CallObserver {
 public:
  void observe(const automation::ObservedCall& call) override {
    ++calls;
    lookups += call.lookups;
    invokes += call.invokes;
  }
  int calls = 0;
  int lookups = 0;
  int invokes = 0;
};

class IdentifierCache : public ::testing::Test {
 protected:
  void SetUp() override { com::identifierCache().clear(); }
  void TearDown() override {
    automation::setCallObserver(nullptr);
    com::identifierCache().setEnabled(true);
    com::identifierCache().clear();
  }

  static Object client(NumberedObject& object) {
    return Object(std::make_shared<com::ComObject>(&object));
  }
  static int32_t read(const Object& object, const automation::Interface& through,
                      std::u16string_view member) {
    Args none;
    return object.invokeThrough(through, member, InvokeKind::Get, none).toLong();
  }

  NumberedObject tabStops{
      {{L"Count", 11}, {L"Item", 12}, {L"Add", 13}, {L"Position", 1}, {L"Alignment", 2}}};
  NumberedObject paragraphs{{{L"Count", 21}, {L"Item", 22}}};
};

TEST_F(IdentifierCache, OneMemberNameOnTwoInterfacesIsAskedOfEachAndNeverMixed) {
  Object tabs = client(tabStops);
  Object paras = client(paragraphs);
  EXPECT_EQ(read(tabs, kTabStops, u"Count"), 11);
  EXPECT_EQ(read(paras, kParagraphs, u"Count"), 21);
  EXPECT_EQ(tabStops.lookups, 1);
  EXPECT_EQ(paragraphs.lookups, 1);

  // Asked once per interface and member: every later call is one Invoke, each reaching its
  // own interface's member.
  EXPECT_EQ(read(paras, kParagraphs, u"count"), 21);
  EXPECT_EQ(read(tabs, kTabStops, u"Count"), 11);
  EXPECT_EQ(read(tabs, kTabStops, u"Item"), 12);
  EXPECT_EQ(tabStops.lookups, 2) << "Item once more, Count not";
  EXPECT_EQ(paragraphs.lookups, 1);
  EXPECT_EQ(tabStops.invokes, 3);
}

TEST_F(IdentifierCache, AnotherObjectOfTheSameInterfaceIsAskedNothing) {
  NumberedObject other{{{L"Count", 11}}};
  EXPECT_EQ(read(client(tabStops), kTabStops, u"Count"), 11);
  EXPECT_EQ(read(client(other), kTabStops, u"Count"), 11);
  EXPECT_EQ(other.lookups, 0);
  EXPECT_EQ(other.invokes, 1);
  EXPECT_EQ(other.references(), 0u) << "the client released its references";
}

TEST_F(IdentifierCache, AnObjectOfUnknownInterfaceIsAskedEachTime) {
  Object tabs = client(tabStops);
  EXPECT_EQ(tabs.get(u"Count").toLong(), 11);
  EXPECT_EQ(tabs.get(u"Count").toLong(), 11);
  EXPECT_EQ(tabStops.lookups, 2);
  EXPECT_EQ(read(tabs, kTabStops, u"Count"), 11);
  EXPECT_EQ(tabStops.lookups, 3) << "what was asked untyped is not kept";
}

TEST_F(IdentifierCache, MemberNotFoundForAKeptIdentifierAsksAgainOnce) {
  Object tabs = client(tabStops);
  EXPECT_EQ(read(tabs, kTabStops, u"Count"), 11);
  tabStops.renumber(L"Count", 31);
  EXPECT_EQ(read(tabs, kTabStops, u"Count"), 31);
  EXPECT_EQ(tabStops.lookups, 2);
  EXPECT_EQ(tabStops.invokes, 3) << "the refused call, then the call with the new identifier";
  EXPECT_EQ(read(tabs, kTabStops, u"Count"), 31);
  EXPECT_EQ(tabStops.lookups, 2) << "the new identifier is kept";

  // A member that stays not found is asked again once only, then fails as Word's answer.
  tabStops.lose(L"Count");
  EXPECT_EQ(failureOf([&] { read(tabs, kTabStops, u"Count"); }).number(),
            automation::errors::kMemberNotSupported);
  EXPECT_EQ(tabStops.lookups, 3);
  EXPECT_EQ(tabStops.invokes, 6);
}

TEST_F(IdentifierCache, NamedArgumentsAreKeptWithTheirMember) {
  Object tabs = client(tabStops);
  auto add = [&](std::u16string argument) {
    Args args{Arg::named(std::move(argument), Variant(int32_t{5}))};
    tabs.invokeThrough(kTabStops, u"Add", InvokeKind::Method, args);
  };
  add(u"Position");
  add(u"Position");
  EXPECT_EQ(tabStops.lookups, 1);
  EXPECT_EQ(tabStops.namedIds, std::vector<DISPID>{1});
  add(u"Alignment");
  EXPECT_EQ(tabStops.lookups, 2) << "another named argument is another question";
  EXPECT_EQ(tabStops.namedIds, std::vector<DISPID>{2});
}

TEST_F(IdentifierCache, OffItAsksEveryTimeAndTheObserverCountsTheRoundTrips) {
  RoundTrips trips;
  automation::setCallObserver(&trips);
  Object tabs = client(tabStops);
  read(tabs, kTabStops, u"Count");
  read(tabs, kTabStops, u"Count");
  EXPECT_EQ(trips.calls, 2);
  EXPECT_EQ(trips.lookups, 1);
  EXPECT_EQ(trips.invokes, 2);

  com::identifierCache().setEnabled(false);
  read(tabs, kTabStops, u"Count");
  read(tabs, kTabStops, u"Count");
  EXPECT_EQ(trips.lookups, 3);
  EXPECT_EQ(trips.invokes, 4);
  EXPECT_EQ(tabStops.lookups, trips.lookups);
  EXPECT_EQ(tabStops.invokes, trips.invokes);
}

}  // namespace
