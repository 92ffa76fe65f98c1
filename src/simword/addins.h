// Application.AddIns: the global templates and add-ins Word lists, installed or not.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "simword/session.h"

namespace r58046::simword {

class Application;

struct AddInData {
  std::u16string fullName;
  bool installed = true;
  bool deleted = false;  // removed from the list
};

// Count, Item(index or name, without regard to case), Add(FileName, Install): the file must
// exist; a file listed already is answered with its entry (installed again when asked).
class AddIns : public SimObject<AddIns> {
 public:
  explicit AddIns(std::shared_ptr<Application> application);
  static const automation::MemberTable<AddIns>& members();

  int32_t count() const;
  automation::ObjectRef item(const automation::Variant& index);
  automation::ObjectRef add(const std::u16string& fileName, std::optional<bool> install);

 private:
  std::shared_ptr<Application> application_;
};

// Name, FullName, Path, Installed (r/w), Delete (removes it from the list, not the file).
class AddIn : public SimObject<AddIn> {
 public:
  AddIn(std::shared_ptr<Application> application, std::shared_ptr<AddInData> data);
  static const automation::MemberTable<AddIn>& members();
  const void* identity() const noexcept override { return data_.get(); }

  std::u16string name() const;
  std::u16string fullName() const;
  std::u16string path() const;
  bool installed() const;
  void setInstalled(bool value);
  void remove();

 private:
  const AddInData& data() const;  // Word's error once deleted
  std::shared_ptr<Application> application_;
  std::shared_ptr<AddInData> data_;
};

}  // namespace r58046::simword
