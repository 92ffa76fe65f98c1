#include "simword/file_format_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "automation/text.h"

namespace r58046::simword {

using automation::toUtf8;

namespace {

std::string quote(std::u16string_view text) {
  std::string out = "\"";
  for (char c : toUtf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
    }
    out += c;
  }
  return out + "\"";
}

std::string points(int32_t twips) {
  std::string out = twips < 0 ? "-" : "";
  int64_t t = std::abs(static_cast<int64_t>(twips));
  out += std::to_string(t / 20);
  int64_t hundredths = (t % 20) * 5;
  if (hundredths != 0) {
    out += '.';
    out += static_cast<char>('0' + hundredths / 10);
    if (hundredths % 10 != 0) {
      out += static_cast<char>('0' + hundredths % 10);
    }
  }
  return out + "pt";
}

std::string halfPoints(int32_t hp) {
  return std::to_string(hp / 2) + (hp % 2 != 0 ? ".5" : "");
}

std::string tabText(const TabStop& t) {
  std::string out = points(t.position);
  if (t.alignment != kAlignTabLeft || t.leader != kTabLeaderSpaces) {
    out += '/';
    out += validTabAlignment(t.alignment) ? kTabAlignments[t.alignment] : "left";
  }
  if (t.leader != kTabLeaderSpaces) {
    out += '/';
    out += validTabLeader(t.leader) ? kLeaders[t.leader] : "none";
  }
  return out;
}

void writePara(std::string& out, const ParaFormat& f) {
  auto len = [&](const char* key, const std::optional<int32_t>& v) {
    if (v) {
      out += std::string(" ") + key + "=" + points(*v);
    }
  };
  len("left-indent", f.leftIndent);
  len("first-line-indent", f.firstLineIndent);
  len("right-indent", f.rightIndent);
  len("space-before", f.spaceBefore);
  len("space-after", f.spaceAfter);
  if (f.alignment && validParagraphAlignment(*f.alignment)) {
    out += std::string(" alignment=") + kParagraphAlignments[*f.alignment];
  }
  for (const auto& t : f.tabs.set) {
    out += " tab=" + tabText(t);
  }
  for (int32_t p : f.tabs.cleared) {
    out += " no-tab=" + points(p);
  }
}

void writeChar(std::string& out, const CharFormat& f) {
  if (f.fontName) {
    out += " font=" + quote(*f.fontName);
  }
  if (f.halfPoints) {
    out += " size=" + halfPoints(*f.halfPoints);
  }
  if (f.colorIndex && validColorIndex(*f.colorIndex)) {
    out += std::string(" color=") + kColorNames[*f.colorIndex];
  }
  if (f.spacing) {
    out += " spacing=" + points(*f.spacing);
  }
  if (f.bold) {
    out += std::string(" bold=") + (*f.bold ? "yes" : "no");
  }
  if (f.italic) {
    out += std::string(" italic=") + (*f.italic ? "yes" : "no");
  }
}

// What a built-in style sets in a new document, which a file need not repeat; where the
// document's style no longer sets it, the file sets what the style now inherits.
void fillBuiltinGaps(StyleDef& def, const StyleSheet& sheet) {
  static const StyleSheet fresh;
  const StyleDef* original = nullptr;
  for (size_t i = 0; i < fresh.count(); ++i) {
    if (fresh.at(i).builtin == def.builtin) {
      original = &fresh.at(i);
    }
  }
  if (original == nullptr) {
    return;
  }
  ResolvedPara p = sheet.resolvePara(def.id);
  ResolvedChar c = sheet.resolveChar(def.id);
  auto gap = [](auto& own, const auto& originally, const auto& now) {
    if (!own && originally) {
      own = now;
    }
  };
  gap(def.para.leftIndent, original->para.leftIndent, p.leftIndent);
  gap(def.para.firstLineIndent, original->para.firstLineIndent, p.firstLineIndent);
  gap(def.para.rightIndent, original->para.rightIndent, p.rightIndent);
  gap(def.para.spaceBefore, original->para.spaceBefore, p.spaceBefore);
  gap(def.para.spaceAfter, original->para.spaceAfter, p.spaceAfter);
  gap(def.para.alignment, original->para.alignment, p.alignment);
  gap(def.chars.fontName, original->chars.fontName, c.fontName);
  gap(def.chars.halfPoints, original->chars.halfPoints, c.halfPoints);
  gap(def.chars.colorIndex, original->chars.colorIndex, c.colorIndex);
  gap(def.chars.spacing, original->chars.spacing, c.spacing);
  gap(def.chars.bold, original->chars.bold, c.bold);
  gap(def.chars.italic, original->chars.italic, c.italic);
}

void writeStyle(std::string& out, const StyleSheet& sheet, const StyleDef& s) {
  StyleDef def = s;
  if (def.builtin != 0) {
    fillBuiltinGaps(def, sheet);
  }
  out += "style " + quote(def.name);
  if (def.type != kStyleTypeParagraph) {
    out += std::string(" type=") + kStyleTypes[def.type];
  }
  const StyleDef* base = def.base != 0 ? sheet.byId(def.base) : nullptr;
  if (base != nullptr) {
    out += " base=" + quote(base->name);
  } else if (def.builtin != kStyleNormal) {
    out += " base=none";
  }
  if (const StyleDef* next = def.next != 0 ? sheet.byId(def.next) : nullptr) {
    out += " next=" + quote(next->name);
  }
  writeChar(out, def.chars);
  writePara(out, def.para);
  out += '\n';
}

class Writer {
 public:
  Writer(const DocumentProperties& props, const Content& content) : p_(props), c_(content) {}

