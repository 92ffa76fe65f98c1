// The file format of the simulated Word's documents and templates: readable UTF-8 text
// that exercise authors write by hand, described in docs/simword-format.md. The first line
// names the format and its version; a file that does not start with it, or that breaks the
// format anywhere, is damaged or foreign.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "simword/text_model.h"

namespace r58046::simword {

// WdProtectionType.
inline constexpr int32_t kNoProtection = -1;
inline constexpr int32_t kAllowOnlyRevisions = 0;
inline constexpr int32_t kAllowOnlyComments = 1;
inline constexpr int32_t kAllowOnlyFormFields = 2;
inline constexpr int32_t kAllowOnlyReading = 3;

// What a file holds besides the content.
struct DocumentProperties {
  bool isTemplate = false;
  std::u16string attachedTemplate;  // full name; empty: Word's normal template
  std::u16string password;          // the password to open it; empty: none
  int32_t protection = kNoProtection;
  std::u16string protectionPassword;
  bool updateStylesOnOpen = false;
  bool showSpellingErrors = true;
  bool showGrammaticalErrors = true;
};

struct ParsedDocument {
  DocumentProperties properties;
  std::unique_ptr<Content> content;
};

// Where and why a file breaks the format (for authors; Word itself only says the file is
// damaged).
class FormatError : public std::runtime_error {
 public:
  FormatError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// The first line of every file.
inline constexpr std::string_view kFormatHeader = "simword-document 1";

// Reads a file's bytes; FormatError when they break the format.
ParsedDocument parseDocument(std::string_view bytes);
// Writes a document in the canonical form of the format (reading it back gives the same
// document).
std::string writeDocument(const DocumentProperties& properties, const Content& content);

}  // namespace r58046::simword
