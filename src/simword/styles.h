// The styles of a document: Word's built-in styles and the user's, each with its base style,
// its next-paragraph style and the formatting it sets; the formatting in effect through the
// chain of base styles; and Word's description of a style (Style.Description).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "simword/formatting.h"

namespace r58046::simword {

// WdStyleType.
inline constexpr int32_t kStyleTypeParagraph = 1;
inline constexpr int32_t kStyleTypeCharacter = 2;
inline constexpr int32_t kStyleTypeTable = 3;
inline constexpr int32_t kStyleTypeList = 4;

// WdBuiltinStyle constants of the built-in styles the simulated Word knows.
inline constexpr int32_t kStyleNormal = -1;
inline constexpr int32_t kStyleHeading1 = -2;
inline constexpr int32_t kStyleHeading2 = -3;
inline constexpr int32_t kStyleHeading3 = -4;
inline constexpr int32_t kStyleEnvelopeAddress = -37;
inline constexpr int32_t kStyleEnvelopeReturn = -38;
inline constexpr int32_t kStyleDefaultParagraphFont = -66;
inline constexpr int32_t kStyleNormalTable = -106;
inline constexpr int32_t kStyleNoList = -107;

// A style's identity within its document; never reused, 0 is none.
using StyleId = int32_t;

struct StyleDef {
  StyleId id = 0;
  std::u16string name;
  int32_t type = kStyleTypeParagraph;
  int32_t builtin = 0;  // its WdBuiltinStyle constant; 0 for a user style
  StyleId base = 0;     // 0: based on no style
  StyleId next = 0;     // 0: the style itself
  ParaFormat para;
  CharFormat chars;
};

class StyleSheet {
 public:
  // Word's built-in styles of a new document: Normal, Heading 1 to 3, Default Paragraph
  // Font, Table Normal and No List.
  StyleSheet();

  size_t count() const { return styles_.size(); }
  // By position in the Styles collection (0-based).
  const StyleDef& at(size_t index) const { return *styles_[index]; }
  StyleDef& at(size_t index) { return *styles_[index]; }
  // Looked up by name without regard to letter case; the envelope styles, which Word keeps
  // latent until used, come into being when asked for. nullptr when there is none.
  StyleDef* find(std::u16string_view name);
  const StyleDef* find(std::u16string_view name) const;
  StyleDef* byBuiltin(int32_t constant);
  StyleDef* byId(StyleId id);
  const StyleDef* byId(StyleId id) const;
  int32_t indexOf(StyleId id) const;  // 0-based, -1 when gone
  StyleId normal() const { return normal_; }

  // Styles.Add: a new style based on Normal (a paragraph style) or on Default Paragraph Font
  // (a character style). Word's error 5173 when the name is taken or empty.
  StyleDef& add(std::u16string_view name, int32_t type);
  // Style.Delete: styles based on it are based on its base instead and keep the formatting
  // they had; those that named it as next style take themselves. Built-in styles cannot be
  // deleted (Word's "command failed"). The caller moves the text that carried it.
  void remove(StyleId id);

  // Whether basing `style` on `base` would make a style its own ancestor.
  bool wouldCycle(StyleId style, StyleId base) const;

  // The formatting in effect for a style, through its base styles.
  ResolvedPara resolvePara(StyleId id) const;
  ResolvedChar resolveChar(StyleId id) const;
  // A character style's own formatting laid over its base character styles.
  CharFormat characterLayers(StyleId id) const;

  // Word's summary of what sets a style apart from its base style ("Normal + Font: Arial,
  // 12 pt, Blue, Indent: Left: 9 cm"); lengths in the given measurement unit.
  std::u16string description(StyleId id, int32_t measurementUnit) const;

  // The style named like `from`'s style `id` here, made a copy of it when missing (its base
  // and next styles come along). Used when text moves between documents.
  StyleId import(const StyleSheet& from, StyleId id);
  // Makes every style of `from` defined here as it is there (Document.UpdateStyles).
  void copyDefinitionsFrom(const StyleSheet& from);

 private:
  StyleDef& create(std::u16string name, int32_t type, int32_t builtin);
  std::vector<StyleId> chain(StyleId id) const;  // root first, cycle-safe

  std::vector<std::unique_ptr<StyleDef>> styles_;
  StyleId nextId_ = 1;
  StyleId normal_ = 0;
};

// A length as Word writes it in descriptions, in the measurement unit (0 inches,
// 1 centimetres, 2 millimetres, 3 points, 4 picas): "9 cm", "0.75\"".
std::u16string formatLength(int32_t twips, int32_t measurementUnit);

}  // namespace r58046::simword
