#include <gtest/gtest.h>

#include "automation/members.h"
#include "automation/text.h"
#include "support/error_of.h"

using namespace r58046::automation;

namespace {

class Sample : public Automatable<Sample> {
 public:
  static const MemberTable<Sample>& members() {
    static const auto table =
        MemberTable<Sample>()
            .prop(u"Visible", &Sample::visible, &Sample::setVisible)
            .prop(u"Path", {u"Kind"}, &Sample::path, &Sample::setPath)
            .method(u"Close", {u"SaveChanges", u"OriginalFormat", u"RouteDocument"}, &Sample::close)
            .method(u"Swap", {u"Value"}, &Sample::swap)
            .get(u"Item", {u"Index"}, &Sample::item)
            .asDefault();
    return table;
  }

  bool visible() const { return visible_; }
  void setVisible(bool v) { visible_ = v; }
  std::u16string path(int32_t kind) const { return paths_[kind]; }
  void setPath(int32_t kind, std::u16string value) { paths_[kind] = std::move(value); }
  int32_t close(std::optional<int32_t> save, std::optional<Variant> format,
                std::optional<bool> route) {
    lastSave = save;
    hadFormat = format.has_value();
    hadRoute = route.has_value();
    return 1;
  }
  void swap(Variant& v) { v = Variant(v.toLong() * 2); }
  std::u16string item(int32_t index) {
    if (index < 1 || index > 2) {
      raiseError(errors::kWordNoSuchMember);
    }
    return index == 1 ? u"one" : u"two";
  }

  std::optional<int32_t> lastSave;
  bool hadFormat = false;
  bool hadRoute = false;

 private:
  bool visible_ = false;
  std::u16string paths_[16];
};

using r58046::testsupport::errorOf;

}  // namespace

TEST(Members, NamesAreCaseInsensitive) {
  auto s = std::make_shared<Sample>();
  Object o(s);
  o.put(u"VISIBLE", Variant::boolean(true));
  EXPECT_TRUE(s->visible());
  EXPECT_EQ(o.get(u"visible").toLong(), -1);
}

TEST(Members, PropertyWithArgumentsReadsAndWrites) {
  auto s = std::make_shared<Sample>();
  Object o(s);
  o.putWith(u"Path", {Arg(2)}, u"/templates");
  EXPECT_EQ(o.get(u"Path", 2).toString(), u"/templates");
  EXPECT_EQ(o.get(u"Path", 0).toString(), u"");
}

TEST(Members, OmittedAndNamedArguments) {
  auto s = std::make_shared<Sample>();
  Object o(s);
  o.call(u"Close");
  EXPECT_FALSE(s->lastSave.has_value());
  o.call(u"Close", Arg::omitted(), Arg::named(u"savechanges", 0));
  EXPECT_EQ(s->lastSave, 0);
  EXPECT_FALSE(s->hadFormat);
  o.call(u"Close", -1, Arg::omitted(), Variant::boolean(false));
  EXPECT_EQ(s->lastSave, -1);
  EXPECT_TRUE(s->hadRoute);
  EXPECT_EQ(errorOf([&] { o.call(u"Close", Arg::named(u"Nope", 1)); }),
            errors::kNamedArgumentNotFound);
  EXPECT_EQ(errorOf([&] { o.call(u"Close", 1, 2, 3, 4); }), errors::kWrongNumberOfArguments);
}

TEST(Members, ByReferenceArgumentsWriteBack) {
  auto s = std::make_shared<Sample>();
  Variant v(21);
  Args args{Arg::byRef(v)};
  Object(s).invoke(u"Swap", InvokeKind::Method, args);
  EXPECT_EQ(v.toLong(), 42);
}

TEST(Members, DefaultMemberAndFailures) {
  auto s = std::make_shared<Sample>();
  Object o(s);
  EXPECT_EQ(o.get(u"", 2).toString(), u"two");
  EXPECT_EQ(errorOf([&] { o.get(u"", 3); }), errors::kWordNoSuchMember);
  EXPECT_EQ(errorOf([&] { o.get(u"Missing"); }), errors::kMemberNotSupported);
  EXPECT_EQ(errorOf([&] { o.put(u"Item", 1); }), errors::kMemberNotSupported);
  EXPECT_EQ(errorOf([&] { o.get(u"Item"); }), errors::kArgumentNotOptional);
  EXPECT_EQ(errorOf([] { Object().get(u"x"); }), errors::kObjectVariableNotSet);
}

TEST(Members, IdentityComparison) {
  auto a = std::make_shared<Sample>();
  auto b = std::make_shared<Sample>();
  EXPECT_TRUE(sameObject(a, ObjectRef(a)));
  EXPECT_FALSE(sameObject(a, b));
  EXPECT_TRUE(sameObject(nullptr, nullptr));
  EXPECT_FALSE(sameObject(a, nullptr));
}
