// What every automation object of one document shares: the content, the document's
// properties and file, and the Word that holds it. Objects keep the core alive after the
// document is closed and then fail as Word's objects of a closed document fail.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/variant.h"
#include "platform/platform.h"
#include "simword/file_format.h"
#include "simword/session.h"
#include "simword/text_model.h"

namespace r58046::simword {

class Document;
class DocumentHost;

struct DocCore {
  std::shared_ptr<WordSession> session;
  DocumentHost* host = nullptr;  // null once the document is closed
  Document* owner = nullptr;     // the Document object, while it lives
  std::unique_ptr<Content> content;
  DocumentProperties props;
  std::u16string name;    // "Bulletin.doc", "Document2"
  std::u16string folder;  // without a trailing separator; empty for a new document
  bool saved = true;
  bool closed = false;

  // The content to change (and, below, to read).
  // NOLINTNEXTLINE(readability-make-member-function-const)
  Content& c() { return *content; }
  const Content& c() const { return *content; }

  std::u16string fullName() const;
  // Fails with "Object has been deleted." once the document is closed.
  void requireOpen() const;
  // Also fails while the document is protected against editing (form protection and the
  // others; tracked revisions allow edits).
  void requireEditable() const;
  void changed() { saved = false; }
  DocumentHost& hostRef() const;
  automation::ObjectRef document() const;

  // The bounds of a span within the story (the whole story for none).
  std::pair<int32_t, int32_t> bounds(const SpanPtr& span) const;
  // The spans that grow with an edit made through the range [start, end): the range's own,
  // the envelope addresses and (unless `bookmarks` is false) the bookmarks that cover
  // exactly the same text.
  std::vector<SpanPtr> growing(const SpanPtr& range, bool bookmarks = true) const;
  // A style named or designated by a value (a name, a WdBuiltinStyle constant, an index, a
  // Style object); Word's error 5941 when there is none.
  StyleId styleFrom(const automation::Variant& value);
  int32_t measurementUnit() const;
};

// A document file named absolutely, or relative to the document's folder (Word's current
// folder for a new document); the letter case of the name need not match. Word's errors for
// a missing (5174) or damaged (5792) file.
ParsedDocument readDocumentFile(const DocCore& core, std::u16string_view fileName);

// Writes a file so that a failure never loses the file it replaces: the bytes go to a
// temporary file in the same folder, which then takes the file's name. Word's errors for a
// read-only file or one that cannot be written (5487) and for a missing folder (5152).
void writeFileSafely(platform::FileSystem& files, std::u16string_view fullName,
                     const std::string& bytes);
// A file's full name split into its folder (without the trailing separator) and its name.
std::pair<std::u16string, std::u16string> splitPath(std::u16string_view fullName);

// Word's error 4605 with the text Word gives for a protected document.
[[noreturn]] void raiseProtected();

// Lengths crossing automation: points in, twips kept; Word's 4608 outside its limits.
int32_t twipsFrom(float points, int32_t low, int32_t high);

}  // namespace r58046::simword
