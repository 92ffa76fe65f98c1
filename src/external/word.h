// Typed wrappers over Word 2003's object model and Office's command bars, the way #import
// wrappers read:
//
//   word::Application app(object);
//   std::u16string text = app.ActiveDocument().Bookmarks().Item(u"s01").Range().Text();
//
// Every member is one late-bound call by name, made through the Word interface the wrapper
// holds (so that the COM build can keep each interface's dispatch identifiers), and a real
// Word and the simulated one answer alike; each Word call the code makes is visible by its
// name.
// A property read is `Name()`, a property write is `PutName(value)`; an omitted optional
// argument is Variant::missing() (the default). Word Booleans read back as WordBool (-1 or
// 0, as Word hands them out); Boolean writes take a bool.
//
// Only the members in use are declared; add the ones a question needs next to their kin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "automation/dispatch.h"

namespace r58046::word {

using automation::Object;
using automation::Variant;

// A Word Boolean as Word hands it out: True -1, False 0.
using WordBool = int16_t;
inline constexpr WordBool kTrue = -1;
inline constexpr WordBool kFalse = 0;

// Constants of Word and Office in use, with their values.
inline constexpr int32_t wdWindowStateMaximize = 1;
inline constexpr int32_t wdCentimeters = 1;
inline constexpr int32_t wdMillimeters = 2;
inline constexpr int32_t wdAllowOnlyFormFields = 2;
inline constexpr int32_t wdGoToBookmark = -1;
inline constexpr int32_t wdSaveChanges = -1;
inline constexpr int32_t wdDoNotSaveChanges = 0;
inline constexpr int32_t wdUndefined = 9999999;
inline constexpr int32_t wdDefaultFilePathDocuments = 0;
inline constexpr int32_t wdDefaultFilePathUserTemplates = 2;
inline constexpr int32_t wdDefaultFilePathCurrentFolder = 14;
inline constexpr int32_t wdAlignTabLeft = 0;
inline constexpr int32_t wdAlignTabRight = 2;
inline constexpr int32_t wdTabLeaderSpaces = 0;
inline constexpr int32_t wdTabLeaderDots = 1;
inline constexpr int32_t wdBlue = 2;
inline constexpr int32_t msoBarTop = 1;
inline constexpr int32_t msoBarRight = 2;
inline constexpr int32_t msoBarBottom = 3;

// Common base: holds the late-bound reference and the Word interface it is held as.
class Wrapper {
 public:
  Wrapper() = default;

  const Object& object() const { return object_; }
  const automation::ObjectRef& ref() const { return object_.ref(); }
  bool isNothing() const { return object_.isNothing(); }

 protected:
  Wrapper(Object object, const automation::Interface& through)
      : object_(std::move(object)), through_(&through) {}

  // One Word call through the interface held: a property read (or a method used as a
  // value), a method call as a statement, a property write (with the property's arguments).
  template <class... A>
  Variant get(std::u16string_view name, A&&... args) const {
    automation::Args list{automation::Arg(std::forward<A>(args))...};
    return invoke(name, automation::InvokeKind::Get, list);
  }
  template <class... A>
  Variant call(std::u16string_view name, A&&... args) const {
    automation::Args list{automation::Arg(std::forward<A>(args))...};
    return invoke(name, automation::InvokeKind::Method, list);
  }
  void put(std::u16string_view name, Variant value) const;
  void putWith(std::u16string_view name, automation::Args args, Variant value) const;

  Object object_;

 private:
  Variant invoke(std::u16string_view name, automation::InvokeKind kind,
                 automation::Args& args) const;

