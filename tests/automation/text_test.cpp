// The text helpers: UTF-8 at the edges of the system, UTF-16 inside, and the string
// functions of VB (casing, InStr, Trim, Replace) over it.
#include "automation/text.h"

#include <gtest/gtest.h>

#include <string>

using namespace r58046::automation;

namespace {

std::u16string units(std::initializer_list<char16_t> codeUnits) {
  return std::u16string(codeUnits);
}

}  // namespace

TEST(Utf, AccentedAndThreeByteCharactersConvertBothWays) {
  EXPECT_EQ(fromUtf8("Mod\xC3\xA8les"), u"Modèles");
  EXPECT_EQ(fromUtf8("Mod\xC3\xA8les").size(), 7U);
  EXPECT_EQ(toUtf8(u"Modèles"), "Mod\xC3\xA8les");
  EXPECT_EQ(toUtf8(u"\u0153uvre \u20ac"), "\xC5\x93uvre \xE2\x82\xAC");
  EXPECT_EQ(fromUtf8("\xC5\x93uvre \xE2\x82\xAC"), u"\u0153uvre \u20ac");
  EXPECT_EQ(toUtf8(u""), "");
  EXPECT_EQ(fromUtf8(""), u"");
  // A NUL is a character like another, not the end of the text.
  EXPECT_EQ(fromUtf8(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(toUtf8(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

// Outside the 16-bit plane a character is two UTF-16 units (as Word counts it) and four
// bytes of UTF-8.
TEST(Utf, CharactersOutsideTheSixteenBitPlaneAreSurrogatePairs) {
  EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80"), units({0xD83D, 0xDE00}));
  EXPECT_EQ(toUtf8(units({0xD83D, 0xDE00})), "\xF0\x9F\x98\x80");
  EXPECT_EQ(fromUtf8("\xF4\x8F\xBF\xBF"), units({0xDBFF, 0xDFFF}));  // the last, U+10FFFF
  EXPECT_EQ(toUtf8(units({0xD800, 0xDC00})), "\xF0\x90\x80\x80");    // the first, U+10000
}

TEST(Utf, EveryCharacterOfTheSixteenBitPlaneSurvivesTheRoundTrip) {
  std::u16string all;
  for (char32_t c = 1; c <= 0xFFFF; ++c) {
    if (c < 0xD800 || c > 0xDFFF) {
      all += static_cast<char16_t>(c);
    }
  }
  std::string bytes = toUtf8(all);
  // 127 one-byte, 1920 two-byte, the rest three-byte characters.
  EXPECT_EQ(bytes.size(), 127U + 1920U * 2 + (all.size() - 127 - 1920) * 3);
  EXPECT_EQ(fromUtf8(bytes), all);
}

// What cannot be converted becomes U+FFFD, one for each bad unit, and never takes the
// characters after it along.
TEST(Utf, MalformedInputBecomesReplacementCharactersWithoutLosingWhatFollows) {
  const char16_t bad = 0xFFFD;
  // A lone surrogate, a trail before its lead.
  EXPECT_EQ(toUtf8(units({u'a', 0xD800, u'b'})),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(toUtf8(units({0xDC00, 0xD800})), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(toUtf8(units({u'x', 0xD83D})), "x\xEF\xBF\xBD");  // the text ends inside a pair
  // A lone continuation byte; a sequence cut by an ASCII character or by the end; a byte
  // no UTF-8 sequence starts with.
  EXPECT_EQ(fromUtf8("a\x80z"), units({u'a', bad, u'z'}));
  EXPECT_EQ(fromUtf8("\xC3(x"), units({bad, u'(', u'x'}));
  EXPECT_EQ(fromUtf8("\xE2\x82(x"), units({bad, u'(', u'x'}));
  EXPECT_EQ(fromUtf8("ab\xE2\x82"), units({u'a', u'b', bad, bad}));
  EXPECT_EQ(fromUtf8("\xFF"
                     "a"),
            units({bad, u'a'}));
  // Latin-1 read as UTF-8 (a file name from elsewhere) stays readable around the accent.
  EXPECT_EQ(fromUtf8("Mod\xE8les"), units({u'M', u'o', u'd', bad, u'l', u'e', u's'}));
  // No other character in disguise: an overlong "/" or "..", an encoded surrogate, a value
  // beyond Unicode.
  EXPECT_EQ(fromUtf8("a\xC0\xAF"
                     "b"),
            units({u'a', bad, u'b'}));
  EXPECT_EQ(fromUtf8("\xC0\xAE\xC0\xAE"), units({bad, bad}));
  EXPECT_EQ(fromUtf8("\xE0\x80\xAF"), units({bad}));
  EXPECT_EQ(fromUtf8("\xED\xA0\x80"), units({bad}));
  EXPECT_EQ(fromUtf8("\xF4\x90\x80\x80"), units({bad}));
  EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80"), units({0xD83D, 0xDE00}));
}

// VB's LCase and UCase: every accented letter of French, œ, æ and ÿ (whose capital is
// outside Latin-1) included; what is not a letter is left as it is.
TEST(Text, CasingCoversTheAccentedLettersBothWays) {
  const std::u16string small = u"àâäçéèêëîïôöùûüÿœæ";
  const std::u16string capital = u"ÀÂÄÇÉÈÊËÎÏÔÖÙÛÜŸŒÆ";
  EXPECT_EQ(upper(small), capital);
  EXPECT_EQ(lower(capital), small);
  EXPECT_EQ(upper(u"Société Plaisirs et évasions"), u"SOCIÉTÉ PLAISIRS ET ÉVASIONS");
  EXPECT_EQ(lower(u"MODÈLES.DOC"), u"modèles.doc");
  EXPECT_EQ(upper(u"12,5 cm - « 3 » ; \t€"), u"12,5 CM - « 3 » ; \t€");
  EXPECT_EQ(upper(u""), u"");
  EXPECT_EQ(lower(std::u16string(u"A\0B", 3)), std::u16string(u"a\0b", 3));
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

// File names compare as Windows compares them, accents included; member names, which are
// ASCII, only fold A to Z.
TEST(Text, ComparisonsWithoutRegardToCase) {
  EXPECT_TRUE(equalsNoCase(u"Courrier Oxel.dot", u"COURRIER OXEL.DOT"));
  EXPECT_TRUE(equalsNoCase(u"Oxel Modèles", u"OXEL MODÈLES"));
  EXPECT_FALSE(equalsNoCase(u"Oxel Modeles", u"Oxel Modèles"));
  EXPECT_FALSE(equalsNoCase(u"Bulletin.doc", u"Bulletin.doc "));

  EXPECT_TRUE(equalsAsciiNoCase(u"ActiveDocument", u"ACTIVEDOCUMENT"));
  EXPECT_FALSE(equalsAsciiNoCase(u"Item", u"Items"));
  EXPECT_FALSE(equalsAsciiNoCase(u"é", u"É"));
  EXPECT_EQ(asciiLower(u"ÉTÉ Count"), u"ÉtÉ count");
}

// VB's InStr(text, what) with a binary comparison: the position of the first occurrence from
// 1, counted in UTF-16 units as Word counts; 0 when absent; 1 for an empty `what`.
TEST(Text, InStrIsOneBasedAndZeroWhenAbsent) {
  EXPECT_EQ(inStr(u"abc", u"a"), 1U);
  EXPECT_EQ(inStr(u"abc", u"c"), 3U);
  EXPECT_EQ(inStr(u"abcabc", u"bc"), 2U);
  EXPECT_EQ(inStr(u"abc", u"d"), 0U);
  EXPECT_EQ(inStr(u"abc", u"abcd"), 0U);
  EXPECT_EQ(inStr(u"", u"a"), 0U);
  EXPECT_EQ(inStr(u"abc", u""), 1U);
  EXPECT_EQ(inStr(u"Société", u"société"), 0U) << "the comparison is binary";
  EXPECT_EQ(inStr(u"Modèles", u"les"), 5U);
  EXPECT_EQ(inStr(u"\U0001F600 x", u"x"), 4U);
  // Word's breaks are characters like others: a line break (11) in a paragraph's text.
  EXPECT_EQ(inStr(u"Anne Weiß\vSociété\r", u"\v"), 10U);
}

// VB's Trim takes spaces only; Replace replaces, left to right, occurrences that do not
// overlap, and never what it has just put in.
TEST(Text, TrimAndReplaceAsVbDoes) {
  EXPECT_EQ(trim(u"  Bulletin.doc  "), u"Bulletin.doc");
  EXPECT_EQ(trim(u" a b "), u"a b");
  EXPECT_EQ(trim(u"\t a\u00a0"), u"\t a\u00a0");
  EXPECT_EQ(trim(u"   "), u"");

  EXPECT_EQ(replaceAll(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(replaceAll(u"a.a", u"a", u"aa"), u"aa.aa");
  EXPECT_EQ(replaceAll(u"l1\\nl2\\n", u"\\n", u"\n"), u"l1\nl2\n");
  EXPECT_EQ(replaceAll(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(replaceAll(u"abc", u"b", u""), u"ac");
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
