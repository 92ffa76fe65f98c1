// Options, command bars, add-ins, windows and panes, and the selection.
#include "app_fixture.h"

namespace r58046::simword::testing {
namespace {

using AppSettings = WordWorld;

Object bar(Object app, std::u16string_view name) {
  return Object(app.get(u"CommandBars")).get(u"Item", std::u16string(name));
}

TEST_F(AppSettings, DefaultFilePathsAndTheCurrentFolder) {
  Object app = createWord();
  Object options = app.get(u"Options");
  EXPECT_EQ(options.get(u"MeasurementUnit").toLong(), 1);
  EXPECT_EQ(options.get(u"DefaultFilePath", 0).toString(), docs());
  EXPECT_EQ(options.get(u"DefaultFilePath", 2).toString(), env.userTemplatesFolder);
  EXPECT_EQ(options.get(u"DefaultFilePath", 14).toString(), docs());

  app.call(u"ChangeFileOpenDirectory", templates());
  EXPECT_EQ(options.get(u"DefaultFilePath", 14).toString(), templates());
  EXPECT_EQ(options.get(u"DefaultFilePath", 0).toString(), docs());
  EXPECT_EQ(errorOf([&] { app.call(u"ChangeFileOpenDirectory", docs() + u"absent/"); }), 5152);
  EXPECT_EQ(errorOf([&] { app.call(u"ChangeFileOpenDirectory", u""); }), 5152);
  EXPECT_EQ(options.get(u"DefaultFilePath", 14).toString(), templates());
  options.putWith(u"DefaultFilePath", {Variant(14)}, docs());
  EXPECT_EQ(options.get(u"DefaultFilePath", 14).toString(), docs());

  options.putWith(u"DefaultFilePath", {Variant(2)}, u"");
  EXPECT_EQ(options.get(u"DefaultFilePath", 2).toString(), u"");
  EXPECT_EQ(errorOf([&] { options.get(u"DefaultFilePath", 16); }), 4608);
  EXPECT_EQ(errorOf([&] { options.put(u"MeasurementUnit", 5); }), 4608);
}

TEST_F(AppSettings, StyleDescriptionsStateLengthsInTheUsersUnit) {
  Object app = createWord();
  Object document = Object(app.get(u"Documents")).call(u"Add");
  Object style = Object(document.get(u"Styles")).call(u"Add", u"retrait", 1);
  Object(style.get(u"ParagraphFormat")).put(u"LeftIndent", 54.0f);
  EXPECT_EQ(style.get(u"Description").toString(), u"Normal + Indent: Left: 1.9 cm");
  Object(app.get(u"Options")).put(u"MeasurementUnit", 0);  // wdInches
  EXPECT_EQ(style.get(u"Description").toString(), u"Normal + Indent: Left: 0.75\"");
}

TEST_F(AppSettings, UserSettingsOutliveAWordButTheCurrentFolderDoesNot) {
  Object first = createWord();
  first.put(u"UserAddress", u"Oxel SA");
  Object(first.get(u"Options")).put(u"MeasurementUnit", 0);
  first.call(u"ChangeFileOpenDirectory", templates());
  first.call(u"Quit");

  Object second = createWord();
  EXPECT_EQ(second.get(u"UserAddress").toString(), u"Oxel SA");
  EXPECT_EQ(Object(second.get(u"Options")).get(u"MeasurementUnit").toLong(), 0);
  EXPECT_EQ(Object(second.get(u"Options")).get(u"DefaultFilePath", 14).toString(), docs());
}

TEST_F(AppSettings, CommandBarsStartInWord2003Layout) {
  Object app = userWord()->application();
  auto expectBar = [&](std::u16string_view name, bool visible, int32_t position) {
    Object b = bar(app, name);
    EXPECT_EQ(b.get(u"Enabled").toLong(), -1) << automation::toUtf8(name);
    EXPECT_EQ(b.get(u"Visible").toLong(), visible ? -1 : 0) << automation::toUtf8(name);
    EXPECT_EQ(b.get(u"Position").toLong(), position) << automation::toUtf8(name);
  };
  expectBar(u"standard", true, 1);
  expectBar(u"formatting", true, 1);
  expectBar(u"Drawing", false, 3);
  expectBar(u"Task Pane", true, 2);
  EXPECT_EQ(bar(app, u"FORMATTING").get(u"Name").toString(), u"Formatting");
  EXPECT_EQ(Object(app.get(u"CommandBars")).get(u"DisplayTooltips").toLong(), -1);
  EXPECT_EQ(errorOf([&] { bar(app, u"Absent"); }), 5);

  // Without the startup task pane, the next Word starts with it hidden.
  app.put(u"ShowStartupDialog", Variant::boolean(false));
  Object next = createWord();
  EXPECT_EQ(bar(next, u"Task Pane").get(u"Visible").toLong(), 0);
}

TEST_F(AppSettings, ADisabledBarIsHiddenAndCannotBeShown) {
  Object app = createWord();
  Object pane = bar(app, u"Task Pane");
  pane.put(u"Enabled", Variant::boolean(false));
  EXPECT_EQ(pane.get(u"Visible").toLong(), 0);
  auto e = failure([&] { pane.put(u"Visible", Variant::boolean(true)); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->number(), static_cast<int32_t>(0x80004005u));
  EXPECT_EQ(pane.get(u"Visible").toLong(), 0);
  pane.put(u"Position", 4);
  EXPECT_EQ(bar(app, u"task pane").get(u"Position").toLong(), 4);
  EXPECT_EQ(errorOf([&] { pane.put(u"Position", 5); }), 5);
}

TEST_F(AppSettings, AddInsAreListedUntilDeleted) {
  Object app = createWord();
  Object addIns = app.get(u"AddIns");
  std::u16string path = writeFile(templates() + u"Courrier Oxel.dot", u"x", true);
  Object added = addIns.call(u"Add", path);
  EXPECT_EQ(added.get(u"Name").toString(), u"Courrier Oxel.dot");
  EXPECT_EQ(added.get(u"Installed").toLong(), -1);
  EXPECT_EQ(Object(addIns.get(u"Item", u"courrier oxel.dot")), added);
  EXPECT_EQ(Object(addIns.call(u"Add", path)), added);
  EXPECT_EQ(addIns.get(u"Count").toLong(), 1);
  // An installed global template counts among the loaded templates.
  EXPECT_EQ(Object(app.get(u"Templates")).get(u"Count").toLong(), 2);

  added.call(u"Delete");
  EXPECT_EQ(addIns.get(u"Count").toLong(), 0);
  EXPECT_EQ(errorOf([&] { added.get(u"Name"); }), 5825);
  EXPECT_EQ(errorOf([&] { addIns.get(u"Item", 1); }), 5941);
  EXPECT_EQ(errorOf([&] { addIns.call(u"Add", templates() + u"Absent.dot"); }), 5174);
}

TEST_F(AppSettings, ZoomBelongsToEachPaneOfASplitWindow) {
  Object app = userWord()->application();
  Object window = app.get(u"ActiveWindow");
  EXPECT_EQ(Object(window.get(u"Panes")).get(u"Count").toLong(), 1);
  window.put(u"Split", Variant::boolean(true));
  Object panes = window.get(u"Panes");
  EXPECT_EQ(panes.get(u"Count").toLong(), 2);

  Object lower = panes.get(u"Item", 2);
  Object(walk(lower, {u"View", u"Zoom"})).put(u"Percentage", 75);
  auto activeZoom = [&] {
    return walk(app, {u"ActiveWindow", u"ActivePane", u"View", u"Zoom", u"Percentage"}).toLong();
  };
  EXPECT_EQ(activeZoom(), 100);
  lower.call(u"Activate");
  EXPECT_EQ(activeZoom(), 75);
  EXPECT_EQ(walk(window, {u"View", u"Zoom", u"Percentage"}).toLong(), 75);

  // Removing the split keeps the active pane; the other one is gone.
  Object upper = panes.get(u"Item", 1);
  window.put(u"Split", Variant::boolean(false));
  EXPECT_EQ(activeZoom(), 75);
  EXPECT_EQ(errorOf([&] { upper.get(u"View"); }), 5825);
  EXPECT_EQ(errorOf([&] { Object(lower.get(u"View")).put(u"Type", 9); }), 4608);
}

TEST_F(AppSettings, WindowProperties) {
  Object app = userWord()->application();
  Object window = app.get(u"ActiveWindow");
  window.put(u"StyleAreaWidth", app.get(u"CentimetersToPoints", 2));
  EXPECT_EQ(window.get(u"StyleAreaWidth").toSingle(), 56.7f);
  EXPECT_EQ(errorOf([&] { window.put(u"StyleAreaWidth", -1); }), 4608);
  Object view = window.get(u"View");
  view.put(u"ShowAll", Variant::boolean(true));
  EXPECT_EQ(walk(app, {u"ActiveWindow", u"View", u"ShowAll"}).toLong(), -1);
  EXPECT_EQ(window.get(u"Caption").toString(), u"Document1");
  EXPECT_EQ(Object(window.get(u"Document")), Object(app.get(u"ActiveDocument")));
  EXPECT_EQ(walk(Object(app.get(u"Windows")).get(u"Item", u"document1"), {u"Index"}).toLong(), 1);
  EXPECT_EQ(Object(Object(app.get(u"ActiveDocument")).get(u"ActiveWindow")), window);
}

TEST_F(AppSettings, SelectionGoesToABookmarkAndTypingReplacesIt) {
  Object app = createWord();
  std::u16string path = writeFile(docs() + u"Bulletin.doc", u"Nom", false, u"t01");
  Object document = Object(app.get(u"Documents")).call(u"Open", path);
  Object selection = app.get(u"Selection");

  Object range = selection.call(u"GoTo", -1, Variant::missing(), Variant::missing(), u"t01");
  EXPECT_EQ(range.get(u"Text").toString(), u"Nom");
  EXPECT_EQ(selection.get(u"Start").toLong(), 0);
  EXPECT_EQ(selection.get(u"End").toLong(), 3);
  EXPECT_EQ(errorOf([&] {
              selection.call(u"GoTo", -1, Variant::missing(), Variant::missing(), u"absent");
            }),
            5101);

  selection.call(u"TypeText", u"Prénom");
  selection.call(u"TypeParagraph");
  EXPECT_EQ(selection.get(u"Start").toLong(), 7);
  EXPECT_EQ(Object(document.get(u"Range")).get(u"Text").toString().substr(0, 7), u"Prénom\r");
}

// "NOM<tab>" marked s01 and "PRÉNOM<tab>" marked s02, one after the other.
std::u16string writeForm(const std::u16string& path) {
  Content content;
  content.replace(0, 0, u"NOM\tPRÉNOM\t");
  content.setBookmark(u"s01", 0, 4);
  content.setBookmark(u"s02", 4, 11);
  std::ofstream(automation::toUtf8(path), std::ios::binary)
      << writeDocument(DocumentProperties{}, content);
  return path;
}

TEST_F(AppSettings, SelectionCollapsesTypesAndDeletesBackwards) {
  Object app = createWord();
  Object document = Object(app.get(u"Documents")).call(u"Open", writeForm(docs() + u"Form.doc"));
  Object selection = app.get(u"Selection");
  Object bookmarks = document.get(u"Bookmarks");
  auto marked = [&](const char16_t* name) {
    return Object(Object(bookmarks.get(u"Item", name)).get(u"Range")).get(u"Text").toString();
  };
  auto at = [&] {
    return std::make_pair(selection.get(u"Start").toLong(), selection.get(u"End").toLong());
  };

  selection.call(u"GoTo", -1, Variant::missing(), Variant::missing(), u"s01");
  selection.call(u"Collapse");  // wdCollapseStart by default
  EXPECT_EQ(at(), std::make_pair(0, 0));
  selection.call(u"GoTo", -1, Variant::missing(), Variant::missing(), u"s01");
  selection.call(u"Collapse", 0);  // wdCollapseEnd
  EXPECT_EQ(at(), std::make_pair(4, 4));

  // A line break typed where s01 ends begins s02.
  selection.call(u"TypeText", u"\v");
  EXPECT_EQ(at(), std::make_pair(5, 5));
  EXPECT_EQ(marked(u"s01"), u"NOM\t");
  EXPECT_EQ(marked(u"s02"), u"\vPRÉNOM\t");

  selection.call(u"TypeBackspace");
  EXPECT_EQ(at(), std::make_pair(4, 4));
  EXPECT_EQ(marked(u"s02"), u"PRÉNOM\t");
  selection.put(u"End", 6);
  selection.call(u"TypeBackspace");  // deletes what is selected
  EXPECT_EQ(at(), std::make_pair(4, 4));
  EXPECT_EQ(marked(u"s02"), u"ÉNOM\t");
  selection.put(u"Start", 0);
  selection.put(u"End", 0);
  selection.call(u"TypeBackspace");  // at the start of the story: nothing
  EXPECT_EQ(at(), std::make_pair(0, 0));
  EXPECT_EQ(Object(document.get(u"Content")).get(u"Text").toString(), u"NOM\tÉNOM\t\r");
}

TEST_F(AppSettings, SelectionInsertsBreaksAndFilesInPlaceOfWhatIsSelected) {
  Object app = createWord();
  Object document = Object(app.get(u"Documents")).call(u"Add");
  Object selection = app.get(u"Selection");
  auto text = [&] { return Object(document.get(u"Content")).get(u"Text").toString(); };
  selection.call(u"TypeText", u"abcd");
  selection.put(u"Start", 2);
  selection.put(u"End", 2);

  selection.call(u"InsertBreak");  // wdPageBreak by default
  selection.call(u"InsertBreak", 6);
  selection.call(u"InsertBreak", 8);
  EXPECT_EQ(text(),
            u"ab\f\v\x0e"
            u"cd\r");
  EXPECT_EQ(selection.get(u"Start").toLong(), 5);
  EXPECT_EQ(errorOf([&] { selection.call(u"InsertBreak", 99); }), 4608);

  selection.put(u"Start", 0);
  selection.put(u"End", 1);
  selection.call(u"InsertBreak", 6);  // replaces the "a"
  EXPECT_EQ(text().substr(0, 3), u"\vb\f");
  EXPECT_EQ(selection.get(u"End").toLong(), 1);
  selection.call(u"InsertBreak", 3);  // wdSectionBreakContinuous
  EXPECT_EQ(Object(document.get(u"Sections")).get(u"Count").toLong(), 2);
  EXPECT_EQ(selection.get(u"Start").toLong(), 2);

  // A bare file name is looked for in the current folder; the insertion point ends after
  // the inserted text.
  writeFile(docs() + u"Part.doc", u"Texte", false, u"t01");
  selection.call(u"InsertFile", u"Part.doc");
  EXPECT_EQ(text().substr(2, 6), u"Texte\r");
  EXPECT_EQ(selection.get(u"Start").toLong(), 8);
  EXPECT_TRUE(Object(document.get(u"Bookmarks")).call(u"Exists", u"t01").toBool());
  EXPECT_EQ(errorOf([&] { selection.call(u"InsertFile", u"Part.doc", u"absent"); }), 5101);
  EXPECT_EQ(errorOf([&] { selection.call(u"InsertFile", u"Absent.doc"); }), 5174);
  EXPECT_EQ(selection.get(u"Start").toLong(), 8);

  // A section break goes in front of a selected passage, which keeps its text and stays
  // selected.
  selection.put(u"End", 10);
  std::u16string passage = selection.get(u"Text").toString();
  selection.call(u"InsertBreak", 2);  // wdSectionBreakNextPage
  EXPECT_EQ(Object(document.get(u"Sections")).get(u"Count").toLong(), 3);
  EXPECT_EQ(text().substr(8, 3), u"\f" + passage);
  EXPECT_EQ(selection.get(u"Start").toLong(), 9);
  EXPECT_EQ(selection.get(u"Text").toString(), passage);
}

TEST_F(AppSettings, SelectionMovesByParagraphAndStoryAndExtends) {
  Object app = createWord();
  Object document = Object(app.get(u"Documents")).call(u"Add");
  Object selection = app.get(u"Selection");
  auto at = [&] {
    return std::make_pair(selection.get(u"Start").toLong(), selection.get(u"End").toLong());
  };
  // "Un" 0-2, "Deux" 3-7, "Trois" 8-13, the story ends at 14.
  selection.call(u"TypeText", u"Un\rDeux\rTrois");
  const int32_t wdParagraph = 4;
  const int32_t wdStory = 6;
  const int32_t wdExtend = 1;

  EXPECT_EQ(selection.call(u"HomeKey", wdStory).toLong(), 13);
  EXPECT_EQ(at(), std::make_pair(0, 0));
  EXPECT_EQ(selection.call(u"MoveDown", wdParagraph).toLong(), 1);
  EXPECT_EQ(at(), std::make_pair(3, 3));
  // Ctrl+Shift+Down twice: "Deux" and "Trois" with their marks.
  EXPECT_EQ(selection.call(u"MoveDown", wdParagraph, 2, wdExtend).toLong(), 2);
  EXPECT_EQ(at(), std::make_pair(3, 14));
  selection.call(u"MoveUp", wdParagraph, 1, wdExtend);
  EXPECT_EQ(at(), std::make_pair(3, 8));
  // Extended back past where it began, the selection turns round its anchor.
  EXPECT_EQ(selection.call(u"MoveUp", wdParagraph, 2, wdExtend).toLong(), 2);
  EXPECT_EQ(at(), std::make_pair(0, 3));
  selection.call(u"MoveDown", wdParagraph, 1, wdExtend);
  EXPECT_EQ(at(), std::make_pair(3, 3));

  // Ctrl+End stops in front of the last mark, Ctrl+Shift+End takes it in.
  selection.call(u"EndKey", wdStory);
  EXPECT_EQ(at(), std::make_pair(13, 13));
  selection.call(u"EndKey", wdStory, wdExtend);
  EXPECT_EQ(at(), std::make_pair(13, 14));
  selection.call(u"MoveDown", wdParagraph);
  EXPECT_EQ(at(), std::make_pair(13, 13));
  // Ctrl+End, Ctrl+Shift+Up: the last paragraph's text, which typing replaces.
  selection.call(u"MoveUp", wdParagraph, 1, wdExtend);
  EXPECT_EQ(at(), std::make_pair(8, 13));
  selection.call(u"TypeText", u"Quatre");
  EXPECT_EQ(Object(document.get(u"Content")).get(u"Text").toString(), u"Un\rDeux\rQuatre\r");
  selection.call(u"WholeStory");
  EXPECT_EQ(at(), std::make_pair(0, 15));

  // Units that need lines laid out are not simulated.
  EXPECT_EQ(errorOf([&] { selection.call(u"HomeKey"); }), 4605);
  EXPECT_EQ(errorOf([&] { selection.call(u"MoveDown"); }), 4605);
  EXPECT_EQ(at(), std::make_pair(0, 15));
}

TEST_F(AppSettings, SelectionFormatsEveryParagraphItTouches) {
  Object app = createWord();
  Object document = Object(app.get(u"Documents")).call(u"Add");
  Object(document.get(u"Styles")).call(u"Add", u"adresse", 1);
  Object selection = app.get(u"Selection");
  Object paragraphs = document.get(u"Paragraphs");
  auto styleOf = [&](int32_t i) {
    return Object(Object(paragraphs.get(u"Item", i)).get(u"Style")).get(u"NameLocal").toString();
  };
  selection.call(u"TypeText", u"Un\rDeux\rTrois");

  // "Deux" with its mark selected: the style box styles that paragraph only.
  selection.call(u"HomeKey", 6);
  selection.call(u"MoveDown", 4);
  selection.call(u"MoveDown", 4, 1, 1);
  selection.put(u"Style", u"adresse");
  EXPECT_EQ(Object(selection.get(u"Style")).get(u"NameLocal").toString(), u"adresse");
  EXPECT_EQ(styleOf(1), u"Normal");
  EXPECT_EQ(styleOf(2), u"adresse");
  EXPECT_EQ(styleOf(3), u"Normal");

  // From "e" of "Deux" to "r" of "Trois": both paragraphs take the paragraph settings.
  selection.put(u"Start", 4);
  selection.put(u"End", 10);
  Object(selection.get(u"ParagraphFormat")).put(u"SpaceBefore", 6);
  EXPECT_EQ(Object(selection.get(u"Paragraphs")).get(u"Count").toLong(), 2);
  Object(Object(selection.get(u"Paragraphs")).get(u"TabStops")).call(u"Add", 56.7f);
  for (int32_t i = 1; i <= 3; ++i) {
    Object paragraph = paragraphs.get(u"Item", i);
    EXPECT_EQ(paragraph.get(u"SpaceBefore").toSingle(), i == 1 ? 0.0f : 6.0f) << i;
    EXPECT_EQ(Object(paragraph.get(u"TabStops")).get(u"Count").toLong(), i == 1 ? 0 : 1) << i;
  }
}

TEST_F(AppSettings, SelectionMovesByCharacterAndTheFontDialogSpacesItOut) {
  Object app = createWord();
  Object document = Object(app.get(u"Documents")).call(u"Add");
  Object selection = app.get(u"Selection");
  auto at = [&] {
    return std::make_pair(selection.get(u"Start").toLong(), selection.get(u"End").toLong());
  };
  auto move = [&](const char16_t* name, auto... args) {
    return selection.call(name, Variant(args)...).toLong();
  };
  const Variant byCharacter = Variant::missing();
  selection.call(u"TypeText", u"NOM\t\rsuite");  // the story ends at 11

  // Right stops in front of the last mark; with Shift the selection takes it in.
  EXPECT_EQ(move(u"MoveRight", byCharacter, 5), 0);
  EXPECT_EQ(at(), std::make_pair(10, 10));
  EXPECT_EQ(move(u"MoveRight", byCharacter, 2, 1), 1);
  EXPECT_EQ(at(), std::make_pair(10, 11));
  // Without Shift an arrow first collapses the selection to its edge, one unit.
  EXPECT_EQ(move(u"MoveLeft"), 1);
  EXPECT_EQ(at(), std::make_pair(10, 10));
  EXPECT_EQ(move(u"MoveLeft", 1, 20), 10);
  EXPECT_EQ(at(), std::make_pair(0, 0));
  // Shift+Right three times, then Shift+Left five times turns the selection round.
  EXPECT_EQ(move(u"MoveRight", 1, 3, 1), 3);
  EXPECT_EQ(selection.get(u"Text").toString(), u"NOM");
  selection.call(u"Collapse", 0);
  EXPECT_EQ(move(u"MoveLeft", 1, 5, 1), 3);
  EXPECT_EQ(at(), std::make_pair(0, 3));
  EXPECT_EQ(move(u"MoveRight", 1, 2), 2);  // collapsed to the end, then one more
  EXPECT_EQ(at(), std::make_pair(4, 4));
  EXPECT_EQ(errorOf([&] { move(u"MoveRight", 2); }), 4605);  // by word: needs a layout

  // The Font dialog acts on the selected characters only.
  selection.call(u"HomeKey", 6);
  move(u"MoveRight", 1, 3, 1);
  Object(selection.get(u"Font")).put(u"Spacing", 5);
  EXPECT_EQ(Object(selection.get(u"Font")).get(u"Spacing").toSingle(), 5.0f);
  EXPECT_EQ(Object(Object(document.call(u"Range", 3, 4)).get(u"Font")).get(u"Spacing").toSingle(),
            0.0f);
}

}  // namespace
}  // namespace r58046::simword::testing
