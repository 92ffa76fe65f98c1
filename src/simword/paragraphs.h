// The paragraphs of text (Paragraphs) and one paragraph (Paragraph); both have the
// properties of ParagraphFormat as well.
#pragma once

#include <cstdint>
#include <memory>

#include "automation/members.h"
#include "simword/doc_core.h"
#include "simword/paragraph_format.h"

namespace r58046::simword::docobj {

using automation::ObjectRef;
using automation::Variant;

class Paragraphs : public SimObject<Paragraphs> {
 public:
  Paragraphs(std::shared_ptr<DocCore> core, SpanPtr span);
  static const automation::MemberTable<Paragraphs>& members();

  int32_t count() const;
  ObjectRef item(int32_t index) const;
  ObjectRef first() const;
  ObjectRef last() const;
  ObjectRef style() const;
  void setStyle(Variant style);
  ObjectRef format() const;

  // The formatting properties, as ParagraphFormat's.
  ParagraphFormat& fmt() { return fmt_; }

 private:
  std::shared_ptr<DocCore> core_;
  SpanPtr span_;
  ParagraphFormat fmt_;
};

class Paragraph : public SimObject<Paragraph> {
 public:
  Paragraph(std::shared_ptr<DocCore> core, SpanPtr span);
  static const automation::MemberTable<Paragraph>& members();

  ObjectRef range() const;
  ObjectRef style() const;
  void setStyle(Variant style);
  ObjectRef format() const;
  ParagraphFormat& fmt() { return fmt_; }

 private:
  std::shared_ptr<DocCore> core_;
  SpanPtr span_;
  ParagraphFormat fmt_;
};

}  // namespace r58046::simword::docobj
