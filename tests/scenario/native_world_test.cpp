// The native world with the simulated Word: its folders live and go with it, faults given
// before Word starts reach it, and the document picture of `r58046 play`.
#include "scenario/world_native.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "automation/text.h"
#include "scenario/document_view.h"
#include "scenario/interpreter.h"
#include "scenario/runner.h"

namespace r58046::scenario {
namespace {

namespace fs = std::filesystem;
using automation::Variant;

std::string utf8(std::u16string_view s) {
  return automation::toUtf8(s);
}

TEST(NativeWorld, FoldersAreMadeForTheWorldAndRemovedWithIt) {
  fs::path work;
  {
    std::unique_ptr<World> world = makeNativeWorld();
    const WorldFolders& f = world->folders();
    work = fs::path(utf8(f.work));
    EXPECT_TRUE(fs::is_directory(work));
    EXPECT_TRUE(fs::is_directory(utf8(f.documents)));
    EXPECT_TRUE(fs::is_directory(utf8(f.userTemplates)));
    EXPECT_EQ(f.templates, f.userTemplates + u"/Oxel Mod\u00e8les/");
    EXPECT_FALSE(fs::exists(utf8(f.templates))) << "the module makes the template folder";
    EXPECT_FALSE(world->runningWord());
  }
  EXPECT_FALSE(fs::exists(work));
}

TEST(NativeWorld, AFaultGivenBeforeWordStartsReachesTheWordThatStarts) {
  std::unique_ptr<World> world = makeNativeWorld();
  world->injectFault(u"Count", 2, 5941);
  WordHandle word = world->startWordAsUser();
  EXPECT_NE(word.window, 0);
  EXPECT_EQ(world->runningWord(), word.application);
  Interpreter interpreter([&] { return world->runningWord(); });
  auto count = [&] { return interpreter.evaluate(*parseExpression(u"Documents.Count")); };
  EXPECT_EQ(count(), Variant(int32_t{1}));
  try {
    count();
    ADD_FAILURE() << "the second call to Count should fail";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), 5941);
  }
  EXPECT_EQ(count(), Variant(int32_t{1})) << "a fault is used up once it fired";
  world->desktopEvent(DesktopEvent::CloseWord, u"");
  EXPECT_FALSE(world->runningWord());
  EXPECT_THROW(world->desktopEvent(DesktopEvent::Minimize, u""), std::runtime_error);
}

TEST(DocumentView, TextWithBookmarksIndentsAndTabsInTheUsersUnit) {
  std::unique_ptr<World> world = makeNativeWorld();
  world->startWordAsUser();
  Interpreter interpreter([&] { return world->runningWord(); });
  for (const char16_t* s : {
           u"ActiveDocument.Range.InsertAfter \"NOM\" & Chr(9) & \"x\" & Chr(13) & \"fin\"",
           u"Set p = ActiveDocument.Paragraphs(1)",
           u"ActiveDocument.Bookmarks.Add \"s01\", ActiveDocument.Range(0, 4)",
           u"ActiveDocument.Bookmarks.Add \"vide\", ActiveDocument.Range(5, 5)",
           u"p.TabStops.Add CentimetersToPoints(11), wdAlignTabRight, wdTabLeaderDots",
           u"p.LeftIndent = CentimetersToPoints(1)",
           u"p.FirstLineIndent = -CentimetersToPoints(0.5)",
       }) {
    interpreter.execute(parseStatement(s));
  }
  std::string view = utf8(describeActiveDocument(world->runningWord()));
  EXPECT_EQ(view,
            "Document1 (lengths in cm)\n"
            "    1  [s01[NOM\xE2\x86\x92]s01]x[vide]\xC2\xB6\n"
            "        indents: left 1, first line -0.5; tabs: 11 right dots\n"
            "    2  fin\xC2\xB6\n"
            "        indents: left 0, first line 0; tabs: none\n");
}

TEST(DocumentView, LengthsInEachUnit) {
  EXPECT_EQ(utf8(lengthInUnit(56.7f, 1)), "2");
  EXPECT_EQ(utf8(lengthInUnit(311.85f, 1)), "11");
  EXPECT_EQ(utf8(lengthInUnit(54, 0)), "0.75");
  EXPECT_EQ(utf8(lengthInUnit(-14.175f, 1)), "-0.5");
  EXPECT_EQ(utf8(lengthInUnit(28.35, 2)), "10");
  EXPECT_EQ(utf8(lengthInUnit(-0.001, 1)), "0");
  EXPECT_EQ(utf8(unitName(0)), "in");
}

}  // namespace
}  // namespace r58046::scenario
