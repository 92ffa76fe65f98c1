// Application.Templates: the templates Word has loaded, and the Template objects it lists.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simword/session.h"

namespace r58046::simword {

class Application;

// The loaded templates, in this order: the template attached to the active document, the
// normal template, the templates attached to the other open documents (in the order of
// Documents), the open documents that are templates, then the installed add-ins that are
// templates; each file once (full names compared without regard to case). Item takes an
// index or a name (Name or FullName, without regard to case).
class Templates : public SimObject<Templates> {
 public:
  explicit Templates(std::shared_ptr<Application> application);
  static const automation::MemberTable<Templates>& members();

  // The full names of the loaded templates, in the collection's order.
  static std::vector<std::u16string> loaded(Application& application);

  int32_t count() const;
  automation::ObjectRef item(const automation::Variant& index);

 private:
  std::shared_ptr<Application> application_;
};

// A template file of the collection: FullName, Name, Path (no trailing separator).
class TemplateFile : public SimObject<TemplateFile> {
 public:
  TemplateFile(std::shared_ptr<WordSession> session, std::u16string fullName);
  static const automation::MemberTable<TemplateFile>& members();

  std::u16string fullName() const { return fullName_; }
  std::u16string name() const;
  std::u16string path() const;

 private:
  std::u16string fullName_;
};

}  // namespace r58046::simword
