// Documents as files: the simulated Word's file format, opening, saving, templates and
// passwords, and damaged files.
#include <gtest/gtest.h>

#include <filesystem>

#include "automation/error.h"
#include "document_test_host.h"
#include "simword/document.h"
#include "simword/file_format_reader.h"
#include "simword/file_format_writer.h"
#include "simword/session.h"

namespace r58046::simword {
namespace {

using automation::Variant;
using testing::Auto;
using testing::errorOf;
using testing::TestHost;

// A file as an exercise author writes one.
const char* const kBulletin = R"(simword-document 1
# the exercise document of a tab-stop question
kind document
style "Texte courrier" base="Normal" next="Texte courrier" font="Arial" size=11 space-before=18pt
style "Nom" next="Texte courrier" bold=yes tab=11cm/right/dots
paragraph style="Nom"
text {bookmark e01}NOM{bookmark s01}{tab}{tab}{/bookmark s01}
paragraph style="Texte courrier" left-indent=2cm first-line-indent=-2cm tab=2cm end=section-next-page
text NB :{nbsp}{font spacing=5pt}Société{/font} {checkbox checked} {textfield}{/bookmark e01}
paragraph
text {{literal braces} and l’apostrophe{line}second line
end
)";

class DocumentFile : public ::testing::Test {
 protected:
  std::shared_ptr<WordSession> session = std::make_shared<WordSession>();
  TestHost host;

