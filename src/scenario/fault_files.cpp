// The file system the module sees during a run of the fault campaign.
#include <algorithm>
#include <system_error>

#include "automation/error.h"
#include "automation/text.h"
#include "scenario/fault_campaign.h"

namespace r58046::scenario::faults {

namespace fs = std::filesystem;

SandboxedFiles::SandboxedFiles(platform::FileSystem& inner, const fs::path& sandbox)
    : inner_(inner), sandbox_(normal(sandbox)) {}

fs::path SandboxedFiles::normal(const fs::path& path) {
  fs::path p = path;
  if (p.is_relative()) {
    std::error_code ec;
    p = fs::current_path(ec) / p;
  }
  p = p.lexically_normal();
  if (!p.has_filename() && p.has_relative_path()) {
    p = p.parent_path();  // a folder written with its trailing separator
  }
  return p;
}

bool SandboxedFiles::inside(const fs::path& path, const fs::path& folder) {
  fs::path p = normal(path);
  fs::path f = normal(folder);
  return std::mismatch(f.begin(), f.end(), p.begin(), p.end()).first == f.end();
}

bool SandboxedFiles::change(std::string_view what, std::u16string_view path) {
  fs::path p = normal(fs::path(automation::toUtf8(path)));
  bool allowed = std::any_of(allowed_.begin(), allowed_.end(),
                             [&](const fs::path& folder) { return inside(p, folder); });
  if (!allowed) {
    outside_.push_back(Change{std::string(what), p});
  }
  return inside(p, sandbox_);
}

namespace {

[[noreturn]] void refuse(std::u16string_view path) {
  automation::raiseError(
      automation::errors::kPathFileAccessError,
      u"Path/File access error (outside the run's folder): " + std::u16string(path));
}

}  // namespace

void SandboxedFiles::setAttributesNormal(std::u16string_view path) {
  if (!change("reset the attributes of", path)) {
    refuse(path);
  }
  inner_.setAttributesNormal(path);
}

void SandboxedFiles::setAttribute(std::u16string_view path, platform::FileAttribute attribute) {
  if (!change("set an attribute of", path)) {
    refuse(path);
  }
  inner_.setAttribute(path, attribute);
}

bool SandboxedFiles::hasAttribute(std::u16string_view path, platform::FileAttribute attribute) {
  return inner_.hasAttribute(path, attribute);
}

void SandboxedFiles::rename(std::u16string_view from, std::u16string_view to) {
  bool fromInside = change("rename", from);
  bool toInside = change("rename to", to);
  if (!fromInside || !toInside) {
    refuse(fromInside ? to : from);
  }
  inner_.rename(from, to);
}

void SandboxedFiles::deleteFile(std::u16string_view path) {
  if (!change("delete", path)) {
    refuse(path);
  }
  inner_.deleteFile(path);
}

void SandboxedFiles::deletePattern(std::u16string_view pattern) {
  if (!change("delete", pattern)) {
    refuse(pattern);
  }
  inner_.deletePattern(pattern);
}

void SandboxedFiles::removeFolder(std::u16string_view path) {
  if (!change("remove the folder", path)) {
    refuse(path);
  }
  inner_.removeFolder(path);
}

bool SandboxedFiles::exists(std::u16string_view path) {
  return inner_.exists(path);
}

bool SandboxedFiles::folderExists(std::u16string_view path) {
  return inner_.folderExists(path);
}

bool SandboxedFiles::dirFinds(std::u16string_view path) {
  return inner_.dirFinds(path);
}

platform::FileTime SandboxedFiles::modificationTime(std::u16string_view path) {
  return inner_.modificationTime(path);
}

bool SandboxedFiles::makeSureDirectoryPathExists(std::u16string_view path) {
  // What follows the last separator is a file name: the folder made is the one before it.
  std::u16string_view folder = path.substr(0, path.rfind(platform::kSeparator) + 1);
  if (folder.empty()) {
    folder = u".";
  }
  if (!change("make the folder", folder)) {
    return false;
  }
  return inner_.makeSureDirectoryPathExists(path);
}

}  // namespace r58046::scenario::faults
