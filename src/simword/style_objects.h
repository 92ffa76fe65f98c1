// The Styles collection of a document and its Style objects.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "automation/members.h"
#include "simword/doc_core.h"

namespace r58046::simword::docobj {

using automation::ObjectRef;
using automation::Variant;

class Style : public SimObject<Style> {
 public:
  Style(std::shared_ptr<DocCore> core, StyleId id);
  static const automation::MemberTable<Style>& members();

  // The style this object stands for (Word's 5825 once it is deleted).
  const StyleDef& def() const;
  const std::shared_ptr<DocCore>& core() const { return core_; }

  std::u16string nameLocal() const;
  void setNameLocal(std::u16string name);
  int32_t type() const;
  bool builtIn() const;
  bool inUse() const;
  std::u16string baseStyle() const;
  void setBaseStyle(Variant style);
  std::u16string nextParagraphStyle() const;
  void setNextParagraphStyle(Variant style);
  ObjectRef font() const;
  ObjectRef paragraphFormat() const;
  std::u16string description() const;
  void remove();

 private:
  StyleDef& editable();

  std::shared_ptr<DocCore> core_;
  StyleId id_;
};

class Styles : public SimObject<Styles> {
 public:
  explicit Styles(std::shared_ptr<DocCore> core);
  static const automation::MemberTable<Styles>& members();

  int32_t count() const;
  ObjectRef item(Variant index) const;
  ObjectRef add(std::u16string name, std::optional<int32_t> type);

 private:
  std::shared_ptr<DocCore> core_;
};

}  // namespace r58046::simword::docobj