  const automation::Interface* through_ = nullptr;
};

// The wrapper of one Word interface, which the class names as its kInterface.
template <class Self>
class Typed : public Wrapper {
 public:
  Typed() : Wrapper(Object(), Self::kInterface) {}
  explicit Typed(Object object) : Wrapper(std::move(object), Self::kInterface) {}
};

class AddIn;
class AddIns;
class Application;
class Bookmark;
class Bookmarks;
class CheckBox;
class CommandBar;
class CommandBars;
class Document;
class Documents;
class Envelope;
class Font;
class FormField;
class FormFields;
class Options;
class Pane;
class Paragraph;
class ParagraphFormat;
class Paragraphs;
class Range;
class Section;
class Sections;
class Selection;
class Style;
class Styles;
class TabStop;
class TabStops;
class Template;
class Templates;
class View;
class Window;
class Windows;
class Zoom;

class Application : public Typed<Application> {
 public:
  static constexpr automation::Interface kInterface{u"Application"};
  using Typed::Typed;

  // The Application property (#import's name: a member cannot bear its class's name).
  word::Application GetApplication() const;
  word::Documents Documents() const;
  word::Windows Windows() const;
  word::Document ActiveDocument() const;
  word::Window ActiveWindow() const;
  word::Selection Selection() const;
  word::Options Options() const;
  word::Templates Templates() const;
  word::AddIns AddIns() const;
  word::CommandBars CommandBars() const;

  void PutVisible(bool value) const;
  void PutDisplayStatusBar(bool value) const;
  void PutWindowState(int32_t value) const;
  std::u16string UserAddress() const;
  void PutUserAddress(const std::u16string& value) const;
  // Widened to 32 bits as the module stores it (True stays -1).
  int32_t ShowStartupDialog() const;
  void PutShowStartupDialog(bool value) const;

  void Quit(const Variant& SaveChanges = Variant::missing(),
            const Variant& OriginalFormat = Variant::missing(),
            const Variant& RouteDocument = Variant::missing()) const;
  void ChangeFileOpenDirectory(const std::u16string& Path) const;
  void Activate() const;
  float CentimetersToPoints(float Centimeters) const;
};

class Documents : public Typed<Documents> {
 public:
  static constexpr automation::Interface kInterface{u"Documents"};
  using Typed::Typed;
  int32_t Count() const;
  // By name or by 1-based index.
  word::Document Item(const Variant& Index) const;
  // Open with every argument but the file name omitted.
  word::Document Open(const std::u16string& FileName) const;
  word::Document Add(const Variant& Template = Variant::missing(),
                     const Variant& NewTemplate = Variant::missing(),
                     const Variant& DocumentType = Variant::missing(),
                     const Variant& Visible = Variant::missing()) const;
  void Close(const Variant& SaveChanges = Variant::missing(),
             const Variant& OriginalFormat = Variant::missing(),
             const Variant& RouteDocument = Variant::missing()) const;
};

class Document : public Typed<Document> {
 public:
  static constexpr automation::Interface kInterface{u"Document"};
  using Typed::Typed;
  std::u16string Name() const;
  std::u16string Path() const;
  std::u16string FullName() const;
  word::Bookmarks Bookmarks() const;
  word::Sections Sections() const;
  word::Paragraphs Paragraphs() const;
  word::FormFields FormFields() const;
  word::Styles Styles() const;
  word::Envelope Envelope() const;
  word::Window ActiveWindow() const;
  word::Application Application() const;
  int32_t ProtectionType() const;
  WordBool UpdateStylesOnOpen() const;
  WordBool HasPassword() const;
  // False while the document has changes not yet saved.
  WordBool Saved() const;
  // A Template object (read late-bound); written as a template's file name.
  word::Template AttachedTemplate() const;
  void PutAttachedTemplate(const std::u16string& value) const;
  WordBool ShowSpellingErrors() const;
  void PutShowSpellingErrors(bool value) const;
  WordBool ShowGrammaticalErrors() const;
  void PutShowGrammaticalErrors(bool value) const;

