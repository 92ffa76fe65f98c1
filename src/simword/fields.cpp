// Form fields: check boxes and text fields, each standing in the text as one character.
#include <algorithm>

#include "automation/error.h"
#include "automation/text.h"
#include "simword/objects.h"
#include "simword/range.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::MemberTable;

namespace {

std::shared_ptr<FormFieldData> liveField(const DocCore& core,
                                         const std::shared_ptr<FormFieldData>& field) {
  core.requireOpen();
  auto fields = core.c().formFields();
  if (std::find(fields.begin(), fields.end(), field) == fields.end()) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return field;
}

}  // namespace

// FormField.CheckBox: Word hands a CheckBox object out for any form field; for one that is
// not a check box, Valid is False and its Value fails.
class CheckBox : public SimObject<CheckBox> {
 public:
  CheckBox(std::shared_ptr<DocCore> core, std::shared_ptr<FormFieldData> field)
      : SimObject(core->session), core_(std::move(core)), field_(std::move(field)) {}

  static const MemberTable<CheckBox>& members() {
    static const auto table = MemberTable<CheckBox>()
                                  .prop(u"Value", &CheckBox::value, &CheckBox::setValue)
                                  .get(u"Valid", &CheckBox::valid);
    return table;
  }

  bool valid() const { return liveField(*core_, field_)->type == kFieldFormCheckBox; }

  bool value() const { return checkBox().checked; }

  // Ticking a box is what a form protected for filling in allows.
  void setValue(bool checked) {
    FormFieldData& f = checkBox();
    if (core_->props.protection != kNoProtection &&
        core_->props.protection != kAllowOnlyFormFields &&
        core_->props.protection != kAllowOnlyRevisions) {
      raiseProtected();
    }
    f.checked = checked;
    core_->changed();
  }

 private:
  FormFieldData& checkBox() const {
    auto f = liveField(*core_, field_);
    if (f->type != kFieldFormCheckBox) {
      raiseWordError(errors::kWordCommandNotAvailable,
                     u"This method or property is not available because this form field is "
                     u"not a check box.");
    }
    return *f;
  }

  std::shared_ptr<DocCore> core_;
  std::shared_ptr<FormFieldData> field_;
};

class FormField : public SimObject<FormField> {
 public:
  FormField(std::shared_ptr<DocCore> core, std::shared_ptr<FormFieldData> field)
      : SimObject(core->session), core_(std::move(core)), field_(std::move(field)) {}

  static const MemberTable<FormField>& members() {
    static const auto table = MemberTable<FormField>()
                                  .get(u"Type", &FormField::type)
                                  .prop(u"Name", &FormField::name, &FormField::setName)
                                  .get(u"CheckBox", &FormField::checkBox)
                                  .get(u"Range", &FormField::range)
                                  .method(u"Delete", &FormField::remove);
    return table;
  }

  int32_t type() const { return liveField(*core_, field_)->type; }
  std::u16string name() const { return liveField(*core_, field_)->name; }

  void setName(std::u16string name) {
    liveField(*core_, field_);
    core_->requireEditable();
    field_->name = std::move(name);
    core_->changed();
  }

  ObjectRef checkBox() const {
    liveField(*core_, field_);
    return std::make_shared<CheckBox>(core_, field_);
  }

  ObjectRef range() const {
    auto f = liveField(*core_, field_);
    return makeRange(core_, f->span->start, f->span->end);
  }

  void remove() {
    auto f = liveField(*core_, field_);
    core_->requireEditable();
    core_->c().replace(f->span->start, f->span->end, {});
    core_->changed();
  }

 private:
  std::shared_ptr<DocCore> core_;
  std::shared_ptr<FormFieldData> field_;
};

class FormFields : public SimObject<FormFields> {
 public:
  explicit FormFields(std::shared_ptr<DocCore> core)
      : SimObject(core->session), core_(std::move(core)) {}

  static const MemberTable<FormFields>& members() {
    static const auto table = MemberTable<FormFields>()
                                  .get(u"Count", &FormFields::count)
                                  .get(u"Item", {u"Index"}, &FormFields::item)
                                  .asDefault()
                                  .method(u"Add", {u"Range", u"Type"}, &FormFields::add);
    return table;
  }

  int32_t count() const {
    core_->requireOpen();
    return static_cast<int32_t>(core_->c().formFields().size());
  }

  ObjectRef item(Variant index) const {
    core_->requireOpen();
    auto fields = core_->c().formFields();
    if (index.isString()) {
      for (const auto& f : fields) {
        if (automation::equalsNoCase(f->name, index.stringRef())) {
          return std::make_shared<FormField>(core_, f);
        }
      }
      raiseWordError(errors::kWordNoSuchMember);
    }
    int32_t i = index.toLong();
    if (i < 1 || static_cast<size_t>(i) > fields.size()) {
      raiseWordError(errors::kWordNoSuchMember);
    }
    return std::make_shared<FormField>(core_, fields[static_cast<size_t>(i) - 1]);
  }

  ObjectRef add(ObjectRef range, int32_t type) {
    core_->requireEditable();
    if (type != kFieldFormCheckBox && type != kFieldFormTextInput && type != kFieldFormDropDown) {
      raiseWordError(errors::kWordValueOutOfRange);
    }
    auto* r = dynamic_cast<Range*>(range.get());
    if (r == nullptr) {
      raiseWordError(errors::kTypeMismatch);
    }
    auto [s, e] = r->bounds();
    auto field = core_->c().addFormField(s, e, type);
    core_->changed();
    return std::make_shared<FormField>(core_, field);
  }

 private:
  std::shared_ptr<DocCore> core_;
};

ObjectRef makeFormFields(const std::shared_ptr<DocCore>& core) {
  return std::make_shared<FormFields>(core);
}

}  // namespace r58046::simword::docobj