  std::string write() {
    out_ = std::string(kFormatHeader) + "\n";
    out_ += std::string("kind ") + (p_.isTemplate ? "template" : "document") + "\n";
    if (!p_.attachedTemplate.empty()) {
      out_ += "attached-template " + quote(p_.attachedTemplate) + "\n";
    }
    if (!p_.password.empty()) {
      out_ += "password " + quote(p_.password) + "\n";
    }
    if (p_.protection >= kAllowOnlyRevisions && p_.protection <= kAllowOnlyReading) {
      out_ += std::string("protection ") + kProtections[p_.protection];
      if (!p_.protectionPassword.empty()) {
        out_ += " password=" + quote(p_.protectionPassword);
      }
      out_ += "\n";
    }
    if (p_.updateStylesOnOpen) {
      out_ += "update-styles-on-open yes\n";
    }
    if (!p_.showSpellingErrors) {
      out_ += "spelling-errors hidden\n";
    }
    if (!p_.showGrammaticalErrors) {
      out_ += "grammar-errors hidden\n";
    }
    const EnvelopeData& env = c_.envelope();
    if (env.present) {
      out_ += std::string("envelope face-up=") + (env.defaultFaceUp ? "yes" : "no") + "\n";
    }
    for (size_t i = 0; i < c_.styles().count(); ++i) {
      writeStyle(out_, c_.styles(), c_.styles().at(i));
    }
    collectMarks();
    for (size_t i = 0; i < c_.paragraphCount(); ++i) {
      paragraph(i);
    }
    std::string tail = marksAt(c_.end());
    if (!tail.empty()) {
      out_ += "tail " + tail + "\n";
    }
    out_ += "end\n";
    return out_;
  }

 private:
  void collectMarks() {
    auto add = [&](int32_t start, int32_t end, const std::string& open, const std::string& close) {
      if (start == end) {
        collapsed_[start] += open + close;
      } else {
        opens_[start] += open;
        closes_[end] += close;
      }
    };
    // In the order of their names, whatever order they were made in.
    std::vector<const BookmarkData*> bookmarks;
    for (const auto& b : c_.bookmarks()) {
      bookmarks.push_back(&b);
    }
    std::sort(bookmarks.begin(), bookmarks.end(),
              [](const BookmarkData* x, const BookmarkData* y) { return x->name < y->name; });
    for (const BookmarkData* bookmark : bookmarks) {
      const BookmarkData& b = *bookmark;
      std::string n = toUtf8(b.name);
      add(b.span->start, b.span->end, "{bookmark " + n + "}", "{/bookmark " + n + "}");
    }
    const EnvelopeData& env = c_.envelope();
    if (env.present && env.address) {
      add(env.address->start, env.address->end, "{address}", "{/address}");
    }
    if (env.present && env.returnAddress &&
        (env.returnAddress->end > env.returnAddress->start ||
         env.returnAddress->start != (env.address ? env.address->start : -1))) {
      add(env.returnAddress->start, env.returnAddress->end, "{return-address}",
          "{/return-address}");
    }
    for (const auto& f : c_.formFields()) {
      fields_[f->span->start] = f;
    }
  }

