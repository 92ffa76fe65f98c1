#include "scenario/constants.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "automation/text.h"

namespace r58046::scenario {

using automation::Variant;

namespace {

struct Constant {
  const char16_t* name;
  int32_t value;
};

// Word 2003's and Office 2003's values, by family.
constexpr Constant kConstants[] = {
    // WdTabAlignment
    {u"wdAlignTabLeft", 0},
    {u"wdAlignTabCenter", 1},
    {u"wdAlignTabRight", 2},
    {u"wdAlignTabDecimal", 3},
    {u"wdAlignTabBar", 4},
    {u"wdAlignTabList", 6},
    // WdTabLeader
    {u"wdTabLeaderSpaces", 0},
    {u"wdTabLeaderDots", 1},
    {u"wdTabLeaderDashes", 2},
    {u"wdTabLeaderLines", 3},
    {u"wdTabLeaderHeavy", 4},
    {u"wdTabLeaderMiddleDot", 5},
    // WdBreakType
    {u"wdSectionBreakNextPage", 2},
    {u"wdSectionBreakContinuous", 3},
    {u"wdSectionBreakEvenPage", 4},
    {u"wdSectionBreakOddPage", 5},
    {u"wdLineBreak", 6},
    {u"wdPageBreak", 7},
    {u"wdColumnBreak", 8},
    {u"wdLineBreakClearLeft", 9},
    {u"wdLineBreakClearRight", 10},
    {u"wdTextWrappingBreak", 11},
    // WdMeasurementUnits
    {u"wdInches", 0},
    {u"wdCentimeters", 1},
    {u"wdMillimeters", 2},
    {u"wdPoints", 3},
    {u"wdPicas", 4},
    // WdColorIndex
    {u"wdByAuthor", -1},
    {u"wdAuto", 0},
    {u"wdNoHighlight", 0},
    {u"wdBlack", 1},
    {u"wdBlue", 2},
    {u"wdTurquoise", 3},
    {u"wdBrightGreen", 4},
    {u"wdPink", 5},
    {u"wdRed", 6},
    {u"wdYellow", 7},
    {u"wdWhite", 8},
    {u"wdDarkBlue", 9},
    {u"wdTeal", 10},
    {u"wdGreen", 11},
    {u"wdViolet", 12},
    {u"wdDarkRed", 13},
    {u"wdDarkYellow", 14},
    {u"wdGray50", 15},
    {u"wdGray25", 16},
    // WdProtectionType
    {u"wdNoProtection", -1},
    {u"wdAllowOnlyRevisions", 0},
    {u"wdAllowOnlyComments", 1},
    {u"wdAllowOnlyFormFields", 2},
    {u"wdAllowOnlyReading", 3},
    // WdSaveFormat
    {u"wdFormatDocument", 0},
    {u"wdFormatTemplate", 1},
    {u"wdFormatText", 2},
    {u"wdFormatTextLineBreaks", 3},
    {u"wdFormatDOSText", 4},
    {u"wdFormatDOSTextLineBreaks", 5},
    {u"wdFormatRTF", 6},
    {u"wdFormatUnicodeText", 7},
    {u"wdFormatEncodedText", 7},
    {u"wdFormatHTML", 8},
    {u"wdFormatWebArchive", 9},
    {u"wdFormatFilteredHTML", 10},
    {u"wdFormatXML", 11},
    // WdDocumentType, WdNewDocumentType
    {u"wdTypeDocument", 0},
    {u"wdTypeTemplate", 1},
    {u"wdNewBlankDocument", 0},
    {u"wdNewWebPage", 1},
    {u"wdNewEmailMessage", 2},
    {u"wdNewFrameset", 3},
    {u"wdNewXMLDocument", 4},
    // WdGoToItem
    {u"wdGoToBookmark", -1},
    {u"wdGoToSection", 0},
    {u"wdGoToPage", 1},
    {u"wdGoToTable", 2},
    {u"wdGoToLine", 3},
    {u"wdGoToFootnote", 4},
    {u"wdGoToEndnote", 5},
    {u"wdGoToComment", 6},
    {u"wdGoToField", 7},
    {u"wdGoToGraphic", 8},
    {u"wdGoToObject", 9},
    {u"wdGoToEquation", 10},
    {u"wdGoToHeading", 11},
    {u"wdGoToPercent", 12},
    {u"wdGoToSpellingError", 13},
    {u"wdGoToGrammaticalError", 14},
    {u"wdGoToProofreadingError", 15},
    // WdGoToDirection
    {u"wdGoToLast", -1},
    {u"wdGoToFirst", 1},
    {u"wdGoToAbsolute", 1},
    {u"wdGoToNext", 2},
    {u"wdGoToRelative", 2},
    {u"wdGoToPrevious", 3},
    // WdSaveOptions
    {u"wdDoNotSaveChanges", 0},
    {u"wdSaveChanges", -1},
    {u"wdPromptToSaveChanges", -2},
    // WdOriginalFormat
    {u"wdWordDocument", 0},
    {u"wdOriginalDocumentFormat", 1},
    {u"wdPromptUser", 2},
    // WdConstants
    {u"wdUndefined", 9999999},
    {u"wdToggle", 9999998},
    {u"wdForward", 1073741823},
    {u"wdBackward", -1073741823},
    {u"wdAutoPosition", 0},
    {u"wdFirst", 1},
    {u"wdCreatorCode", 1297307460},
    // WdStyleType
    {u"wdStyleTypeParagraph", 1},
    {u"wdStyleTypeCharacter", 2},
    {u"wdStyleTypeTable", 3},
    {u"wdStyleTypeList", 4},
    // WdBuiltinStyle (the few a scenario names)
    {u"wdStyleNormal", -1},
    {u"wdStyleHeading1", -2},
    {u"wdStyleHeading2", -3},
    {u"wdStyleHeading3", -4},
    {u"wdStyleDefaultParagraphFont", -66},
    // WdFieldType (form fields)
    {u"wdFieldEmpty", -1},
    {u"wdFieldFormTextInput", 70},
    {u"wdFieldFormCheckBox", 71},
    {u"wdFieldFormDropDown", 83},
    // WdWindowState
    {u"wdWindowStateNormal", 0},
    {u"wdWindowStateMaximize", 1},
    {u"wdWindowStateMinimize", 2},
    // WdDefaultFilePath
    {u"wdDocumentsPath", 0},
    {u"wdPicturesPath", 1},
    {u"wdUserTemplatesPath", 2},
    {u"wdWorkgroupTemplatesPath", 3},
    {u"wdUserOptionsPath", 4},
    {u"wdAutoRecoverPath", 5},
    {u"wdToolsPath", 6},
    {u"wdTutorialPath", 7},
    {u"wdStartupPath", 8},
    {u"wdProgramPath", 9},
    {u"wdGraphicsFiltersPath", 10},
    {u"wdTextConvertersPath", 11},
    {u"wdProofingToolsPath", 12},
    {u"wdTempFilePath", 13},
    {u"wdCurrentFolderPath", 14},
    {u"wdStyleGalleryPath", 15},
    {u"wdBorderArtPath", 19},
    // WdViewType
    {u"wdNormalView", 1},
    {u"wdOutlineView", 2},
    {u"wdPrintView", 3},
    {u"wdPrintPreview", 4},
    {u"wdMasterView", 5},
    {u"wdWebView", 6},
    {u"wdReadingView", 7},
    // WdUnits, WdMovementType, WdCollapseDirection
    {u"wdCharacter", 1},
    {u"wdWord", 2},
    {u"wdSentence", 3},
    {u"wdParagraph", 4},
    {u"wdLine", 5},
    {u"wdStory", 6},
    {u"wdScreen", 7},
    {u"wdSection", 8},
    {u"wdColumn", 9},
    {u"wdRow", 10},
    {u"wdWindow", 11},
    {u"wdCell", 12},
    {u"wdCharacterFormatting", 13},
    {u"wdParagraphFormatting", 14},
    {u"wdTable", 15},
    {u"wdItem", 16},
    {u"wdMove", 0},
    {u"wdExtend", 1},
    {u"wdCollapseEnd", 0},
    {u"wdCollapseStart", 1},
    // WdParagraphAlignment
    {u"wdAlignParagraphLeft", 0},
    {u"wdAlignParagraphCenter", 1},
    {u"wdAlignParagraphRight", 2},
    {u"wdAlignParagraphJustify", 3},
    // WdStoryType (main text), WdFindWrap, WdReplace
    {u"wdMainTextStory", 1},
    {u"wdFindStop", 0},
    {u"wdFindContinue", 1},
    {u"wdFindAsk", 2},
    {u"wdReplaceNone", 0},
    {u"wdReplaceOne", 1},
    {u"wdReplaceAll", 2},
    // MsoBarPosition
    {u"msoBarLeft", 0},
    {u"msoBarTop", 1},
    {u"msoBarRight", 2},
    {u"msoBarBottom", 3},
    {u"msoBarFloating", 4},
    {u"msoBarPopup", 5},
    {u"msoBarMenuBar", 6},
    // MsoBarType
    {u"msoBarTypeNormal", 0},
    {u"msoBarTypeMenuBar", 1},
    {u"msoBarTypePopup", 2},
    // MsoTriState
    {u"msoTrue", -1},
    {u"msoFalse", 0},
    {u"msoCTrue", 1},
    {u"msoTriStateMixed", -2},
    {u"msoTriStateToggle", -3},
    // VB
    {u"vbTrue", -1},
    {u"vbFalse", 0},
};

struct TextConstant {
  const char16_t* name;
  const char16_t* value;
};

constexpr TextConstant kTextConstants[] = {
    {u"vbCr", u"\r"},   {u"vbLf", u"\n"},        {u"vbCrLf", u"\r\n"},
    {u"vbTab", u"\t"},  {u"vbNewLine", u"\r\n"}, {u"vbNullString", u""},
    {u"vbBack", u"\b"}, {u"vbFormFeed", u"\f"},  {u"vbVerticalTab", u"\v"},
};

// Word 2003's Application object: properties and methods.
constexpr const char16_t* kApplicationMembers[] = {
    u"ActiveDocument",
    u"ActivePrinter",
    u"ActiveWindow",
    u"AddIns",
    u"AnswerWizard",
    u"Application",
    u"ArbitraryXMLSupportAvailable",
    u"Assistant",
    u"AutoCaptions",
    u"AutoCorrect",
    u"AutoCorrectEmail",
    u"AutomationSecurity",
    u"BackgroundPrintingStatus",
    u"BackgroundSavingStatus",
    u"BrowseExtraFileTypes",
    u"Browser",
    u"Build",
    u"CapsLock",
    u"Caption",
    u"CaptionLabels",
    u"CheckLanguage",
    u"COMAddIns",
    u"CommandBars",
    u"Creator",
    u"CustomDictionaries",
    u"CustomizationContext",
    u"DefaultLegalBlackline",
    u"DefaultSaveFormat",
    u"DefaultTableSeparator",
    u"Dialogs",
    u"DisplayAlerts",
    u"DisplayAutoCompleteTips",
    u"DisplayRecentFiles",
    u"DisplayScreenTips",
    u"DisplayScrollBars",
    u"DisplayStatusBar",
    u"Documents",
    u"EmailOptions",
    u"EmailTemplate",
    u"EnableCancelKey",
    u"FeatureInstall",
    u"FileConverters",
    u"FileDialog",
    u"FileSearch",
    u"FindKey",
    u"FocusInMailHeader",
    u"FontNames",
    u"HangulHanjaDictionaries",
    u"Height",
    u"International",
    u"IsObjectValid",
    u"KeyBindings",
    u"KeysBoundTo",
    u"LandscapeFontNames",
    u"Language",
    u"Languages",
    u"LanguageSettings",
    u"Left",
    u"ListGalleries",
    u"MacroContainer",
    u"MailingLabel",
    u"MailMessage",
    u"MailSystem",
    u"MAPIAvailable",
    u"MathCoprocessorAvailable",
    u"MouseAvailable",
    u"Name",
    u"NewDocument",
    u"NormalTemplate",
    u"NumLock",
    u"Options",
    u"Parent",
    u"Path",
    u"PathSeparator",
    u"PortraitFontNames",
    u"PrintPreview",
    u"RecentFiles",
    u"ScreenUpdating",
    u"Selection",
    u"ShowStartupDialog",
    u"ShowVisualBasicEditor",
    u"ShowWindowsInTaskbar",
    u"SmartTagRecognizers",
    u"SmartTagTypes",
    u"SpecialMode",
    u"StartupPath",
    u"StatusBar",
    u"SynonymInfo",
    u"System",
    u"TaskPanes",
    u"Tasks",
    u"Templates",
    u"Top",
    u"UsableHeight",
    u"UsableWidth",
    u"UserAddress",
    u"UserControl",
    u"UserInitials",
    u"UserName",
    u"VBE",
    u"Version",
    u"Visible",
    u"Width",
    u"Windows",
    u"WindowState",
    u"WordBasic",
    u"XMLNamespaces",
    // methods
    u"Activate",
    u"AddAddress",
    u"AutomaticChange",
    u"BuildKeyCode",
    u"CentimetersToPoints",
    u"ChangeFileOpenDirectory",
    u"CheckGrammar",
    u"CheckSpelling",
    u"CleanString",
    u"DDEExecute",
    u"DDEInitiate",
    u"DDEPoke",
    u"DDERequest",
    u"DDETerminate",
    u"DDETerminateAll",
    u"DefaultWebOptions",
    u"GetAddress",
    u"GetSpellingSuggestions",
    u"GoBack",
    u"GoForward",
    u"Help",
    u"HelpTool",
    u"InchesToPoints",
    u"KeyString",
    u"LinesToPoints",
    u"ListCommands",
    u"LoadMasterList",
    u"LookupNameProperties",
    u"MillimetersToPoints",
    u"Move",
    u"NewWindow",
    u"NextLetter",
    u"OnTime",
    u"OrganizerCopy",
    u"OrganizerDelete",
    u"OrganizerRename",
    u"PicasToPoints",
    u"PixelsToPoints",
    u"PointsToCentimeters",
    u"PointsToInches",
    u"PointsToLines",
    u"PointsToMillimeters",
    u"PointsToPicas",
    u"PointsToPixels",
    u"PrintOut",
    u"ProductCode",
    u"PutFocusInMailHeader",
    u"Quit",
    u"Repeat",
    u"ResetIgnoreAll",
    u"Resize",
    u"Run",
    u"ScreenRefresh",
    u"SetDefaultTheme",
    u"ShowClipboard",
    u"ShowMe",
    u"SubstituteFont",
    u"ToggleKeyboard",
};

const std::unordered_map<std::u16string, Variant>& constants() {
  static const std::unordered_map<std::u16string, Variant> table = [] {
    std::unordered_map<std::u16string, Variant> t;
    for (const auto& c : kConstants) {
      t.emplace(automation::asciiLower(c.name), Variant(c.value));
    }
    for (const auto& c : kTextConstants) {
      t.emplace(automation::asciiLower(c.name), Variant(std::u16string(c.value)));
    }
    return t;
  }();
  return table;
}

}  // namespace

std::optional<Variant> constantValue(std::u16string_view name) {
  auto it = constants().find(automation::asciiLower(name));
  if (it == constants().end()) {
    return std::nullopt;
  }
  return it->second;
}

bool isApplicationMember(std::u16string_view name) {
  static const std::unordered_set<std::u16string> members = [] {
    std::unordered_set<std::u16string> s;
    for (const char16_t* m : kApplicationMembers) {
      s.insert(automation::asciiLower(m));
    }
    return s;
  }();
  return members.contains(automation::asciiLower(name));
}

}  // namespace r58046::scenario
