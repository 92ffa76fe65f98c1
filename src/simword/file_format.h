// The file format of the simulated Word's documents and templates: readable UTF-8 text
// that exercise authors write by hand, described in docs/simword-format.md. The first line
// names the format and its version; a file that does not start with it, or that breaks the
// format anywhere, is damaged or foreign.
#pragma once

#include <cstdint>
#include <memory>
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

// The first line of every file.
inline constexpr std::string_view kFormatHeader = "simword-document 1";

// The words of the format for Word's constants, each at the index of its constant ("" where
// a constant has none): colour indexes, tab alignments and leaders, paragraph alignments,
// section breaks, protection types and style types.
inline constexpr const char* kColorNames[] = {
    "auto",   "black",    "blue",        "turquoise", "bright-green", "pink",
    "red",    "yellow",   "white",       "dark-blue", "teal",         "green",
    "violet", "dark-red", "dark-yellow", "gray-50",   "gray-25"};
inline constexpr const char* kTabAlignments[] = {"left", "center", "right", "decimal",
                                                 "bar",  "",       "list"};
inline constexpr const char* kLeaders[] = {"none",  "dots",  "dashes",
                                           "lines", "heavy", "middle-dot"};
inline constexpr const char* kParagraphAlignments[] = {"left", "center", "right", "justify"};
inline constexpr const char* kSectionEnds[] = {
    "", "", "section-next-page", "section-continuous", "section-even-page", "section-odd-page"};
inline constexpr const char* kProtections[] = {"revisions", "comments", "forms", "read-only"};
inline constexpr const char* kStyleTypes[] = {"", "paragraph", "character", "table", "list"};

}  // namespace r58046::simword
