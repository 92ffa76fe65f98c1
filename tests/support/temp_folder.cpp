#include "support/temp_folder.h"

#include <stdlib.h>  // mkdtemp

#include <cerrno>
#include <system_error>

#include "automation/text.h"

namespace r58046::testsupport {

namespace fs = std::filesystem;

TempFolder::TempFolder(std::string_view prefix) {
  std::string pattern = (fs::temp_directory_path() / prefix).string() + "-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::u16string TempFolder::text(std::string_view relative) const {
  return automation::fromUtf8((relative.empty() ? path_ : path_ / relative).string());
}

std::u16string TempFolder::folder(std::string_view relative) const {
  if (!relative.empty()) {
    fs::create_directories(path_ / relative);
  }
  return text(relative) + static_cast<char16_t>(fs::path::preferred_separator);
}

CurrentFolder::CurrentFolder(const fs::path& folder) : saved_(fs::current_path()) {
  fs::current_path(folder);
}

CurrentFolder::CurrentFolder(const std::u16string& folder)
    : CurrentFolder(fs::path(automation::toUtf8(folder))) {}

CurrentFolder::~CurrentFolder() {
  std::error_code ignored;
  fs::current_path(saved_, ignored);
}

}  // namespace r58046::testsupport
