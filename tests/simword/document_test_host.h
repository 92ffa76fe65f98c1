// A Word for the document tests: a DocumentHost that records what the documents tell it,
// over a temporary folder of its own.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "automation/text.h"
#include "platform/platform.h"
#include "simword/document.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace r58046::simword::testing {

// Only what a document asks of the file system: whether a file is read-only.
class ReadOnlyMarks : public platform::FileSystem {
 public:
  std::set<std::u16string> readOnly;

  void setAttributesNormal(std::u16string_view path) override {
    readOnly.erase(std::u16string(path));
  }
  void setAttribute(std::u16string_view path, platform::FileAttribute a) override {
    if (a == platform::FileAttribute::ReadOnly) {
      readOnly.insert(std::u16string(path));
    }
  }
  bool hasAttribute(std::u16string_view path, platform::FileAttribute a) override {
    return a == platform::FileAttribute::ReadOnly && readOnly.count(std::u16string(path)) != 0;
  }
  void rename(std::u16string_view, std::u16string_view) override {}
  void deleteFile(std::u16string_view) override {}
  void deletePattern(std::u16string_view) override {}
  void removeFolder(std::u16string_view) override {}
  bool exists(std::u16string_view) override { return false; }
  bool folderExists(std::u16string_view) override { return false; }
  bool dirFinds(std::u16string_view) override { return false; }
  platform::FileTime modificationTime(std::u16string_view) override { return {}; }
  bool makeSureDirectoryPathExists(std::u16string_view) override { return false; }
};

class TestHost : public DocumentHost {
 public:
  TestHost() {
    std::filesystem::create_directories(root / "docs");
    std::filesystem::create_directories(root / "templates");
  }

  automation::ObjectRef application() override { return nullptr; }
  void activate(Document& d) override { activated.push_back(d.name()); }
  void closed(Document& d) override { closedNames.push_back(d.name()); }
  void renamed(Document& d) override { renamedNames.push_back(d.fullName()); }
  automation::ObjectRef windowOf(Document&) override { return nullptr; }
  platform::FileSystem& files() override { return marks; }
  std::u16string userTemplatesFolder() override { return path("templates"); }
  std::u16string defaultFolder() override { return path("docs") + platform::kSeparator; }

  // A path under the temporary folder.
  std::u16string path(const std::string& relative) const {
    return automation::fromUtf8((root / relative).string());
  }
  void write(const std::string& relative, const std::string& bytes) const {
    std::ofstream(root / relative, std::ios::binary) << bytes;
  }
  std::string read(const std::string& relative) const {
    std::ifstream in(root / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  testsupport::TempFolder temp{"simdoc-test"};
  std::filesystem::path root = temp.path();
  ReadOnlyMarks marks;
  std::vector<std::u16string> activated;
  std::vector<std::u16string> closedNames;
  std::vector<std::u16string> renamedNames;
};

// A value of automation that chains as VB code reads: doc.get(u"Content").get(u"Text").
class Auto {
 public:
  Auto(automation::Variant v) : v_(std::move(v)) {}  // NOLINT(google-explicit-constructor)
  template <class T>
  requires std::is_base_of_v<automation::Dispatch, T> Auto(
      std::shared_ptr<T> object)  // NOLINT(google-explicit-constructor)
      : v_(automation::ObjectRef(std::move(object))) {}

  template <class... A>
  Auto get(std::u16string_view name, A&&... args) const {
    return Auto(automation::Object(v_).get(name, std::forward<A>(args)...));
  }
  template <class... A>
  Auto call(std::u16string_view name, A&&... args) const {
    return Auto(automation::Object(v_).call(name, std::forward<A>(args)...));
  }
  void put(std::u16string_view name, automation::Variant value) const {
    automation::Object(v_).put(name, std::move(value));
  }

  operator const automation::Variant&() const { return v_; }  // NOLINT
  const automation::Variant& value() const { return v_; }
  std::u16string toString() const { return v_.toString(); }
  int32_t toLong() const { return v_.toLong(); }
  float toSingle() const { return v_.toSingle(); }
  bool toBool() const { return v_.toBool(); }

 private:
  automation::Variant v_;
};

using testsupport::errorOf;

}  // namespace r58046::simword::testing