  Auto open(const std::string& relative, std::optional<std::u16string_view> password = {}) {
    return Auto(Document::open(session, host, host.path(relative), password));
  }
  Auto blank(const char16_t* name = u"Document1") {
    return Auto(Document::create(session, host, name, std::nullopt, false));
  }
};

TEST_F(DocumentFile, AHandWrittenFileOpensAsWritten) {
  host.write("docs/Bulletin.doc", kBulletin);
  Auto doc = open("docs/Bulletin.doc");
  EXPECT_EQ(doc.get(u"Name").toString(), u"Bulletin.doc");
  EXPECT_EQ(doc.get(u"Path").toString(), host.path("docs"));
  EXPECT_EQ(doc.get(u"Content").get(u"Text").toString(),
            u"NOM\t\t\rNB :\u00a0Société \x15 \x15\f{literal braces} and l’apostrophe\vsecond "
            u"line\r");
  EXPECT_EQ(doc.get(u"Sections").get(u"Count").toLong(), 2);
  Auto s01 = doc.get(u"Bookmarks").get(u"Item", u"s01").get(u"Range");
  EXPECT_EQ(s01.get(u"Text").toString(), u"\t\t");
  EXPECT_EQ(s01.get(u"Paragraphs").get(u"TabStops").get(u"Item", 1).get(u"Position").toSingle(),
            311.85f);
  EXPECT_EQ(s01.get(u"Paragraphs").get(u"TabStops").get(u"Item", 1).get(u"Leader").toLong(), 1);
  Auto second = doc.get(u"Paragraphs").get(u"Item", 2);
  EXPECT_EQ(second.get(u"FirstLineIndent").toSingle(), -56.7f);
  EXPECT_EQ(second.get(u"SpaceBefore").toSingle(), 18.0f);
  EXPECT_EQ(doc.get(u"Range", 11, 18).get(u"Font").get(u"Spacing").toSingle(), 5.0f);
  EXPECT_EQ(doc.get(u"Styles").get(u"Item", u"Nom").get(u"NextParagraphStyle").toString(),
            u"Texte courrier");
  Auto fields = doc.get(u"FormFields");
  ASSERT_EQ(fields.get(u"Count").toLong(), 2);
  EXPECT_TRUE(fields.get(u"Item", 1).get(u"CheckBox").get(u"Value").toBool());
  EXPECT_EQ(fields.get(u"Item", 2).get(u"Type").toLong(), 70);
  EXPECT_TRUE(doc.get(u"Saved").toBool());
}

TEST_F(DocumentFile, ASavedDocumentReadsBackTheSame) {
  host.write("docs/Bulletin.doc", kBulletin);
  Auto doc = open("docs/Bulletin.doc");
  doc.get(u"Envelope")
      .call(u"Insert", Variant::missing(), u"M. Dorvilan\r69000 Lyon", Variant::missing(),
            Variant::missing(), u"Oxel");
  doc.get(u"Styles").call(u"Add", u"objet", 2).get(u"Font").put(u"Italic", -1);
  // "NOM", right before s01: its first two letters in a character style, the last two not
  // bold.
  auto nom = [](Auto& d, int32_t from, int32_t to) {
    int32_t at = d.get(u"Bookmarks").get(u"Item", u"s01").get(u"Start").toLong() - 3;
    return d.get(u"Range", at + from, at + to);
  };
  nom(doc, 0, 2).put(u"Style", u"objet");
  nom(doc, 1, 3).get(u"Font").put(u"Bold", 0);
  doc.call(u"Protect", 2, Variant::missing(), u"pw");
  doc.call(u"SaveAs", host.path("docs/Copy.doc"));
  EXPECT_EQ(host.renamedNames.back(), host.path("docs/Copy.doc"));
  std::string written = host.read("docs/Copy.doc");

  Auto copy = open("docs/Copy.doc");
  for (const char16_t* name : {u"s01", u"e01"}) {
    EXPECT_EQ(copy.get(u"Bookmarks").get(u"Item", name).get(u"Start").toLong(),
              doc.get(u"Bookmarks").get(u"Item", name).get(u"Start").toLong());
    EXPECT_EQ(copy.get(u"Bookmarks").get(u"Item", name).get(u"End").toLong(),
              doc.get(u"Bookmarks").get(u"Item", name).get(u"End").toLong());
  }
  EXPECT_EQ(copy.get(u"Content").get(u"Text").toString(),
            doc.get(u"Content").get(u"Text").toString());
  EXPECT_EQ(copy.get(u"Envelope").get(u"Address").toString(), u"M. Dorvilan\r69000 Lyon");
  EXPECT_EQ(copy.get(u"Envelope").get(u"ReturnAddress").toString(), u"Oxel");
  EXPECT_EQ(copy.get(u"ProtectionType").toLong(), 2);
  EXPECT_EQ(errorOf([&] { copy.call(u"Unprotect"); }), 5485);
  EXPECT_EQ(copy.get(u"Styles").get(u"Item", u"Nom").get(u"Description").toString(),
            doc.get(u"Styles").get(u"Item", u"Nom").get(u"Description").toString());
  EXPECT_EQ(copy.get(u"Styles").get(u"Count").toLong(), doc.get(u"Styles").get(u"Count").toLong());
  // A character style stays on its text, with the formatting set beside it.
  EXPECT_EQ(nom(copy, 0, 2).get(u"Style").toString(), u"objet");
  EXPECT_EQ(nom(copy, 0, 2).get(u"Font").get(u"Italic").toLong(), -1);
  EXPECT_EQ(nom(copy, 0, 1).get(u"Font").get(u"Bold").toLong(), -1);
  EXPECT_EQ(nom(copy, 1, 2).get(u"Font").get(u"Bold").toLong(), 0);
  EXPECT_EQ(nom(copy, 2, 3).get(u"Style").toString(), u"Nom");

  // The written form is canonical: writing what was read gives the same bytes.
  ParsedDocument parsed = parseDocument(written);
  EXPECT_EQ(writeDocument(parsed.properties, *parsed.content), written);
}

TEST_F(DocumentFile, DamagedOrForeignFilesFailToOpenWithWordsError) {
  EXPECT_EQ(errorOf([&] { open("docs/missing.doc"); }), 5174);
  std::string valid = kBulletin;
  // Every truncation of a valid file is refused (only the final line feed may go).
  for (size_t size = 0; size + 1 < valid.size(); ++size) {
    EXPECT_THROW(parseDocument(valid.substr(0, size)), FormatError) << "cut at " << size;
  }
  host.write("docs/cut.doc", valid.substr(0, valid.size() / 2));
  EXPECT_EQ(errorOf([&] { open("docs/cut.doc"); }), 5792);
  host.write("docs/cut.doc", valid.substr(0, valid.size() - 1));
  EXPECT_EQ(errorOf([&] { open("docs/cut.doc"); }), 0);

  std::string garbage = "simword-document 1\n";
  for (int i = 0; i < 4096; ++i) {
    garbage += static_cast<char>((i * 7919 + 13) % 256);
  }
  for (const std::string& bytes :
       {std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 a real Word file"), std::string("{\\rtf1}"),
        std::string("simword-document 2\nend\n"), garbage,
        std::string("simword-document 1\nparagraph end=section-next-page\nend\n"),
        std::string("simword-document 1\ntext {bookmark a}open\nend\n"),
        std::string("simword-document 1\ntext {font size=0}x\nend\n"),
        std::string("simword-document 1\ntext {font style=\"Normal\"}x\nend\n"),
        std::string("simword-document 1\ntext {font style=\"objet\"}x\nend\n"),
        std::string("simword-document 1\nstyle \"A\" base=\"B\"\nstyle \"B\" base=\"A\"\nend\n"),
        std::string("simword-document 1\ntext \"unterminated {font font=\"x}\nend\n")}) {
    host.write("docs/bad.doc", bytes);
    EXPECT_EQ(errorOf([&] { open("docs/bad.doc"); }), 5792) << bytes.substr(0, 40);
  }
  try {
    parseDocument("simword-document 1\nparagraph\ntext ok\ntext {bogus}\nend\n");
    FAIL();
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 4);  // for the author of the file
  }
}

TEST_F(DocumentFile, AFailedSaveNeverLosesThePreviousFile) {
  Auto doc = blank();
  doc.get(u"Content").put(u"Text", u"first version");
  doc.call(u"SaveAs", host.path("docs/Letter.doc"));
  std::string first = host.read("docs/Letter.doc");
  doc.get(u"Content").put(u"Text", u"second version");
  EXPECT_FALSE(doc.get(u"Saved").toBool());

  host.marks.setAttribute(host.path("docs/Letter.doc"), platform::FileAttribute::ReadOnly);
  EXPECT_EQ(errorOf([&] { doc.call(u"Save"); }), 5487);
  EXPECT_EQ(host.read("docs/Letter.doc"), first);
  EXPECT_FALSE(doc.get(u"Saved").toBool());
  EXPECT_EQ(errorOf([&] { doc.call(u"SaveAs", host.path("nowhere/Letter.doc")); }), 5152);
  EXPECT_EQ(doc.get(u"FullName").toString(), host.path("docs/Letter.doc"));

  host.marks.setAttributesNormal(host.path("docs/Letter.doc"));
  doc.call(u"Save");
  EXPECT_NE(host.read("docs/Letter.doc"), first);
  EXPECT_TRUE(doc.get(u"Saved").toBool());
  // Nothing but the document is left in its folder.
  int files = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(host.root / "docs")) {
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST_F(DocumentFile, NamesPathsAndTheKindOfFileFollowSaveAs) {
  Auto doc = blank(u"Document2");
  EXPECT_EQ(doc.get(u"Path").toString(), u"");
  EXPECT_EQ(doc.get(u"FullName").toString(), u"Document2");
  // A bare name goes to Word's current folder, with the extension of its kind.
  doc.call(u"SaveAs", automation::Arg::named(u"FileName", u"Courrier Oxel"),
           automation::Arg::named(u"FileFormat", 1),  // wdFormatTemplate
           automation::Arg::named(u"AddToRecentFiles", Variant::boolean(false)));
  EXPECT_EQ(doc.get(u"Name").toString(), u"Courrier Oxel.dot");
  EXPECT_EQ(doc.get(u"Path").toString(), host.path("docs"));
  EXPECT_EQ(doc.get(u"Type").toLong(), 1);
  doc.call(u"Close", 0);
  Auto again = open("docs/courrier oxel.DOT");  // found whatever the letter case
  EXPECT_EQ(again.get(u"Name").toString(), u"Courrier Oxel.dot");
  EXPECT_EQ(again.get(u"Type").toLong(), 1);
}

TEST_F(DocumentFile, ANewDocumentFromATemplateTakesItsContentAndAttachesIt) {
  host.write("templates/Courrier Oxel.dot",
             "simword-document 1\nkind template\nstyle \"objet\" bold=yes\n"
             "paragraph style=\"objet\"\ntext {bookmark s01}SOCIÉTÉ{/bookmark s01}\nend\n");
  auto created = Document::create(session, host, u"Document3",
                                  std::u16string_view(u"Courrier Oxel.dot"), false);
  Auto doc(created);
  EXPECT_EQ(doc.get(u"Content").get(u"Text").toString(), u"SOCIÉTÉ\r");
  EXPECT_EQ(doc.get(u"Bookmarks").get(u"Item", u"s01").get(u"End").toLong(), 7);
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Item", 1).get(u"Style").toString(), u"objet");
  EXPECT_EQ(doc.get(u"Path").toString(), u"");
  EXPECT_EQ(doc.get(u"Type").toLong(), 0);
  Auto tpl = doc.get(u"AttachedTemplate");
  EXPECT_EQ(tpl.toString(), u"Courrier Oxel.dot");
  EXPECT_EQ(tpl.get(u"FullName").toString(), host.path("templates/Courrier Oxel.dot"));
  EXPECT_EQ(tpl.get(u"Path").toString(), host.path("templates"));
  EXPECT_EQ(created->attachedTemplateFullName(), host.path("templates/Courrier Oxel.dot"));

  // "" and "Normal.dot" go back to the normal template; a missing file is refused.
  doc.put(u"AttachedTemplate", u"");
  EXPECT_EQ(doc.get(u"AttachedTemplate").get(u"FullName").toString(),
            host.path("templates/Normal.dot"));
  doc.put(u"AttachedTemplate", host.path("templates/courrier oxel.dot"));
  EXPECT_EQ(doc.get(u"AttachedTemplate").get(u"Name").toString(), u"Courrier Oxel.dot");
  doc.put(u"AttachedTemplate", u"Normal.dot");
  EXPECT_EQ(doc.get(u"AttachedTemplate").toString(), u"Normal.dot");
  EXPECT_EQ(errorOf([&] { doc.put(u"AttachedTemplate", host.path("docs/none.dot")); }), 5174);
}

TEST_F(DocumentFile, UpdateStylesOnOpenBringsTheTemplatesStyles) {
  host.write("templates/T.dot",
             "simword-document 1\nkind template\nstyle \"Texte courrier\" space-before=6pt\nend\n");
  host.write("docs/Biscuits.doc",
             "simword-document 1\nattached-template \"" +
                 (host.root / "templates" / "T.dot").string() +
                 "\"\nupdate-styles-on-open yes\nstyle \"Texte courrier\" "
                 "space-before=18pt\nparagraph style=\"Texte courrier\"\nend\n");
  Auto doc = open("docs/Biscuits.doc");
  EXPECT_TRUE(doc.get(u"UpdateStylesOnOpen").toBool());
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"SpaceBefore").toSingle(), 6.0f);
}