  word::Range Range(const Variant& Start = Variant::missing(),
                    const Variant& End = Variant::missing()) const;
  void Activate() const;
  void Close(const Variant& SaveChanges = Variant::missing(),
             const Variant& OriginalFormat = Variant::missing(),
             const Variant& RouteDocument = Variant::missing()) const;
};

class Bookmarks : public Typed<Bookmarks> {
 public:
  static constexpr automation::Interface kInterface{u"Bookmarks"};
  using Typed::Typed;
  word::Bookmark Item(const Variant& Index) const;
  bool Exists(const std::u16string& Name) const;
};

class Bookmark : public Typed<Bookmark> {
 public:
  static constexpr automation::Interface kInterface{u"Bookmark"};
  using Typed::Typed;
  word::Range Range() const;
};

class Range : public Typed<Range> {
 public:
  static constexpr automation::Interface kInterface{u"Range"};
  using Typed::Typed;
  std::u16string Text() const;
  int32_t Start() const;
  int32_t End() const;
  word::Paragraphs Paragraphs() const;
  word::Font Font() const;
  // A Style object or a name, as Word hands it out.
  Variant Style() const;
};

class Selection : public Typed<Selection> {
 public:
  static constexpr automation::Interface kInterface{u"Selection"};
  using Typed::Typed;
  void GoTo(const Variant& What = Variant::missing(), const Variant& Which = Variant::missing(),
            const Variant& Count = Variant::missing(),
            const Variant& Name = Variant::missing()) const;
};

class Paragraphs : public Typed<Paragraphs> {
 public:
  static constexpr automation::Interface kInterface{u"Paragraphs"};
  using Typed::Typed;
  int32_t Count() const;
  word::Paragraph Item(int32_t Index) const;
  word::Paragraph Last() const;
  // A value that differs across the paragraphs reads wdUndefined.
  float LeftIndent() const;
  void PutLeftIndent(float value) const;
  float FirstLineIndent() const;
  void PutFirstLineIndent(float value) const;
  float SpaceBefore() const;
  void PutSpaceBefore(float value) const;
  word::TabStops TabStops() const;
  Variant Style() const;
  void PutStyle(const Variant& value) const;
};

class Paragraph : public Typed<Paragraph> {
 public:
  static constexpr automation::Interface kInterface{u"Paragraph"};
  using Typed::Typed;
  word::Range Range() const;
  Variant Style() const;
};

class TabStops : public Typed<TabStops> {
 public:
  static constexpr automation::Interface kInterface{u"TabStops"};
  using Typed::Typed;
  int32_t Count() const;
  word::TabStop Item(int32_t Index) const;
};

class TabStop : public Typed<TabStop> {
 public:
  static constexpr automation::Interface kInterface{u"TabStop"};
  using Typed::Typed;
  WordBool CustomTab() const;
  float Position() const;
  int32_t Alignment() const;
  int32_t Leader() const;
};

class Styles : public Typed<Styles> {
 public:
  static constexpr automation::Interface kInterface{u"Styles"};
  using Typed::Typed;
  int32_t Count() const;
  word::Style Item(const Variant& Index) const;
};

class Style : public Typed<Style> {
 public:
  static constexpr automation::Interface kInterface{u"Style"};
  using Typed::Typed;
  std::u16string NameLocal() const;
  Variant BaseStyle() const;
  std::u16string Description() const;
  Variant NextParagraphStyle() const;
  word::ParagraphFormat ParagraphFormat() const;
  word::Font Font() const;
};

class ParagraphFormat : public Typed<ParagraphFormat> {
 public:
  static constexpr automation::Interface kInterface{u"ParagraphFormat"};
  using Typed::Typed;
  float LeftIndent() const;
  float SpaceBefore() const;
};

class Font : public Typed<Font> {
 public:
  static constexpr automation::Interface kInterface{u"Font"};
  using Typed::Typed;
  std::u16string Name() const;
  float Size() const;
  int32_t ColorIndex() const;
  float Spacing() const;
};

class Sections : public Typed<Sections> {
 public:
  static constexpr automation::Interface kInterface{u"Sections"};
  using Typed::Typed;
  int32_t Count() const;
  word::Section Item(int32_t Index) const;
};

class Section : public Typed<Section> {
 public:
  static constexpr automation::Interface kInterface{u"Section"};
  using Typed::Typed;
  word::Range Range() const;
};

class FormFields : public Typed<FormFields> {
 public:
  static constexpr automation::Interface kInterface{u"FormFields"};
  using Typed::Typed;
  int32_t Count() const;
  word::FormField Item(const Variant& Index) const;
};

class FormField : public Typed<FormField> {
 public:
  static constexpr automation::Interface kInterface{u"FormField"};
  using Typed::Typed;
  // The field as a check box; Word fails when the field is another kind.
  word::CheckBox CheckBox() const;
};

class CheckBox : public Typed<CheckBox> {
 public:
  static constexpr automation::Interface kInterface{u"CheckBox"};
  using Typed::Typed;
  WordBool Value() const;
};

class Envelope : public Typed<Envelope> {
 public:
  static constexpr automation::Interface kInterface{u"Envelope"};
  using Typed::Typed;
  word::Range Address() const;
  word::Range ReturnAddress() const;
  WordBool DefaultFaceUp() const;
};

class Templates : public Typed<Templates> {
 public:
  static constexpr automation::Interface kInterface{u"Templates"};
  using Typed::Typed;
  word::Template Item(const Variant& Index) const;
};

class Template : public Typed<Template> {
 public:
  static constexpr automation::Interface kInterface{u"Template"};
  using Typed::Typed;
  std::u16string Name() const;
  std::u16string FullName() const;
  std::u16string Path() const;
};

class AddIns : public Typed<AddIns> {
 public:
  static constexpr automation::Interface kInterface{u"AddIns"};
  using Typed::Typed;
  int32_t Count() const;
  word::AddIn Item(const Variant& Index) const;
};

class AddIn : public Typed<AddIn> {
 public:
  static constexpr automation::Interface kInterface{u"AddIn"};
  using Typed::Typed;
  std::u16string Name() const;
  void Delete() const;
};

class Windows : public Typed<Windows> {
 public:
  static constexpr automation::Interface kInterface{u"Windows"};
  using Typed::Typed;
  int32_t Count() const;
};

class Window : public Typed<Window> {
 public:
  static constexpr automation::Interface kInterface{u"Window"};
  using Typed::Typed;
  word::Pane ActivePane() const;
  word::View View() const;
  float StyleAreaWidth() const;
  void PutStyleAreaWidth(float value) const;
  void PutWindowState(int32_t value) const;
  void PutDisplayVerticalScrollBar(bool value) const;
  void PutDisplayScreenTips(bool value) const;
};

class Pane : public Typed<Pane> {
 public:
  static constexpr automation::Interface kInterface{u"Pane"};
  using Typed::Typed;
  word::View View() const;
};

class View : public Typed<View> {
 public:
  static constexpr automation::Interface kInterface{u"View"};
  using Typed::Typed;
  WordBool ShowAll() const;
  void PutShowAll(bool value) const;
  WordBool ShowFieldCodes() const;
  void PutShowFieldCodes(bool value) const;
  word::Zoom Zoom() const;
};

class Zoom : public Typed<Zoom> {
 public:
  static constexpr automation::Interface kInterface{u"Zoom"};
  using Typed::Typed;
  int32_t Percentage() const;
};

class Options : public Typed<Options> {
 public:
  static constexpr automation::Interface kInterface{u"Options"};
  using Typed::Typed;
  int32_t MeasurementUnit() const;
  std::u16string DefaultFilePath(int32_t Path) const;
  void PutDefaultFilePath(int32_t Path, const std::u16string& value) const;
};

// Office command bars.
class CommandBars : public Typed<CommandBars> {
 public:
  static constexpr automation::Interface kInterface{u"CommandBars"};
  using Typed::Typed;
  word::CommandBar Item(const Variant& Index) const;
  WordBool DisplayTooltips() const;
  void PutDisplayTooltips(bool value) const;
};

class CommandBar : public Typed<CommandBar> {
 public:
  static constexpr automation::Interface kInterface{u"CommandBar"};
  using Typed::Typed;
  WordBool Enabled() const;
  void PutEnabled(bool value) const;
  WordBool Visible() const;
  void PutVisible(bool value) const;
  int32_t Position() const;
  void PutPosition(int32_t value) const;
};

}  // namespace r58046::word
