#include "external/word.h"

namespace r58046::word {

namespace {

Variant boolean(bool value) {
  return Variant::boolean(value);
}

// The result of a method that callers often use as a statement: a Word that hands back no
// object makes a Nothing wrapper rather than a failure.
Object resultat(const Variant& value) {
  return value.isObject() ? Object(value) : Object();
}

}  // namespace

// --- Application

word::Application Application::GetApplication() const {
  return word::Application(object_.get(u"Application"));
}
word::Documents Application::Documents() const {
  return word::Documents(object_.get(u"Documents"));
}
word::Windows Application::Windows() const {
  return word::Windows(object_.get(u"Windows"));
}
word::Document Application::ActiveDocument() const {
  return word::Document(object_.get(u"ActiveDocument"));
}
word::Window Application::ActiveWindow() const {
  return word::Window(object_.get(u"ActiveWindow"));
}
word::Selection Application::Selection() const {
  return word::Selection(object_.get(u"Selection"));
}
word::Options Application::Options() const {
  return word::Options(object_.get(u"Options"));
}
word::Templates Application::Templates() const {
  return word::Templates(object_.get(u"Templates"));
}
word::AddIns Application::AddIns() const {
  return word::AddIns(object_.get(u"AddIns"));
}
word::CommandBars Application::CommandBars() const {
  return word::CommandBars(object_.get(u"CommandBars"));
}
void Application::PutVisible(bool value) const {
  object_.put(u"Visible", boolean(value));
}
void Application::PutDisplayStatusBar(bool value) const {
  object_.put(u"DisplayStatusBar", boolean(value));
}
void Application::PutWindowState(int32_t value) const {
  object_.put(u"WindowState", value);
}
std::u16string Application::UserAddress() const {
  return object_.get(u"UserAddress").toString();
}
void Application::PutUserAddress(const std::u16string& value) const {
  object_.put(u"UserAddress", value);
}
int32_t Application::ShowStartupDialog() const {
  return object_.get(u"ShowStartupDialog").toLong();
}
void Application::PutShowStartupDialog(bool value) const {
  object_.put(u"ShowStartupDialog", boolean(value));
}
void Application::Quit(const Variant& SaveChanges, const Variant& OriginalFormat,
                       const Variant& RouteDocument) const {
  object_.call(u"Quit", SaveChanges, OriginalFormat, RouteDocument);
}
void Application::ChangeFileOpenDirectory(const std::u16string& Path) const {
  object_.call(u"ChangeFileOpenDirectory", Path);
}
void Application::Activate() const {
  object_.call(u"Activate");
}
float Application::CentimetersToPoints(float Centimeters) const {
  return object_.get(u"CentimetersToPoints", Centimeters).toSingle();
}

// --- Documents, Document

int32_t Documents::Count() const {
  return object_.get(u"Count").toLong();
}
word::Document Documents::Item(const Variant& Index) const {
  return word::Document(object_.get(u"Item", Index));
}
word::Document Documents::Open(const std::u16string& FileName) const {
  return word::Document(resultat(object_.call(u"Open", FileName)));
}
word::Document Documents::Add(const Variant& Template, const Variant& NewTemplate,
                              const Variant& DocumentType, const Variant& Visible) const {
  return word::Document(
      resultat(object_.call(u"Add", Template, NewTemplate, DocumentType, Visible)));
}
void Documents::Close(const Variant& SaveChanges, const Variant& OriginalFormat,
                      const Variant& RouteDocument) const {
  object_.call(u"Close", SaveChanges, OriginalFormat, RouteDocument);
}

std::u16string Document::Name() const {
  return object_.get(u"Name").toString();
}
std::u16string Document::Path() const {
  return object_.get(u"Path").toString();
}
std::u16string Document::FullName() const {
  return object_.get(u"FullName").toString();
}
word::Bookmarks Document::Bookmarks() const {
  return word::Bookmarks(object_.get(u"Bookmarks"));
}
word::Sections Document::Sections() const {
  return word::Sections(object_.get(u"Sections"));
}
word::Paragraphs Document::Paragraphs() const {
  return word::Paragraphs(object_.get(u"Paragraphs"));
}
word::FormFields Document::FormFields() const {
  return word::FormFields(object_.get(u"FormFields"));
}
word::Styles Document::Styles() const {
  return word::Styles(object_.get(u"Styles"));
}
word::Envelope Document::Envelope() const {
  return word::Envelope(object_.get(u"Envelope"));
}
word::Window Document::ActiveWindow() const {
  return word::Window(object_.get(u"ActiveWindow"));
}
word::Application Document::Application() const {
  return word::Application(object_.get(u"Application"));
}
int32_t Document::ProtectionType() const {
  return object_.get(u"ProtectionType").toLong();
}
WordBool Document::UpdateStylesOnOpen() const {
  return object_.get(u"UpdateStylesOnOpen").toInteger();
}
WordBool Document::HasPassword() const {
  return object_.get(u"HasPassword").toInteger();
}
WordBool Document::Saved() const {
  return object_.get(u"Saved").toInteger();
}
word::Template Document::AttachedTemplate() const {
  return word::Template(object_.get(u"AttachedTemplate"));
}
void Document::PutAttachedTemplate(const std::u16string& value) const {
  object_.put(u"AttachedTemplate", value);
}
WordBool Document::ShowSpellingErrors() const {
  return object_.get(u"ShowSpellingErrors").toInteger();
}
void Document::PutShowSpellingErrors(bool value) const {
  object_.put(u"ShowSpellingErrors", boolean(value));
}
WordBool Document::ShowGrammaticalErrors() const {
  return object_.get(u"ShowGrammaticalErrors").toInteger();
}
void Document::PutShowGrammaticalErrors(bool value) const {
  object_.put(u"ShowGrammaticalErrors", boolean(value));
}
word::Range Document::Range(const Variant& Start, const Variant& End) const {
  return word::Range(object_.get(u"Range", Start, End));
}
void Document::Activate() const {
  object_.call(u"Activate");
}
void Document::Close(const Variant& SaveChanges, const Variant& OriginalFormat,
                     const Variant& RouteDocument) const {
  object_.call(u"Close", SaveChanges, OriginalFormat, RouteDocument);
}

// --- Bookmarks, Range, Selection

word::Bookmark Bookmarks::Item(const Variant& Index) const {
  return word::Bookmark(object_.get(u"Item", Index));
}
bool Bookmarks::Exists(const std::u16string& Name) const {
  return object_.get(u"Exists", Name).toBool();
}
word::Range Bookmark::Range() const {
  return word::Range(object_.get(u"Range"));
}

std::u16string Range::Text() const {
  return object_.get(u"Text").toString();
}
int32_t Range::Start() const {
  return object_.get(u"Start").toLong();
}
int32_t Range::End() const {
  return object_.get(u"End").toLong();
}
word::Paragraphs Range::Paragraphs() const {
  return word::Paragraphs(object_.get(u"Paragraphs"));
}
word::Font Range::Font() const {
  return word::Font(object_.get(u"Font"));
}
Variant Range::Style() const {
  return object_.get(u"Style");
}

void Selection::GoTo(const Variant& What, const Variant& Which, const Variant& Count,
                     const Variant& Name) const {
  object_.call(u"GoTo", What, Which, Count, Name);
}

// --- Paragraphs, tab stops

int32_t Paragraphs::Count() const {
  return object_.get(u"Count").toLong();
}
word::Paragraph Paragraphs::Item(int32_t Index) const {
  return word::Paragraph(object_.get(u"Item", Index));
}
word::Paragraph Paragraphs::Last() const {
  return word::Paragraph(object_.get(u"Last"));
}
float Paragraphs::LeftIndent() const {
  return object_.get(u"LeftIndent").toSingle();
}
void Paragraphs::PutLeftIndent(float value) const {
  object_.put(u"LeftIndent", value);
}
float Paragraphs::FirstLineIndent() const {
  return object_.get(u"FirstLineIndent").toSingle();
}
void Paragraphs::PutFirstLineIndent(float value) const {
  object_.put(u"FirstLineIndent", value);
}
float Paragraphs::SpaceBefore() const {
  return object_.get(u"SpaceBefore").toSingle();
}
void Paragraphs::PutSpaceBefore(float value) const {
  object_.put(u"SpaceBefore", value);
}
word::TabStops Paragraphs::TabStops() const {
  return word::TabStops(object_.get(u"TabStops"));
}
Variant Paragraphs::Style() const {
  return object_.get(u"Style");
}
void Paragraphs::PutStyle(const Variant& value) const {
  object_.put(u"Style", value);
}

word::Range Paragraph::Range() const {
  return word::Range(object_.get(u"Range"));
}
Variant Paragraph::Style() const {
  return object_.get(u"Style");
}

int32_t TabStops::Count() const {
  return object_.get(u"Count").toLong();
}
word::TabStop TabStops::Item(int32_t Index) const {
  return word::TabStop(object_.get(u"Item", Index));
}
WordBool TabStop::CustomTab() const {
  return object_.get(u"CustomTab").toInteger();
}
float TabStop::Position() const {
  return object_.get(u"Position").toSingle();
}
int32_t TabStop::Alignment() const {
  return object_.get(u"Alignment").toLong();
}
int32_t TabStop::Leader() const {
  return object_.get(u"Leader").toLong();
}

// --- Styles, fonts

int32_t Styles::Count() const {
  return object_.get(u"Count").toLong();
}
word::Style Styles::Item(const Variant& Index) const {
  return word::Style(object_.get(u"Item", Index));
}
std::u16string Style::NameLocal() const {
  return object_.get(u"NameLocal").toString();
}
Variant Style::BaseStyle() const {
  return object_.get(u"BaseStyle");
}
std::u16string Style::Description() const {
  return object_.get(u"Description").toString();
}
Variant Style::NextParagraphStyle() const {
  return object_.get(u"NextParagraphStyle");
}
word::ParagraphFormat Style::ParagraphFormat() const {
  return word::ParagraphFormat(object_.get(u"ParagraphFormat"));
}
word::Font Style::Font() const {
  return word::Font(object_.get(u"Font"));
}

float ParagraphFormat::LeftIndent() const {
  return object_.get(u"LeftIndent").toSingle();
}
float ParagraphFormat::SpaceBefore() const {
  return object_.get(u"SpaceBefore").toSingle();
}

std::u16string Font::Name() const {
  return object_.get(u"Name").toString();
}
float Font::Size() const {
  return object_.get(u"Size").toSingle();
}
int32_t Font::ColorIndex() const {
  return object_.get(u"ColorIndex").toLong();
}
float Font::Spacing() const {
  return object_.get(u"Spacing").toSingle();
}

// --- Sections, form fields, envelope

int32_t Sections::Count() const {
  return object_.get(u"Count").toLong();
}
word::Section Sections::Item(int32_t Index) const {
  return word::Section(object_.get(u"Item", Index));
}
word::Range Section::Range() const {
  return word::Range(object_.get(u"Range"));
}

int32_t FormFields::Count() const {
  return object_.get(u"Count").toLong();
}
word::FormField FormFields::Item(const Variant& Index) const {
  return word::FormField(object_.get(u"Item", Index));
}
word::CheckBox FormField::CheckBox() const {
  return word::CheckBox(object_.get(u"CheckBox"));
}
WordBool CheckBox::Value() const {
  return object_.get(u"Value").toInteger();
}

word::Range Envelope::Address() const {
  return word::Range(object_.get(u"Address"));
}
word::Range Envelope::ReturnAddress() const {
  return word::Range(object_.get(u"ReturnAddress"));
}
WordBool Envelope::DefaultFaceUp() const {
  return object_.get(u"DefaultFaceUp").toInteger();
}

// --- Templates, add-ins

word::Template Templates::Item(const Variant& Index) const {
  return word::Template(object_.get(u"Item", Index));
}
std::u16string Template::Name() const {
  return object_.get(u"Name").toString();
}
std::u16string Template::FullName() const {
  return object_.get(u"FullName").toString();
}
std::u16string Template::Path() const {
  return object_.get(u"Path").toString();
}

int32_t AddIns::Count() const {
  return object_.get(u"Count").toLong();
}
word::AddIn AddIns::Item(const Variant& Index) const {
  return word::AddIn(object_.get(u"Item", Index));
}
std::u16string AddIn::Name() const {
  return object_.get(u"Name").toString();
}
void AddIn::Delete() const {
  object_.call(u"Delete");
}

// --- Windows, views, options

int32_t Windows::Count() const {
  return object_.get(u"Count").toLong();
}

word::Pane Window::ActivePane() const {
  return word::Pane(object_.get(u"ActivePane"));
}
word::View Window::View() const {
  return word::View(object_.get(u"View"));
}
float Window::StyleAreaWidth() const {
  return object_.get(u"StyleAreaWidth").toSingle();
}
void Window::PutStyleAreaWidth(float value) const {
  object_.put(u"StyleAreaWidth", value);
}
void Window::PutWindowState(int32_t value) const {
  object_.put(u"WindowState", value);
}
void Window::PutDisplayVerticalScrollBar(bool value) const {
  object_.put(u"DisplayVerticalScrollBar", boolean(value));
}
void Window::PutDisplayScreenTips(bool value) const {
  object_.put(u"DisplayScreenTips", boolean(value));
}
word::View Pane::View() const {
  return word::View(object_.get(u"View"));
}

WordBool View::ShowAll() const {
  return object_.get(u"ShowAll").toInteger();
}
void View::PutShowAll(bool value) const {
  object_.put(u"ShowAll", boolean(value));
}
WordBool View::ShowFieldCodes() const {
  return object_.get(u"ShowFieldCodes").toInteger();
}
void View::PutShowFieldCodes(bool value) const {
  object_.put(u"ShowFieldCodes", boolean(value));
}
word::Zoom View::Zoom() const {
  return word::Zoom(object_.get(u"Zoom"));
}
int32_t Zoom::Percentage() const {
  return object_.get(u"Percentage").toLong();
}

int32_t Options::MeasurementUnit() const {
  return object_.get(u"MeasurementUnit").toLong();
}
std::u16string Options::DefaultFilePath(int32_t Path) const {
  return object_.get(u"DefaultFilePath", Path).toString();
}
void Options::PutDefaultFilePath(int32_t Path, const std::u16string& value) const {
  object_.putWith(u"DefaultFilePath", {automation::Arg(Path)}, value);
}

// --- Office command bars

word::CommandBar CommandBars::Item(const Variant& Index) const {
  return word::CommandBar(object_.get(u"Item", Index));
}
WordBool CommandBars::DisplayTooltips() const {
  return object_.get(u"DisplayTooltips").toInteger();
}
void CommandBars::PutDisplayTooltips(bool value) const {
  object_.put(u"DisplayTooltips", boolean(value));
}
WordBool CommandBar::Enabled() const {
  return object_.get(u"Enabled").toInteger();
}
void CommandBar::PutEnabled(bool value) const {
  object_.put(u"Enabled", boolean(value));
}
WordBool CommandBar::Visible() const {
  return object_.get(u"Visible").toInteger();
}
void CommandBar::PutVisible(bool value) const {
  object_.put(u"Visible", boolean(value));
}
int32_t CommandBar::Position() const {
  return object_.get(u"Position").toLong();
}
void CommandBar::PutPosition(int32_t value) const {
  object_.put(u"Position", value);
}

}  // namespace r58046::word
