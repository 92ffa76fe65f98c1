// The two bridges against each other in one process: a C++ object served as IDispatch and
// called back through ComObject, as Word's proxy is called, so every value, argument form
// and failure crosses real IDispatch::Invoke calls.
#include <gtest/gtest.h>

#include <stdexcept>

#include "automation/members.h"
#include "automation/text.h"
#include "com/bridge.h"
#include "com_test_support.h"

using namespace r58046;
using automation::Arg;
using automation::Args;
using automation::AutomationError;
using automation::InvokeKind;
using automation::Object;
using automation::Variant;
using testsupport::failureOf;
namespace errors = automation::errors;

namespace {

class Sample : public automation::Automatable<Sample> {
 public:
  static const automation::MemberTable<Sample>& members() {
    static const auto table =
        automation::MemberTable<Sample>()
            .prop(u"Caption", &Sample::caption, &Sample::setCaption)
            .method(u"Echo", {u"Value"}, &Sample::echo)
            .method(u"Close", {u"SaveChanges", u"OriginalFormat"}, &Sample::close)
            .method(u"Double", {u"Value"}, &Sample::doubleIt)
            .method(u"FailWith", {u"Number"}, &Sample::failWith)
            .method(u"Crash", &Sample::crash)
            .get(u"Self", &Sample::self)
            .get(u"Item", {u"Index"}, &Sample::item)
            .asDefault();
    return table;
  }
  std::u16string caption() const { return caption_; }
  void setCaption(std::u16string value) { caption_ = std::move(value); }
  Variant echo(const Variant& value) { return value; }
  std::u16string close(std::optional<int32_t> save, std::optional<Variant> format) {
    return (save ? u"save=" + std::u16string(1, static_cast<char16_t>(u'0' + *save)) : u"-") +
           (format ? u" format" : u"");
  }
  void doubleIt(Variant& value) { value = Variant(value.toLong() * 2); }
  void failWith(int32_t number) {
    throw AutomationError(number, u"Sample\n\r source \u00e9", u"it failed");
  }
  void crash() { throw std::runtime_error("the settings store is gone"); }
  automation::ObjectRef self() { return shared_from_this(); }
  std::u16string item(int32_t index) {
    if (index != 1) {
      automation::raiseError(errors::kSubscriptOutOfRange);
    }
    return u"first";
  }

 private:
  std::u16string caption_ = u"start";
};

class Bridge : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    sample = std::make_shared<Sample>();
    IDispatch* dispatch = com::dispatchOf(sample);
    // Called as a foreign object is called: through its IDispatch, never unwrapped.
    remote = Object(std::make_shared<com::ComObject>(dispatch));
    dispatch->Release();
  }
  void TearDown() override {
    remote = Object();
    sample.reset();
    CoUninitialize();
  }

  std::shared_ptr<Sample> sample;
  Object remote;
};

TEST_F(Bridge, ValuesKeepTheirVbKinds) {
  for (const Variant& v :
       {Variant(), Variant::null(), Variant::boolean(true), Variant(int16_t{-7}),
        Variant(int32_t{70000}), Variant(2.5f), Variant(56.7), Variant(u"Modèles\r\n\u0153"),
        Variant(automation::DateValue{36526.5}), Variant::nothing()}) {
    EXPECT_EQ(remote.call(u"Echo", v), v) << automation::toUtf8(v.describe());
  }
}

TEST_F(Bridge, ArgumentsOmittedNamedAndByReference) {
  EXPECT_EQ(remote.call(u"Close").toString(), u"-");
  EXPECT_EQ(remote.call(u"Close", Arg::omitted(), Variant(u"x")).toString(), u"- format");
  Args named{Arg::named(u"saveChanges", Variant(int32_t{0}))};
  EXPECT_EQ(remote.invoke(u"Close", InvokeKind::Method, named).toString(), u"save=0");

  Variant value(int32_t{21});
  Args byRef{Arg::byRef(value)};
  remote.invoke(u"Double", InvokeKind::Method, byRef);
  EXPECT_EQ(value.toLong(), 42);
}

TEST_F(Bridge, PropertiesAndTheDefaultMember) {
  remote.put(u"caption", Variant(u"changed"));
  EXPECT_EQ(sample->caption(), u"changed");
  EXPECT_EQ(remote.get(u"Caption").toString(), u"changed");
  EXPECT_EQ(remote.get(u"", Variant(int32_t{1})).toString(), u"first");
}

TEST_F(Bridge, AServedObjectComesBackAsItself) {
  // Through the proxy, an object of this module is unwrapped to the same C++ object.
  Variant self = remote.get(u"Self");
  EXPECT_EQ(self.toObject().get(), sample.get());
  // One object, one COM identity.
  IDispatch* a = com::dispatchOf(sample);
  IDispatch* b = com::dispatchOf(sample);
  EXPECT_EQ(a, b);
  a->Release();
  b->Release();
}

// Two objects of one window, as the simulated Word makes them: one identity for "Is".
class Part : public automation::Automatable<Part> {
 public:
  Part(const void* window, std::u16string kind) : window_(window), kind_(std::move(kind)) {}
  static const automation::MemberTable<Part>& members() {
    static const auto table = automation::MemberTable<Part>().get(u"Kind", &Part::kind);
    return table;
  }
  std::u16string kind() const { return kind_; }
  const void* identity() const noexcept override { return window_; }

