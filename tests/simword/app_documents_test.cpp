// The Documents collection: numbering, Item, Open, Add, Close, and the active document.
#include "app_fixture.h"

namespace r58046::simword::testing {
namespace {

using AppDocuments = WordWorld;

std::u16string nameOf(const Object& document) {
  return document.get(u"Name").toString();
}

TEST_F(AppDocuments, NewDocumentsAreNumberedInOneSequenceThatClosingDoesNotReuse) {
  Object app = userWord()->application();
  Object documents = app.get(u"Documents");
  EXPECT_EQ(nameOf(documents.call(u"Add")), u"Document2");
  Object(app.get(u"ActiveDocument")).call(u"Close", Variant(0));
  EXPECT_EQ(nameOf(documents.call(u"Add")), u"Document3");
  Variant templ = documents.call(u"Add", Variant::missing(), Variant::boolean(true));
  EXPECT_EQ(nameOf(templ), u"Template4");

  // A Word started by automation starts its own sequence.
  Object other = createWord();
  EXPECT_EQ(nameOf(Object(other.get(u"Documents")).call(u"Add")), u"Document1");
}

TEST_F(AppDocuments, ItemByIndexOrByNameWithoutRegardToCase) {
  Object app = userWord()->application();
  Object documents = app.get(u"Documents");
  std::u16string path = writeFile(docs() + u"Été.doc");
  documents.call(u"Open", path);

  EXPECT_EQ(nameOf(documents.get(u"Item", 1)), u"Document1");
  EXPECT_EQ(nameOf(documents.get(u"", 2)), u"Été.doc");
  EXPECT_EQ(nameOf(documents.get(u"Item", u"éTÉ.DOC")), u"Été.doc");
  EXPECT_EQ(nameOf(documents.get(u"Item", path)), u"Été.doc");
  auto e = failure([&] { documents.get(u"Item", u"Absent.doc"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->number(), 4160);
  EXPECT_EQ(e->description(), u"Bad file name.");
  EXPECT_EQ(errorOf([&] { documents.get(u"Item", 3); }), 5941);
  EXPECT_EQ(errorOf([&] { documents.get(u"Item", 0); }), 5941);
}

TEST_F(AppDocuments, OpenActivatesAndAnswersADocumentOpenAlready) {
  auto word = userWord();
  Object app = word->application();
  Object documents = app.get(u"Documents");
  std::u16string path = writeFile(docs() + u"Bulletin.doc");

  Object opened = documents.call(u"Open", path);
  EXPECT_EQ(opened.get(u"FullName").toString(), path);
  EXPECT_EQ(Object(app.get(u"ActiveDocument")), opened);
  EXPECT_EQ(caption(word->mainWindow()), u"Bulletin.doc - Microsoft Word");

  Object(documents.get(u"Item", 1)).call(u"Activate");
  EXPECT_EQ(caption(word->mainWindow()), u"Document1 - Microsoft Word");
  Object again = documents.call(u"Open", docs() + u"BULLETIN.DOC");
  EXPECT_EQ(again, opened);
  EXPECT_EQ(documents.get(u"Count").toLong(), 2);
  EXPECT_EQ(Object(app.get(u"ActiveDocument")), opened);
}

TEST_F(AppDocuments, OpenTakesNamedArgumentsAndResolvesBareNamesInTheCurrentFolder) {
  Object app = createWord();
  Object documents = app.get(u"Documents");
  writeFile(docs() + u"Lettre.doc");
  automation::Args args{automation::Arg::named(u"FileName", u"Lettre.doc"),
                        automation::Arg::named(u"ReadOnly", Variant::boolean(false))};
  Object opened = documents.invoke(u"Open", automation::InvokeKind::Method, args);
  EXPECT_EQ(opened.get(u"FullName").toString(), docs() + u"Lettre.doc");

  auto e = failure([&] { documents.call(u"Open", docs() + u"Absent.doc"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->number(), 5174);
  EXPECT_EQ(e->source(), u"Microsoft Word");
  EXPECT_EQ(documents.get(u"Count").toLong(), 1);
}

TEST_F(AppDocuments, ANewDocumentSavedUnderABareNameGoesToTheCurrentFolder) {
  Object app = createWord();
  Object documents = app.get(u"Documents");
  Object lettre = documents.call(u"Add");
  lettre.call(u"SaveAs", u"Lettre");
  EXPECT_EQ(lettre.get(u"FullName").toString(), docs() + u"Lettre.doc");
  EXPECT_TRUE(std::filesystem::exists(automation::toUtf8(docs() + u"Lettre.doc")));
  Object(documents.call(u"Add")).call(u"Save");  // under its name
  EXPECT_TRUE(std::filesystem::exists(automation::toUtf8(docs() + u"Document2.doc")));

  app.call(u"ChangeFileOpenDirectory", templates());
  Object autre = documents.call(u"Add");
  autre.call(u"SaveAs", u"Autre");
  EXPECT_EQ(autre.get(u"FullName").toString(), templates() + u"Autre.doc");
}

TEST_F(AppDocuments, CloseAllSavesOnlyWhenAskedTo) {
  Object app = createWord();
  Object documents = app.get(u"Documents");
  std::u16string path = writeFile(docs() + u"Note.doc", u"Texte");
  std::string before = readFile(path);
  auto typeAndClose = [&](const Variant& save) {
    documents.call(u"Open", path);
    Object(app.get(u"Selection")).call(u"TypeText", u"Ajout ");
    documents.call(u"Close", save);
    EXPECT_EQ(documents.get(u"Count").toLong(), 0);
  };

  // Omitted and "prompt": Word asks, and the person answers No unless arranged otherwise.
  typeAndClose(Variant::missing());
  EXPECT_EQ(readFile(path), before);
  typeAndClose(Variant(-2));
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(savePrompts, 2);
  typeAndClose(Variant(0));
  EXPECT_EQ(readFile(path), before);
  typeAndClose(Variant(-1));
  EXPECT_NE(readFile(path).find("Ajout Texte"), std::string::npos);
  EXPECT_EQ(savePrompts, 2);
}

TEST_F(AppDocuments, ThePersonsAnswerSavesKeepsOrCancels) {
  Object app = createWord();
  Object documents = app.get(u"Documents");
  std::u16string note = writeFile(docs() + u"Note.doc", u"Texte");
  std::u16string lettre = writeFile(docs() + u"Lettre.doc", u"Cher");
  Object(Object(documents.call(u"Open", note)).get(u"Content")).call(u"InsertAfter", u" 1");
  Object(Object(documents.call(u"Open", lettre)).get(u"Content")).call(u"InsertAfter", u" 2");
  documents.call(u"Add");  // unchanged: never asked about

  // Cancel: the call fails as Word's does, the document stays open and unsaved.
  saveAnswer = SaveAnswer::Cancel;
  EXPECT_EQ(errorOf([&] { Object(documents.get(u"Item", 1)).call(u"Close"); }), 4198);
  EXPECT_EQ(documents.get(u"Count").toLong(), 3);
  EXPECT_FALSE(Object(documents.get(u"Item", 1)).get(u"Saved").toBool());
  // Quitting asks about the first changed document and stops there: Word keeps running.
  EXPECT_EQ(errorOf([&] { app.call(u"Quit"); }), 4198);
  EXPECT_EQ(documents.get(u"Count").toLong(), 3);
  EXPECT_TRUE(lastStarted()->running());
  EXPECT_EQ(savePrompts, 2);

  // Yes saves, and a Word told not to save does not ask.
  saveAnswer = SaveAnswer::Yes;
  Object(documents.get(u"Item", 1)).call(u"Close", Variant(-2));
  EXPECT_NE(readFile(note).find("Texte 1"), std::string::npos);
  app.call(u"Quit", Variant(0));
  EXPECT_EQ(readFile(lettre).find("Cher 2"), std::string::npos);
  EXPECT_EQ(savePrompts, 3);
  EXPECT_FALSE(lastStarted()->running());
}

TEST_F(AppDocuments, YesSavesANewDocumentWhereSaveAsProposes) {
  Object app = createWord();
  Object document = Object(app.get(u"Documents")).call(u"Add");
  Object(document.get(u"Content")).call(u"InsertAfter", u"Brouillon");
  saveAnswer = SaveAnswer::Yes;
  app.call(u"Quit");
  EXPECT_NE(readFile(docs() + u"Document1.doc").find("Brouillon"), std::string::npos);
}

TEST_F(AppDocuments, ClosingTheActiveDocumentActivatesTheOneActiveBefore) {
  auto word = userWord();
  Object app = word->application();
  Object documents = app.get(u"Documents");
  documents.call(u"Add");  // Document2
  documents.call(u"Add");  // Document3
  Object(documents.get(u"Item", u"Document1")).call(u"Activate");
  Object(documents.get(u"Item", u"Document3")).call(u"Activate");

  Object window = app.get(u"ActiveWindow");
  Object(app.get(u"ActiveDocument")).call(u"Close", Variant(0));
  EXPECT_EQ(nameOf(app.get(u"ActiveDocument")), u"Document1");
  EXPECT_EQ(caption(word->mainWindow()), u"Document1 - Microsoft Word");
  // The closed document's window is gone.
  EXPECT_EQ(errorOf([&] { window.get(u"Caption"); }), 5825);

  documents.call(u"Close");
  EXPECT_EQ(caption(word->mainWindow()), u"Microsoft Word");
  EXPECT_EQ(walk(app, {u"Windows", u"Count"}).toLong(), 0);
}

TEST_F(AppDocuments, AddFromATemplateAttachesItAndListsItFirstAmongTemplates) {
  Object app = createWord();
  Object documents = app.get(u"Documents");
  std::u16string courrier = writeFile(templates() + u"Courrier.dot", u"Lettre", true);

  // A bare name is one of the user's templates.
  Object letter = documents.call(u"Add", u"Courrier.dot");
  EXPECT_EQ(nameOf(letter), u"Document1");
  Object loaded = app.get(u"Templates");
  EXPECT_EQ(Object(loaded.get(u"Item", 1)).get(u"FullName").toString(), courrier);
  EXPECT_EQ(Object(loaded.get(u"Item", 2)).get(u"Name").toString(), u"Normal.dot");

  // Another document active: the normal template comes first, the other one stays listed.
  documents.call(u"Add", u"Normal");
  EXPECT_EQ(Object(loaded.get(u"Item", 1)).get(u"Name").toString(), u"Normal.dot");
  EXPECT_EQ(Object(loaded.get(u"Item", 2)).get(u"Path").toString(), env.userTemplatesFolder);
  EXPECT_EQ(loaded.get(u"Count").toLong(), 2);

  EXPECT_EQ(errorOf([&] { documents.call(u"Add", u"Absent.dot"); }), 5174);
}

}  // namespace
}  // namespace r58046::simword::testing
