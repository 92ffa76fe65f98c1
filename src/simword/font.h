// The Font object: the character formatting of text or of a style.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "automation/members.h"
#include "simword/format_target.h"

namespace r58046::simword::docobj {

class Font : public SimObject<Font> {
 public:
  explicit Font(Target target);
  static const automation::MemberTable<Font>& members();

  std::u16string name() const;
  void setName(std::u16string name);
  float size() const;
  void setSize(float size);
  int32_t colorIndex() const;
  void setColorIndex(int32_t index);
  float spacing() const;
  void setSpacing(float spacing);
  int32_t bold() const;
  void setBold(int32_t bold);
  int32_t italic() const;
  void setItalic(int32_t italic);

 private:
  void change(const CharFormat& change);
  template <class F>
  auto uniform(F get) const -> std::optional<decltype(get(ResolvedChar{}))>;

  Target t_;
};

}  // namespace r58046::simword::docobj