  std::string marksAt(int32_t pos) {
    std::string out;
    if (auto it = closes_.find(pos); it != closes_.end()) {
      out += it->second;
    }
    if (auto it = opens_.find(pos); it != opens_.end()) {
      out += it->second;
    }
    if (auto it = collapsed_.find(pos); it != collapsed_.end()) {
      out += it->second;
    }
    return out;
  }

  // Closes the run of direct formatting in force and opens the one of `format`.
  std::string fontChange(const CharFormat& format) {
    std::string out;
    if (format == openFont_) {
      return out;
    }
    if (!openFont_.empty()) {
      out += "{/font}";
    }
    if (!format.empty()) {
      out += "{font";
      if (format.charStyle) {
        const StyleDef* s = c_.styles().byId(*format.charStyle);
        out += " style=" + quote(s != nullptr && s->type == kStyleTypeCharacter
                                     ? s->name
                                     : std::u16string(u"Default Paragraph Font"));
      }
      writeChar(out, format);
      out += "}";
    }
    openFont_ = format;
    return out;
  }

  void paragraph(size_t i) {
    const Paragraph& p = c_.paragraph(i);
    out_ += "paragraph";
    if (const StyleDef* s = c_.styles().byId(p.style);
        s != nullptr && s->id != c_.styles().normal()) {
      out_ += " style=" + quote(s->name);
    }
    writePara(out_, p.direct);
    if (p.sectionBreak >= kSectionBreakNextPage && p.sectionBreak <= kSectionBreakOddPage) {
      out_ += std::string(" end=") + kSectionEnds[p.sectionBreak];
    }
    out_ += "\n";
    std::string line;
    int32_t start = c_.paragraphStart(i);
    for (int32_t pos = start; pos < p.end; ++pos) {
      line += marksAt(pos);
      line += fontChange(c_.directChar(pos));
      if (pos == p.end - 1) {
        break;  // the paragraph's end is the next paragraph line
      }
      char16_t c = c_.text()[static_cast<size_t>(pos)];
      if (auto f = fields_.find(pos); f != fields_.end() && c == kFieldMark) {
        const FormFieldData& field = *f->second;
        line += field.type == kFieldFormCheckBox   ? "{checkbox"
                : field.type == kFieldFormDropDown ? "{dropdown"
                                                   : "{textfield";
        if (field.checked && field.type == kFieldFormCheckBox) {
          line += " checked";
        }
        line += " name=" + quote(field.name) + "}";
      } else {
        line += character(c, pos);
      }
    }
    if (!line.empty()) {
      out_ += "text " + line + "\n";
    }
  }

  std::string character(char16_t c, int32_t pos) {
    switch (c) {
      case u'{':
        return "{{";
      case kTab:
        return "{tab}";
      case kLineBreak:
        return "{line}";
      case kPageBreak:
        return "{page}";
      case kColumnBreak:
        return "{column}";
      case 0xA0:
        return "{nbsp}";
      default:
        break;
    }
    bool lead = c >= 0xD800 && c <= 0xDBFF;
    bool trail = c >= 0xDC00 && c <= 0xDFFF;
    const std::u16string& t = c_.text();
    auto at = static_cast<size_t>(pos);
    if (trail && pairOpen_) {
      pairOpen_ = false;  // written with its first half
      return {};
    }
    // A pair is written as one character only when nothing (a mark, other formatting) comes
    // between its halves.
    auto next = static_cast<int32_t>(at + 1);
    if (lead && at + 1 < t.size() && t[at + 1] >= 0xDC00 && t[at + 1] <= 0xDFFF &&
        c_.directChar(next) == c_.directChar(pos) && marksAt(next).empty()) {
      pairOpen_ = true;
      return toUtf8(t.substr(at, 2));
    }
    if (c < 0x20 || lead || trail) {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "{U+%04X}", static_cast<unsigned>(c));
      return buffer;
    }
    return toUtf8(std::u16string_view(&c, 1));
  }

  const DocumentProperties& p_;
  const Content& c_;
  std::string out_;
  std::map<int32_t, std::string> opens_;
  std::map<int32_t, std::string> closes_;
  std::map<int32_t, std::string> collapsed_;
  std::map<int32_t, std::shared_ptr<FormFieldData>> fields_;
  CharFormat openFont_;
  bool pairOpen_ = false;
};

}  // namespace

std::string writeDocument(const DocumentProperties& properties, const Content& content) {
  return Writer(properties, content).write();
}

}  // namespace r58046::simword
