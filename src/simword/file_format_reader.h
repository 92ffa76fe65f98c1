// Reading a document or template file of the simulated Word (file_format.h).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "simword/file_format.h"

namespace r58046::simword {

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

// Reads a file's bytes; FormatError when they break the format.
ParsedDocument parseDocument(std::string_view bytes);

}  // namespace r58046::simword
