// Writing a document or template file of the simulated Word (file_format.h).
#pragma once

#include <string>

#include "simword/file_format.h"

namespace r58046::simword {

// Writes a document in the canonical form of the format (reading it back gives the same
// document).
std::string writeDocument(const DocumentProperties& properties, const Content& content);

}  // namespace r58046::simword