 private:
  const void* window_;
  std::u16string kind_;
};
class OtherPart : public Part {
 public:
  using Part::Part;
};

TEST_F(Bridge, ObjectsSharingAnIdentityAreServedByClass) {
  int window = 0;
  auto view = std::make_shared<Part>(&window, u"view");
  auto zoom = std::make_shared<OtherPart>(&window, u"zoom");
  auto sameView = std::make_shared<Part>(&window, u"view");
  IDispatch* a = com::dispatchOf(view);
  IDispatch* b = com::dispatchOf(zoom);
  IDispatch* c = com::dispatchOf(sameView);
  EXPECT_NE(a, b);
  EXPECT_EQ(a, c);
  EXPECT_EQ(Object(std::make_shared<com::ComObject>(b)).get(u"Kind").toString(), u"zoom");
  a->Release();
  b->Release();
  c->Release();
}

TEST_F(Bridge, FailuresArriveWithNumberSourceAndDescription) {
  AutomationError e = failureOf([&] { remote.call(u"FailWith", Variant(int32_t{4198})); });
  EXPECT_EQ(e.number(), 4198);
  EXPECT_EQ(e.source(), u"Sample\n\r source \u00e9");
  EXPECT_EQ(e.description(), u"it failed");

  // An HRESULT carried as the number (the call-rejected error) keeps its value.
  e = failureOf([&] { remote.call(u"FailWith", Variant(errors::kCallRejected)); });
  EXPECT_EQ(e.number(), errors::kCallRejected);

  EXPECT_EQ(failureOf([&] { remote.get(u"Item", Variant(int32_t{2})); }).number(),
            errors::kSubscriptOutOfRange);
  EXPECT_EQ(failureOf([&] { remote.call(u"NoSuchMember"); }).number(), errors::kMemberNotSupported);
  EXPECT_EQ(failureOf([&] { remote.call(u"Close", Arg::named(u"Nope", Variant(1))); }).number(),
            errors::kNamedArgumentNotFound);
}

TEST_F(Bridge, AnUnexpectedExceptionKeepsItsTextAcrossTheBoundary) {
  AutomationError e = failureOf([&] { remote.call(u"Crash"); });
  EXPECT_EQ(e.number(), static_cast<int32_t>(E_UNEXPECTED));
  EXPECT_EQ(e.description(), u"the settings store is gone");

  // Called without EXCEPINFO, as a dual interface's function is: the text is in IErrorInfo.
  auto dispatch = com::ComPtr<IDispatch>::adopt(com::dispatchOf(sample));
  DISPID id = com::dispatchIdOf(u"Crash");
  DISPPARAMS none{};
  EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            E_UNEXPECTED);
  com::ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
  com::UniqueBstr description;
  ASSERT_TRUE(SUCCEEDED(info->GetDescription(description.put())));
  EXPECT_EQ(com::fromBstr(description.get()), u"the settings store is gone");
}

TEST(DispatchIdentifiers, TheTypeLibrarysNamesKeepTheirNumbers) {
  EXPECT_EQ(com::dispatchIdOf(u"InitQuestion"), 6);
  EXPECT_EQ(com::dispatchIdOf(u"item"), 18);
  EXPECT_EQ(com::dispatchIdOf(u""), DISPID_VALUE);
  DISPID other = com::dispatchIdOf(u"NotInTheLibrary");
  EXPECT_GE(other, 0x1000);
  EXPECT_EQ(com::dispatchIdOf(u"NOTINTHELIBRARY"), other);
}

TEST(ErrorNumbers, AsAVbProgramSeesThem) {
  EXPECT_EQ(com::vbNumberOf(MAKE_HRESULT(1, FACILITY_CONTROL, 5941)), 5941);
  EXPECT_EQ(com::vbNumberOf(DISP_E_MEMBERNOTFOUND), errors::kMemberNotSupported);
  EXPECT_EQ(com::vbNumberOf(DISP_E_TYPEMISMATCH), errors::kTypeMismatch);
  EXPECT_EQ(com::vbNumberOf(DISP_E_PARAMNOTOPTIONAL), errors::kArgumentNotOptional);
  for (HRESULT gone :
       {RPC_E_DISCONNECTED, HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE),
        HRESULT_FROM_WIN32(RPC_S_UNKNOWN_IF), RPC_E_SERVER_DIED_DNE, CO_E_OBJNOTCONNECTED}) {
    EXPECT_EQ(com::vbNumberOf(gone), errors::kServerNotAvailable);
  }
  EXPECT_EQ(com::vbNumberOf(RPC_E_CALL_REJECTED), -2147418111);
  EXPECT_EQ(com::vbNumberOf(E_FAIL), static_cast<int32_t>(E_FAIL));

  EXPECT_EQ(com::hresultOf(462), static_cast<HRESULT>(0x800A01CE));
  EXPECT_EQ(com::hresultOf(errors::kCallRejected), RPC_E_CALL_REJECTED);
}

}  // namespace
