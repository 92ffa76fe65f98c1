// Questions 0212 to 0221 driven directly, for what the scenarios cannot show: where Word
// takes the letter template from when it lies in another folder (0217 and 0218), a template
// saved within the same second as the preparation (0221), the 16-bit document count of 0216,
// and 0214 evaluated without the passage "s02" (the module's document check reports that
// first).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "automation/error.h"
#include "module_fakes.h"
#include "questions/registry.h"

namespace r58046::testing {
namespace {

namespace fs = std::filesystem;
using automation::Arg;
using automation::AutomationError;
using automation::Object;

constexpr char16_t kModele[] = u"Courrier Oxel.dot";

fs::path pathOf(const std::u16string& text) {
  return fs::path(automation::toUtf8(text));
}

void writeFile(const std::u16string& path) {
  std::ofstream(pathOf(path)) << "simword-document 1\nkind template\nend\n";
}

Variant nothingDone(Args& /*args*/) {
  return {};
}

// A Word with one document open, active and listed, whose members the tests give.
class OneDocumentWord {
 public:
  explicit OneDocumentWord(FakeWord& word) {
    word.documents->on(u"Open", [this](Args& a) {
      opened.push_back(a[0].get().toString());
      return Variant(document);
    });
    word.documents->on(u"Item", [this](Args&) { return Variant(document); });
    word.app->value(u"ActiveDocument", Variant(document)).on(u"Activate", nothingDone);
    document->on(u"Activate", nothingDone).on(u"Close", [this](Args& a) {
      closes.push_back(a[0].get().toLong());
      return Variant();
    });
  }

  // AttachedTemplate as Word answers it: written as a file name (recorded), read as a
  // template object whose Path is `wordsFolder` (no trailing separator).
  void attachesFrom(const std::u16string& wordsFolder) {
    templateObject->value(u"Path", wordsFolder);
    document->on(u"AttachedTemplate", [this](Args& a) -> Variant {
      if (a.empty()) {
        return Variant(templateObject);
      }
      attached.push_back(a.back().get().toString());
      return {};
    });
  }

  std::shared_ptr<Fake> document = Fake::make();
  std::shared_ptr<Fake> templateObject = Fake::make();
  std::vector<std::u16string> opened;
  std::vector<std::u16string> attached;
  std::vector<int32_t> closes;
};

class TemplateQuestion : public ::testing::Test {
 protected:
  Object prepared(int32_t number) {
    Object question = questions::CreeQuestion(number, tp.platform());
    Variant application(word.app);
    question.call(u"Prepare", Arg::byRef(application), work, modeles);
    return question;
  }

  // A folder as Word reports a template's Path: without the trailing separator.
  static std::u16string withoutSeparator(const std::u16string& folder) {
    return folder.substr(0, folder.size() - 1);
  }

