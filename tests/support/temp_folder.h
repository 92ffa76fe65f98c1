// Folders for the tests that work on real files: a temporary folder of the test's own, and
// the current folder moved for a while.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace r58046::testsupport {

// A new, empty folder under the system's temporary folder, with a name no other test program
// running at the same time can have; removed with everything in it when the object goes.
class TempFolder {
 public:
  explicit TempFolder(std::string_view prefix = "r58046-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `relative` under the folder (the folder itself when empty), as text.
  std::u16string text(std::string_view relative = {}) const;
  // The folder `relative` under this one, made with its parents, as the module writes a
  // folder: with a final separator (this folder itself when `relative` is empty).
  std::u16string folder(std::string_view relative = {}) const;

 private:
  std::filesystem::path path_;
};

// Moves the current folder for the life of the object.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder);
  explicit CurrentFolder(const std::u16string& folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path saved_;
};

}  // namespace r58046::testsupport
