#include "simword/templates.h"

#include "automation/error.h"
#include "automation/text.h"
#include "simword/application.h"

namespace r58046::simword {

using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

namespace {

// A global template, as opposed to a compiled add-in (.wll).
bool isTemplateFile(std::u16string_view path) {
  return path.size() >= 4 && automation::equalsNoCase(path.substr(path.size() - 4), u".dot");
}

}  // namespace

std::vector<std::u16string> Templates::loaded(Application& application) {
  std::vector<std::u16string> names;
  auto add = [&](const std::u16string& fullName) {
    if (fullName.empty()) {
      return;
    }
    for (const auto& n : names) {
      if (automation::equalsNoCase(n, fullName)) {
        return;
      }
    }
    names.push_back(fullName);
  };
  if (const auto* active = application.active()) {
    add(active->document->attachedTemplateFullName());
  }
  add(application.normalTemplateFullName());
  for (const auto& entry : application.openDocuments()) {
    add(entry.document->attachedTemplateFullName());
  }
  for (const auto& entry : application.openDocuments()) {
    if (entry.document->isTemplate()) {
      add(entry.document->fullName());
    }
  }
  for (const auto& addIn : application.addIns()) {
    if (addIn->installed && isTemplateFile(addIn->fullName)) {
      add(addIn->fullName);
    }
  }
  return names;
}

Templates::Templates(std::shared_ptr<Application> application)
    : SimObject(application->sessionPtr()), application_(std::move(application)) {}

const automation::MemberTable<Templates>& Templates::members() {
  static const auto table = automation::MemberTable<Templates>()
                                .get(u"Count", &Templates::count)
                                .get(u"Item", {u"Index"}, &Templates::item)
                                .asDefault();
  return table;
}

int32_t Templates::count() const {
  return static_cast<int32_t>(loaded(*application_).size());
}

ObjectRef Templates::item(const Variant& index) {
  if (index.isMissing()) {
    automation::raiseError(errors::kArgumentNotOptional);
  }
  auto names = loaded(*application_);
  if (index.isString()) {
    for (const auto& n : names) {
      if (automation::equalsNoCase(n, index.stringRef()) ||
          automation::equalsNoCase(fileNameOf(n), index.stringRef())) {
        return std::make_shared<TemplateFile>(session(), n);
      }
    }
  } else {
    int32_t i = index.toLong();
    if (i >= 1 && i <= static_cast<int32_t>(names.size())) {
      return std::make_shared<TemplateFile>(session(), names[i - 1]);
    }
  }
  raiseWordError(errors::kWordNoSuchMember);
}

TemplateFile::TemplateFile(std::shared_ptr<WordSession> session, std::u16string fullName)
    : SimObject(std::move(session)), fullName_(std::move(fullName)) {}

const automation::MemberTable<TemplateFile>& TemplateFile::members() {
  static const auto table = automation::MemberTable<TemplateFile>()
                                .get(u"FullName", &TemplateFile::fullName)
                                .get(u"Path", &TemplateFile::path)
                                .get(u"Name", &TemplateFile::name)
                                .asDefault();
  return table;
}

std::u16string TemplateFile::name() const {
  return fileNameOf(fullName_);
}

std::u16string TemplateFile::path() const {
  return folderOf(fullName_);
}

}  // namespace r58046::simword