  TestPlatform tp;
  FakeWord word{u"/templates"};
  OneDocumentWord doc{word};
  std::u16string work = tp.folder("work");
  std::u16string modeles = tp.folder("templates/Oxel Modèles");
  std::u16string autre = tp.folder("other");
};

// 0217 attaches once to learn where Word takes the template from: a copy in another folder
// is deleted, the document is detached, saved and closed; the template folder keeps its own.
TEST_F(TemplateQuestion, Question0217DeletesTheCopyWordTookFromAnotherFolder) {
  writeFile(modeles + kModele);
  writeFile(autre + kModele);
  doc.attachesFrom(withoutSeparator(autre));

  prepared(217);

  EXPECT_EQ(doc.attached, (std::vector<std::u16string>{modeles + kModele, u""}));
  EXPECT_EQ(doc.closes, std::vector<int32_t>{-1});
  EXPECT_FALSE(fs::exists(pathOf(autre + kModele)));
  EXPECT_TRUE(fs::exists(pathOf(modeles + kModele)));
}

// The same folder written in other letter case is the template folder: nothing is deleted
// (on a file system that tells case apart that path does not even exist).
TEST_F(TemplateQuestion, Question0217TemplateFolderInOtherCaseIsNotElsewhere) {
  writeFile(modeles + kModele);
  doc.attachesFrom(automation::upper(withoutSeparator(modeles)));

  prepared(217);

  EXPECT_EQ(doc.closes, std::vector<int32_t>{-1});
  EXPECT_TRUE(fs::exists(pathOf(modeles + kModele)));
}

// 0218 keeps the document open with the template attached; when Word took another copy,
// that copy goes and the document is reopened and attached again.
TEST_F(TemplateQuestion, Question0218AttachesAgainAfterDeletingTheOtherCopy) {
  writeFile(modeles + kModele);
  writeFile(autre + kModele);
  doc.attachesFrom(withoutSeparator(autre));

  prepared(218);

  EXPECT_EQ(doc.attached, (std::vector<std::u16string>{modeles + kModele, u"", modeles + kModele}));
  EXPECT_EQ(doc.closes, std::vector<int32_t>{-1});
  EXPECT_EQ(doc.opened, (std::vector<std::u16string>{work + u"Biscuits d'or.doc",
                                                     work + u"Biscuits d'or.doc"}));
  EXPECT_FALSE(fs::exists(pathOf(autre + kModele)));
}

TEST_F(TemplateQuestion, Question0218FromTheTemplateFolderAttachesOnce) {
  writeFile(modeles + kModele);
  doc.attachesFrom(withoutSeparator(modeles));

  prepared(218);

  EXPECT_EQ(doc.attached, std::vector<std::u16string>{modeles + kModele});
  EXPECT_TRUE(doc.closes.empty());
  EXPECT_EQ(doc.opened.size(), 1U);
}

// 0221 recognises a save by the template's modification time at the file system's full
// resolution: a save within the same second as the preparation counts.
class Question0221Save : public TemplateQuestion {
 protected:
  void SetUp() override {
    writeFile(modeles + kModele);
    fs::last_write_time(pathOf(modeles + kModele), preparedAt);
    word.documents->value(u"Count", int32_t{1});
    doc.document->value(u"Name", std::u16string(kModele)).value(u"Styles", Variant(styles));
    styles->value(u"Count", int32_t{1}).value(u"Item", Variant(style));
    style->value(u"NameLocal", u"Texte courrier");
  }

  std::u16string evaluatedWithTemplateWrittenAt(fs::file_time_type at) {
    Object question = prepared(221);
    fs::last_write_time(pathOf(modeles + kModele), at);
    question.call(u"TestePoint");
    return question.get(u"CauseErreur").toString();
  }

  // Ten seconds into a minute and a tenth.
  fs::file_time_type preparedAt =
      fs::file_time_type(std::chrono::duration_cast<fs::file_time_type::duration>(
          std::chrono::seconds(1'700'000'010) + std::chrono::milliseconds(100)));
  std::shared_ptr<Fake> styles = Fake::make();
  std::shared_ptr<Fake> style = Fake::make();
};

TEST_F(Question0221Save, SavedWithinTheSameSecondIsSaved) {
  EXPECT_EQ(evaluatedWithTemplateWrittenAt(preparedAt + std::chrono::milliseconds(400)), u"");
}

TEST_F(Question0221Save, NotWrittenSincePrepareIsB) {
  EXPECT_EQ(evaluatedWithTemplateWrittenAt(preparedAt), u"B");
}

// 0216 holds the number of open documents in 16 bits: beyond 32767 the evaluation fails
// with VB's overflow, in its own context, before it opens anything.
TEST_F(TemplateQuestion, Question0216DocumentCountBeyondSixteenBitsOverflows) {
  word.documents->value(u"Count", int32_t{40000});
  writeFile(modeles + kModele);
  Object question = prepared(216);
  doc.opened.clear();

  try {
    question.call(u"TestePoint");
    FAIL() << "40000 documents held in 16 bits";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kOverflow);
    EXPECT_NE(e.source().find(u"CLASSE Question0216"), std::u16string::npos);
  }
  EXPECT_TRUE(doc.opened.empty());
}

// 0214 takes both passages before it looks for the style: without "s02" the failure is
// handed on, although the missing style alone would have given "A".
TEST_F(TemplateQuestion, Question0214ReadsBothPassagesBeforeTheStyles) {
  auto bookmarks = Fake::make();
  auto s01 = Fake::make();
  doc.document->value(u"Bookmarks", Variant(bookmarks));
  s01->value(u"Range", Variant(Fake::make()));
  bookmarks->on(u"Item", [&](Args& a) -> Variant {
    if (a[0].get().toString() != u"s01") {
      automation::raiseError(automation::errors::kWordNoSuchMember, {}, u"Word");
    }
    return Variant(s01);
  });
  Object question = prepared(214);

  EXPECT_THROW(question.call(u"TestePoint"), AutomationError);
  EXPECT_EQ(question.get(u"CauseErreur").toString(), u"");
  EXPECT_EQ(doc.document->count(u"Styles"), 0);
}

}  // namespace
}  // namespace r58046::testing
