#include "simword/addins.h"

#include <algorithm>

#include "automation/error.h"
#include "automation/text.h"
#include "simword/application.h"

namespace r58046::simword {

using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

AddIns::AddIns(std::shared_ptr<Application> application)
    : SimObject(application->sessionPtr()), application_(std::move(application)) {}

const automation::MemberTable<AddIns>& AddIns::members() {
  static const auto table = automation::MemberTable<AddIns>()
                                .get(u"Count", &AddIns::count)
                                .method(u"Add", {u"FileName", u"Install"}, &AddIns::add)
                                .get(u"Item", {u"Index"}, &AddIns::item)
                                .asDefault();
  return table;
}

int32_t AddIns::count() const {
  return static_cast<int32_t>(application_->addIns().size());
}

ObjectRef AddIns::item(const Variant& index) {
  if (index.isMissing()) {
    automation::raiseError(errors::kArgumentNotOptional);
  }
  auto& list = application_->addIns();
  if (index.isString()) {
    for (const auto& addIn : list) {
      if (automation::equalsNoCase(fileNameOf(addIn->fullName), index.stringRef()) ||
          automation::equalsNoCase(addIn->fullName, index.stringRef())) {
        return std::make_shared<AddIn>(application_, addIn);
      }
    }
  } else {
    int32_t i = index.toLong();
    if (i >= 1 && i <= count()) {
      return std::make_shared<AddIn>(application_, list[i - 1]);
    }
  }
  raiseWordError(errors::kWordNoSuchMember);
}

ObjectRef AddIns::add(const std::u16string& fileName, std::optional<bool> install) {
  std::u16string path = application_->resolvePath(fileName);
  auto& list = application_->addIns();
  for (const auto& addIn : list) {
    if (automation::equalsNoCase(addIn->fullName, path)) {
      if (install.value_or(true)) {
        addIn->installed = true;
      }
      return std::make_shared<AddIn>(application_, addIn);
    }
  }
  auto& files = application_->files();
  if (!files.exists(path) && !files.dirFinds(path)) {
    raiseWordError(errors::kWordFileNotFound);
  }
  auto addIn = std::make_shared<AddInData>();
  addIn->fullName = path;
  addIn->installed = install.value_or(true);
  list.push_back(addIn);
  return std::make_shared<AddIn>(application_, addIn);
}

AddIn::AddIn(std::shared_ptr<Application> application, std::shared_ptr<AddInData> data)
    : SimObject(application->sessionPtr()),
      application_(std::move(application)),
      data_(std::move(data)) {}

const automation::MemberTable<AddIn>& AddIn::members() {
  static const auto table = automation::MemberTable<AddIn>()
                                .get(u"FullName", &AddIn::fullName)
                                .get(u"Path", &AddIn::path)
                                .prop(u"Installed", &AddIn::installed, &AddIn::setInstalled)
                                .method(u"Delete", &AddIn::remove)
                                .get(u"Name", &AddIn::name)
                                .asDefault();
  return table;
}

const AddInData& AddIn::data() const {
  if (data_->deleted) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return *data_;
}

std::u16string AddIn::name() const {
  return fileNameOf(data().fullName);
}
std::u16string AddIn::fullName() const {
  return data().fullName;
}
std::u16string AddIn::path() const {
  return folderOf(data().fullName);
}
bool AddIn::installed() const {
  return data().installed;
}

void AddIn::setInstalled(bool value) {
  data();
  data_->installed = value;
}

void AddIn::remove() {
  data();
  data_->deleted = true;
  std::erase(application_->addIns(), data_);
}

}  // namespace r58046::simword
