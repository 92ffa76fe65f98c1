// The document of the simulated Word: its content (text, paragraphs, sections, bookmarks,
// formatting, tab stops, styles, form fields, envelope), its file, and the automation object
// `Document` with the objects reached from it (Range, Paragraphs, Bookmarks, Styles, ...).
//
// The application (Application, Documents, windows, options) holds its documents through
// this header and answers what a document needs from it through DocumentHost.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "automation/members.h"
#include "platform/platform.h"
#include "simword/session.h"

namespace r58046::simword {

class Document;

// WdSaveOptions: what Close and Quit do with unsaved changes.
inline constexpr int32_t kWdSaveChanges = -1;
inline constexpr int32_t kWdDoNotSaveChanges = 0;
inline constexpr int32_t kWdPromptToSaveChanges = -2;

// What a document needs from the Word that holds it; implemented by the application.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  // The Application object (Document.Application).
  virtual automation::ObjectRef application() = 0;
  // Document.Activate: the document becomes the active one.
  virtual void activate(Document& document) = 0;
  // The document was closed: the application drops it and its windows.
  virtual void closed(Document& document) = 0;
  // The document's name or path changed (SaveAs): window captions follow.
  virtual void renamed(Document& document) = 0;
  // The window object of the document (Document.ActiveWindow).
  virtual automation::ObjectRef windowOf(Document& document) = 0;
  // The file system the documents are read from and written to.
  virtual platform::FileSystem& files() = 0;
  // Word's user-templates folder (Options.DefaultFilePath(2)), without a trailing separator.
  virtual std::u16string userTemplatesFolder() = 0;

  // The folder, ending with the separator, where SaveAs puts a file name given without a
  // folder (Word's current folder); empty: the document's own folder.
  virtual std::u16string defaultFolder() { return {}; }
  // Options.MeasurementUnit: the unit of the lengths in Style.Description (1 centimetres).
  virtual int32_t measurementUnit() { return 1; }
  // The Template object for Document.AttachedTemplate, when the application keeps its own
  // (Templates collection); nullptr: the document answers with a Template object of its own.
  virtual automation::ObjectRef templateObject(std::u16string_view /*fullName*/) { return nullptr; }
  // Word asks the person whether to save the changes of a document being closed.
  virtual SaveAnswer askToSave(Document& /*document*/) { return SaveAnswer::No; }
};

// A document or template open in Word. Created by the application through the factory
// functions below; the automation members are declared in the member table.
class Document : public SimObject<Document> {
 public:
  struct Private;

  // Documents.Open: reads a file (Word's errors for a missing, damaged or foreign file).
  // A file with an open password needs it (Word's error 5408 otherwise).
  static std::shared_ptr<Document> open(std::shared_ptr<WordSession> session, DocumentHost& host,
                                        std::u16string_view fullName,
                                        std::optional<std::u16string_view> password = {});
  // Documents.Add: a new blank document, or a new document (or template) from a template
  // file; `name` is the name Word gives it ("Document2", "Template1").
  static std::shared_ptr<Document> create(std::shared_ptr<WordSession> session, DocumentHost& host,
                                          std::u16string_view name,
                                          std::optional<std::u16string_view> templatePath,
                                          bool asTemplate);

  Document(std::shared_ptr<WordSession> session, DocumentHost& host);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  Document(Document&&) = delete;
  Document& operator=(Document&&) = delete;
  ~Document() override;

  static const automation::MemberTable<Document>& members();

  // --- what the application reads and does directly (no automation call is counted)
  std::u16string name() const;
  std::u16string path() const;  // no trailing separator; empty for a new document
  std::u16string fullName() const;
  bool isTemplate() const;
  // The attached template's full name (Normal.dot of the user-templates folder by default).
  std::u16string attachedTemplateFullName() const;
  // The range object of [start, end) of the main text.
  automation::ObjectRef range(int32_t start, int32_t end);
  // Start and end of a bookmark, when it exists.
  std::optional<std::pair<int32_t, int32_t>> bookmark(std::u16string_view name) const;
  // Typing at a position (Selection.TypeText): inserts text, bookmarks follow as in Word.
  void typeText(int32_t position, std::u16string_view text);
  // Replacing [start, end) by text, as typing over a selection does.
  void replaceText(int32_t start, int32_t end, std::u16string_view text);
  // End of the main text (the position after the last paragraph mark).
  int32_t contentEnd() const;
  // Start of the paragraph that holds a position, and the position after its mark.
  std::pair<int32_t, int32_t> paragraphBounds(int32_t position) const;
  // Whether the document has no unsaved changes (Document.Saved).
  bool saved() const;
  bool hasPassword() const;
  // Document.Save: writes the file (a new document goes to the default folder under its
  // name); Word's errors when it cannot.
  void save();
  // Document.Close: a changed document is saved first when saveChanges is wdSaveChanges
  // (-1); with wdPromptToSaveChanges (-2) Word asks the person (DocumentHost::askToSave),
  // who may have it saved, not saved, or not closed (Cancel: Word's error 4198, and the
  // document stays open). Then the host is told (DocumentHost::closed). Every object of the
  // document fails with 5825 afterwards.
  void close(int32_t saveChanges);
  bool isClosed() const;

 private:
  // --- automation members
  automation::ObjectRef applicationObject() const;
  automation::ObjectRef activeWindow() const;
  automation::ObjectRef bookmarks() const;
  automation::ObjectRef sections() const;
  automation::ObjectRef paragraphs() const;
  automation::ObjectRef formFields() const;
  automation::ObjectRef styles() const;
  automation::ObjectRef envelope() const;
  automation::ObjectRef content() const;
  automation::ObjectRef rangeMember(std::optional<int32_t> start, std::optional<int32_t> end);
  void saveAs(std::optional<std::u16string> fileName, std::optional<int32_t> fileFormat,
              std::optional<automation::Variant> lockComments,
              std::optional<std::u16string> password,
              std::optional<automation::Variant> addToRecentFiles,
              std::optional<automation::Variant> writePassword,
              std::optional<automation::Variant> readOnlyRecommended);
  void closeMember(std::optional<int32_t> saveChanges,
                   std::optional<automation::Variant> originalFormat,
                   std::optional<automation::Variant> routeDocument);
  void activate();
  void protect(int32_t type, std::optional<automation::Variant> noReset,
               std::optional<std::u16string> password);
  void unprotect(std::optional<std::u16string> password);
  void setPassword(std::u16string password);
  void setSaved(bool saved);
  int32_t protectionType() const;
  bool updateStylesOnOpen() const;
  void setUpdateStylesOnOpen(bool update);
  automation::ObjectRef attachedTemplate() const;
  void setAttachedTemplate(automation::Variant value);
  bool showSpellingErrors() const;
  void setShowSpellingErrors(bool show);
  bool showGrammaticalErrors() const;
  void setShowGrammaticalErrors(bool show);
  int32_t type() const;
  void updateStyles();

  std::unique_ptr<Private> d_;
};

}  // namespace r58046::simword
