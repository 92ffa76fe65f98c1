// A scenario file read into lines: the commands of SCENARIOS.md with their arguments,
// checked for syntax before anything runs.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "scenario/statement.h"
#include "simword/session.h"

namespace r58046::scenario {

enum class Command { Word, Try, Init, Check, Close, Quit, Desktop, Fault, File, Expect };

enum class DesktopEvent {
  Dialog,
  DialogInDialog,
  Balloon,
  Minimize,
  Hide,
  CloseWord,
  EmbeddedEdit,
  SavePrompt  // arranges the person's answer to Word's question whether to save
};

enum class ExpectKind {
  Reading,      // CauseErreur, ErreurGenerale, BravoNuance, Complement.count, Complement(i)
  Word,         // word EXPRESSION = VALUE
  Ok,           // ok
  Error,        // error [NUMBER]
  ErrorSource,  // error source "TEXT"
  File,         // file PATH exists|absent
  Folder,       // folder PATH exists|absent
  WordRunning,  // word-running | no-word-running
};

// What `check` reads from the module.
enum class Reading { ErreurGenerale, CauseErreur, BravoNuance, ComplementCount, ComplementItem };

struct Expectation {
  ExpectKind kind = ExpectKind::Ok;
  Reading reading = Reading::CauseErreur;
  int32_t item = 0;       // ComplementItem: the 1-based position
  Comparison comparison;  // Reading (right side only), Word
  std::optional<int32_t> errorNumber;
  std::u16string text;   // ErrorSource: the text; File, Folder: the path
  bool positive = true;  // exists / word-running (true), absent / no-word-running
};

struct Line {
  int number = 0;       // in the file, from 1
  std::u16string text;  // after the $ names were replaced
  Command command = Command::Word;
  Statement statement;   // Word, Try
  int32_t question = 0;  // Init
  bool hostWord = false;
  DesktopEvent event = DesktopEvent::Dialog;                 // Desktop
  std::u16string caption;                                    // Desktop dialog
  simword::SaveAnswer saveAnswer = simword::SaveAnswer::No;  // Desktop save-prompt
  std::u16string member;                                     // Fault
  int32_t occurrence = 1;
  int32_t error = 4198;
  std::u16string path;  // File
  platform::FileAttribute attribute = platform::FileAttribute::Normal;
  Expectation expect;  // Expect
};

struct Script {
  std::vector<Line> lines;
  std::u16string description;  // the first comment line, without its "#"
};

// A line that could not be parsed; line and column (1-based) are the file's.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, int column, const std::string& message)
      : std::runtime_error(message), line_(line), column_(column) {}
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

// The $ names of a world ("WORK" -> its folder, ...), replaced textually in each line.
using Substitutions = std::map<std::u16string, std::u16string>;

// Replaces every $NAME of `names` in `line`. columns[i] is the 1-based column in the
// original line of the character i of the result (one entry more, for its end).
std::u16string substitute(std::u16string_view line, const Substitutions& names,
                          std::vector<int>* columns = nullptr);

// Parses a whole file (UTF-8 text); ScriptError at the first line that cannot be parsed.
Script parseScript(std::string_view text, const Substitutions& names);

// A whole number as scenarios write them: decimal with a sign, or &H hexadecimal.
std::optional<int32_t> parseWholeNumber(std::u16string_view text);

}  // namespace r58046::scenario