TEST_F(DocumentFile, APasswordIsNeededToOpenADocumentThatHasOne) {
  Auto doc = blank();
  EXPECT_FALSE(doc.get(u"HasPassword").toBool());
  doc.put(u"Password", u"oxel");
  EXPECT_TRUE(doc.get(u"HasPassword").toBool());
  EXPECT_EQ(errorOf([&] { doc.get(u"Password"); }), 438);  // write-only, as in Word
  doc.call(u"SaveAs", host.path("docs/Secret.doc"));
  EXPECT_EQ(errorOf([&] { open("docs/Secret.doc"); }), 5408);
  EXPECT_EQ(errorOf([&] { open("docs/Secret.doc", u"OXEL"); }), 5408);
  EXPECT_TRUE(open("docs/Secret.doc", u"oxel").get(u"HasPassword").toBool());
}

TEST_F(DocumentFile, InsertFileBringsTheOtherDocumentsTextStylesAndBookmarks) {
  host.write("docs/Abonnement.doc",
             "simword-document 1\nstyle \"Abo\" italic=yes\nparagraph style=\"Abo\"\n"
             "text {bookmark e02}Abonnement{/bookmark e02}\nend\n");
  Auto doc = blank();
  doc.get(u"Content").put(u"Text", u"Bulletin");
  doc.get(u"Range", 0, 0).call(u"InsertFile", host.path("docs/Abonnement.doc"));
  EXPECT_EQ(doc.get(u"Content").get(u"Text").toString(), u"Abonnement\rBulletin\r");
  Auto e02 = doc.get(u"Bookmarks").get(u"Item", u"e02");
  EXPECT_EQ(e02.get(u"Start").toLong(), 0);
  EXPECT_EQ(e02.get(u"End").toLong(), 10);
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Item", 1).get(u"Style").toString(), u"Abo");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Item", 2).get(u"Style").toString(), u"Normal");
  EXPECT_EQ(errorOf([&] { doc.get(u"Range", 0, 0).call(u"InsertFile", u"Absent.doc"); }), 5174);
}

}  // namespace
}  // namespace r58046::simword
