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

TEST(Text, UnicodeCasing) {
  EXPECT_EQ(upper(u"Société Plaisirs et évasions"), u"SOCIÉTÉ PLAISIRS ET ÉVASIONS");
  EXPECT_EQ(lower(u"MODÈLES.DOC"), u"modèles.doc");
  EXPECT_EQ(upper(u"œuvre"), u"ŒUVRE");
  EXPECT_TRUE(equalsNoCase(u"Courrier Oxel.dot", u"COURRIER OXEL.DOT"));
  EXPECT_EQ(toUtf8(fromUtf8("Modèles")), "Modèles");
  EXPECT_EQ(inStr(u"abc", u"c"), 3U);
  EXPECT_EQ(inStr(u"abc", u"d"), 0U);
}

// Casing maps each character to one character, as the system's casing does in the Windows
// build: a position found in a cased text is the same position in the text itself.
TEST(Text, CasingKeepsEveryCharacterInItsPlace) {
  EXPECT_EQ(upper(u"Straße"), u"STRAßE");
  EXPECT_EQ(upper(u"ﬁlm"), u"ﬁLM");
  EXPECT_EQ(lower(u"İZMİR"), u"izmir");
  EXPECT_EQ(lower(u"ΟΔΟΣ"), u"οδοσ");
  EXPECT_EQ(upper(u"\U00010428"), u"\U00010400");  // outside the 16-bit plane
  // A lone surrogate stays as it is.
  const char16_t lone = 0xD800;
  EXPECT_EQ(upper(std::u16string(u"a") + lone + u"z"), std::u16string(u"A") + lone + u"Z");

  const std::u16string text = u"Anne Weiß, pour la Société Plaisirs et évasions";
  EXPECT_EQ(upper(text).size(), text.size());
  EXPECT_EQ(inStr(upper(text), u"SOCIÉTÉ PLAISIRS ET ÉVASIONS"), inStr(text, u"Société"));
}

TEST(Text, EscapesForOneLine) {
  EXPECT_EQ(escapeText(u"a\nb\r\tc\\\""), u"a\\nb\\r\\tc\\\"");
  EXPECT_EQ(escapeText(u"c:\\x \"y\"", u"\\\""), u"c:\\\\x \\\"y\\\"");
  EXPECT_EQ(escapeText(u"\x01"
                       u"é",
                       {}, true),
            u"\\u0001é");
  EXPECT_EQ(escapeText(u"\x01"), u"\x01");
}
