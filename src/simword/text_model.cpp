#include "simword/text_model.h"

#include <algorithm>

#include "automation/text.h"

namespace r58046::simword {

namespace {

bool isLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
         (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

bool isParagraphEnd(char16_t c) {
  return c == kParagraphMark;
}

}  // namespace

bool validBookmarkName(std::u16string_view name) {
  if (name.empty() || name.size() > 40) {
    return false;
  }
  if (!isLetter(name[0]) && name[0] != u'_') {
    return false;
  }
  return std::all_of(name.begin(), name.end(), [](char16_t c) {
    return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'_';
  });
}

Content::Content() : text_(1, kParagraphMark), fmt_(1, 0), formats_(1) {
  paras_.push_back(Paragraph{1, styles_.normal(), {}, 0});
}

std::u16string_view Content::slice(int32_t start, int32_t end) const {
  start = std::clamp(start, 0, this->end());
  end = std::clamp(end, start, this->end());
  return std::u16string_view(text_).substr(static_cast<size_t>(start),
                                           static_cast<size_t>(end - start));
}

size_t Content::paragraphAt(int32_t pos) const {
  auto it = std::upper_bound(paras_.begin(), paras_.end(), pos,
                             [](int32_t p, const Paragraph& para) { return p < para.end; });
  if (it == paras_.end()) {
    return paras_.size() - 1;
  }
  return static_cast<size_t>(it - paras_.begin());
}

std::pair<size_t, size_t> Content::paragraphsIn(int32_t start, int32_t end) const {
  size_t first = paragraphAt(start);
  size_t last = end > start ? paragraphAt(end - 1) : first;
  return {first, std::max(first, last)};
}

ResolvedPara Content::paraFormat(size_t i) const {
  ResolvedPara out = styles_.resolvePara(paras_[i].style);
  out.apply(paras_[i].direct);
  return out;
}

void Content::setParagraphFormat(size_t i, const ResolvedPara& wanted) {
  ResolvedPara style = styles_.resolvePara(paras_[i].style);
  ParaFormat& d = paras_[i].direct;
  auto set = [](std::optional<int32_t>& own, int32_t want, int32_t fromStyle) {
    if (own || want != fromStyle) {
      own = want;
    }
  };
  set(d.leftIndent, wanted.leftIndent, style.leftIndent);
  set(d.firstLineIndent, wanted.firstLineIndent, style.firstLineIndent);
  set(d.rightIndent, wanted.rightIndent, style.rightIndent);
  set(d.spaceBefore, wanted.spaceBefore, style.spaceBefore);
  set(d.spaceAfter, wanted.spaceAfter, style.spaceAfter);
  set(d.alignment, wanted.alignment, style.alignment);
  d.tabs = TabChanges::between(style.tabs, wanted.tabs);
  ++version_;
}

void Content::applyParagraphStyle(size_t i, StyleId style) {
  paras_[i].style = style;
  paras_[i].direct = ParaFormat{};
  ++version_;
}

size_t Content::sectionCount() const {
  if (sectionsVersion_ != version_) {
    sectionEnds_.clear();
    for (size_t i = 0; i + 1 < paras_.size(); ++i) {
      if (paras_[i].sectionBreak != 0) {
        sectionEnds_.push_back(i);
      }
    }
    sectionEnds_.push_back(paras_.size() - 1);
    sectionsVersion_ = version_;
  }
  return sectionEnds_.size();
}

std::pair<size_t, size_t> Content::sectionParagraphs(size_t s) const {
  size_t count = sectionCount();
  s = std::min(s, count - 1);
  size_t first = s == 0 ? 0 : sectionEnds_[s - 1] + 1;
  return {first, sectionEnds_[s]};
}

ResolvedChar Content::charFormat(int32_t pos) const {
  pos = std::clamp(pos, 0, end() - 1);
  ResolvedChar out = styles_.resolveChar(paras_[paragraphAt(pos)].style);
  out.apply(directChar(pos));
  return out;
}

uint32_t Content::intern(const CharFormat& format) {
  for (size_t i = 0; i < formats_.size(); ++i) {
    if (formats_[i] == format) {
      return static_cast<uint32_t>(i);
    }
  }
  formats_.push_back(format);
  return static_cast<uint32_t>(formats_.size() - 1);
}

void Content::formatChars(int32_t start, int32_t end, const CharFormat& change) {
  start = std::clamp(start, 0, this->end());
  end = std::clamp(end, start, this->end());
  uint32_t lastFrom = ~0u;
  uint32_t lastTo = 0;
  for (int32_t pos = start; pos < end; ++pos) {
    uint32_t from = fmt_[pos];
    if (from != lastFrom) {
      CharFormat f = formats_[from];
      f.merge(change);
      lastFrom = from;
      lastTo = intern(f);
    }
    fmt_[pos] = lastTo;
  }
  ++version_;
}

SpanPtr Content::track(int32_t start, int32_t end) {
  auto span = std::make_shared<Span>(Span{start, end});
  track(span);
  return span;
}

void Content::track(const SpanPtr& span) {
  if (tracked_.size() >= pruneAt_) {
    tracked_.erase(std::remove_if(tracked_.begin(), tracked_.end(),
                                  [](const std::weak_ptr<Span>& w) { return w.expired(); }),
                   tracked_.end());
    pruneAt_ = std::max<size_t>(64, tracked_.size() * 2);
  }
  tracked_.push_back(span);
}

SpanPtr Content::trackBookmark(int32_t start, int32_t end) {
  SpanPtr span = track(start, end);
  span->bookmark = true;
  return span;
}

void Content::dropDeletedBookmarks(int32_t a, int32_t b) {
  if (b <= a) {
    return;
  }
  std::erase_if(bookmarks_, [&](const BookmarkData& bm) {
    const Span& s = *bm.span;
    bool whole = a <= s.start && s.end <= b;
    return whole && (s.start < s.end || (a < s.start && s.start < b));
  });
}

void Content::adjustSpans(int32_t a, int32_t b, int32_t n, const std::vector<SpanPtr>& growing) {
  int32_t removed = b - a;
  auto afterDelete = [&](int32_t x) { return x <= a ? x : (x >= b ? x - removed : a); };
  // A bookmark's edges: what stood after the replaced text follows the new text; what stood
  // at its place (or inside it) stays in front of the new text.
  auto afterReplace = [&](int32_t x) { return x <= a ? x : (x >= b ? x - removed + n : a); };
  for (auto& weak : tracked_) {
    SpanPtr s = weak.lock();
    if (!s) {
      continue;
    }
    if (std::find(growing.begin(), growing.end(), s) != growing.end()) {
      int32_t start = std::min(afterDelete(s->start), a);
      int32_t end = s->end >= b ? s->end - removed + n : a + n;
      s->start = start;
      s->end = std::max(start, end);
      continue;
    }
    if (s->bookmark) {
      s->start = afterReplace(s->start);
      s->end = std::max(s->start, afterReplace(s->end));
      continue;
    }
    if (removed > 0 && s->start <= a && b <= s->end) {
      // The replaced text lay inside the span: the new text does too.
      s->end = s->end - removed + n;
      continue;
    }
    int32_t start = afterDelete(s->start);
    int32_t end = afterDelete(s->end);
    bool collapsed = start == end;
    if (start >= a) {
      start += n;
    }
    if (end > a || (collapsed && end == a)) {
      end += n;
    }
    s->start = start;
    s->end = end;
  }
}

void Content::replace(int32_t start, int32_t end, std::u16string_view text,
                      const std::vector<SpanPtr>& growing,
                      const std::vector<ParagraphSpec>* paragraphs,
                      const std::vector<CharFormat>* chars) {
  // The final paragraph mark stays: nothing is deleted from it and nothing comes after it.
  int32_t last = this->end() - 1;
  int32_t a = std::clamp(start, 0, last);
  int32_t b = std::clamp(end, a, last);
  auto n = static_cast<int32_t>(text.size());

  // Delete [a, b): the paragraphs whose marks go join the next paragraph.
  if (b > a) {
    auto first = std::upper_bound(paras_.begin(), paras_.end(), a,
                                  [](int32_t p, const Paragraph& para) { return p < para.end; });
    auto stop = std::upper_bound(paras_.begin(), paras_.end(), b,
                                 [](int32_t p, const Paragraph& para) { return p < para.end; });
    auto from = paras_.erase(first, stop);
    for (auto it = from; it != paras_.end(); ++it) {
      it->end -= b - a;
    }
    text_.erase(static_cast<size_t>(a), static_cast<size_t>(b - a));
    fmt_.erase(fmt_.begin() + a, fmt_.begin() + b);
  }

  if (n > 0) {
    size_t k = paragraphAt(a);
    // New text looks like the text it follows (at a paragraph's start: the text it precedes).
    uint32_t inherited = fmt_[a];
    if (a > paragraphStart(k)) {
      inherited = fmt_[a - 1];
    }
    std::vector<uint32_t> ids(static_cast<size_t>(n), inherited);
    if (chars != nullptr) {
      for (size_t i = 0; i < ids.size() && i < chars->size(); ++i) {
        ids[i] = intern((*chars)[i]);
      }
    }
    text_.insert(static_cast<size_t>(a), text);
    fmt_.insert(fmt_.begin() + a, ids.begin(), ids.end());
    for (size_t i = k; i < paras_.size(); ++i) {
      paras_[i].end += n;
    }
    std::vector<Paragraph> made;
    size_t layout = 0;
    for (int32_t i = 0; i < n; ++i) {
      char16_t c = text[static_cast<size_t>(i)];
      bool sectionEnd = paragraphs != nullptr && c == kPageBreak && layout < paragraphs->size() &&
                        (*paragraphs)[layout].offset == i &&
                        (*paragraphs)[layout].sectionBreak != 0;
      if (!isParagraphEnd(c) && !sectionEnd) {
        continue;
      }
      Paragraph p{a + i + 1, paras_[k].style, paras_[k].direct, 0};
      if (paragraphs != nullptr && layout < paragraphs->size()) {
        const ParagraphSpec& s = (*paragraphs)[layout];
        p.style = styles_.byId(s.style) != nullptr ? s.style : styles_.normal();
        p.direct = s.direct;
        p.sectionBreak = sectionEnd ? s.sectionBreak : 0;
      }
      ++layout;
      made.push_back(std::move(p));
    }
    paras_.insert(paras_.begin() + static_cast<std::ptrdiff_t>(k), made.begin(), made.end());
  }

  dropDeletedBookmarks(a, b);
  adjustSpans(a, b, n, growing);
  dropEmptyFields();
  ++version_;
}

void Content::insertContent(int32_t start, int32_t end, const Content& from,
                            std::optional<std::pair<int32_t, int32_t>> part,
                            const std::vector<SpanPtr>& growing) {
  int32_t s = 0;
  int32_t e = from.end();
  if (part) {
    s = std::clamp(part->first, 0, from.end());
    e = std::clamp(part->second, s, from.end());
  }
  std::u16string text(from.slice(s, e));
  std::vector<ParagraphSpec> specs;
  std::vector<CharFormat> chars;
  chars.reserve(text.size());
  for (int32_t pos = s; pos < e; ++pos) {
    CharFormat format = from.directChar(pos);
    if (format.charStyle.value_or(0) != 0) {
      format.charStyle = from.styles().byId(*format.charStyle) != nullptr
                             ? styles_.import(from.styles(), *format.charStyle)
                             : 0;
    }
    chars.push_back(std::move(format));
    char16_t c = from.text()[static_cast<size_t>(pos)];
    size_t k = from.paragraphAt(pos);
    const Paragraph& p = from.paragraph(k);
    bool endsParagraph = pos == p.end - 1;
    auto offset = static_cast<int32_t>(pos - s);
    if (endsParagraph && (c == kParagraphMark || p.sectionBreak != 0)) {
      specs.push_back(ParagraphSpec{styles_.import(from.styles(), p.style), p.direct,
                                    c == kPageBreak ? p.sectionBreak : 0, offset});
    } else if (c == kParagraphMark) {
      specs.push_back(ParagraphSpec{styles_.normal(), {}, 0, offset});
    }
  }
  int32_t last = this->end() - 1;
  int32_t at = std::clamp(start, 0, last);
  replace(start, end, text, growing, &specs, &chars);
  for (const auto& b : from.bookmarks()) {
    if (b.span->start >= s && b.span->end <= e && bookmark(b.name) == nullptr) {
      bookmarks_.push_back(
          BookmarkData{b.name, trackBookmark(at + b.span->start - s, at + b.span->end - s)});
    }
  }
  for (const auto& f : from.formFields()) {
    if (f->span->start >= s && f->span->end <= e) {
      auto field = std::make_shared<FormFieldData>(*f);
      field->span = track(at + f->span->start - s, at + f->span->end - s);
      fields_.push_back(field);
    }
  }
}

const BookmarkData* Content::bookmark(std::u16string_view name) const {
  for (const auto& b : bookmarks_) {
    if (automation::equalsNoCase(b.name, name)) {
      return &b;
    }
  }
  return nullptr;
}

const BookmarkData& Content::setBookmark(std::u16string_view name, int32_t start, int32_t end) {
  start = std::clamp(start, 0, this->end());
  end = std::clamp(end, start, this->end());
  for (auto& b : bookmarks_) {
    if (automation::equalsNoCase(b.name, name)) {
      b.span->start = start;
      b.span->end = end;
      ++version_;
      return b;
    }
  }
  bookmarks_.push_back(BookmarkData{std::u16string(name), trackBookmark(start, end)});
  ++version_;
  return bookmarks_.back();
}

void Content::removeBookmark(std::u16string_view name) {
  bookmarks_.erase(
      std::remove_if(bookmarks_.begin(), bookmarks_.end(),
                     [&](const BookmarkData& b) { return automation::equalsNoCase(b.name, name); }),
      bookmarks_.end());
  ++version_;
}

std::vector<SpanPtr> Content::bookmarksCovering(int32_t start, int32_t end) const {
  std::vector<SpanPtr> out;
  for (const auto& b : bookmarks_) {
    if (b.span->start == start && b.span->end == end) {
      out.push_back(b.span);
    }
  }
  return out;
}

std::vector<std::shared_ptr<FormFieldData>> Content::formFields() const {
  auto out = fields_;
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& x, const auto& y) { return x->span->start < y->span->start; });
  return out;
}

std::shared_ptr<FormFieldData> Content::addFormField(int32_t start, int32_t end, int32_t type,
                                                     const std::vector<SpanPtr>& growing) {
  int32_t last = this->end() - 1;
  int32_t at = std::clamp(start, 0, last);
  replace(start, end, std::u16string(1, kFieldMark), growing);
  auto field = std::make_shared<FormFieldData>();
  field->type = type;
  std::u16string stem = type == kFieldFormCheckBox   ? u"Check"
                        : type == kFieldFormDropDown ? u"Dropdown"
                                                     : u"Text";
  for (int number = 1;; ++number) {
    std::u16string name = stem + automation::fromUtf8(std::to_string(number));
    bool taken = std::any_of(fields_.begin(), fields_.end(), [&](const auto& f) {
      return automation::equalsNoCase(f->name, name);
    });
    if (!taken) {
      field->name = name;
      break;
    }
  }
  field->span = track(at, at + 1);
  fields_.push_back(field);
  return field;
}

void Content::dropEmptyFields() {
  fields_.erase(std::remove_if(fields_.begin(), fields_.end(),
                               [](const auto& f) { return f->span->end <= f->span->start; }),
                fields_.end());
}

void Content::styleRemoved(StyleId id) {
  for (auto& p : paras_) {
    if (p.style == id) {
      p.style = styles_.normal();
    }
  }
  for (auto& f : formats_) {
    if (f.charStyle == id) {
      f.charStyle = 0;
    }
  }
  ++version_;
}

ContentBuilder::ContentBuilder(Content& content) : c_(content) {
  c_.text_.clear();
  c_.fmt_.clear();
  c_.paras_.clear();
  c_.bookmarks_.clear();
  c_.fields_.clear();
  c_.envelope_ = EnvelopeData{};
  ++c_.version_;
}

void ContentBuilder::appendText(std::u16string_view text, const CharFormat& format) {
  uint32_t id = c_.intern(format);
  c_.text_.append(text);
  c_.fmt_.insert(c_.fmt_.end(), text.size(), id);
}

void ContentBuilder::appendField(int32_t type, std::u16string name, bool checked,
                                 const CharFormat& format) {
  int32_t at = position();
  appendText(std::u16string(1, kFieldMark), format);
  auto field = std::make_shared<FormFieldData>();
  field->type = type;
  field->name = std::move(name);
  field->checked = checked;
  field->span = c_.track(at, at + 1);
  c_.fields_.push_back(field);
}

void ContentBuilder::endParagraph(StyleId style, ParaFormat direct, int32_t sectionBreak,
                                  const CharFormat& format) {
  appendText(std::u16string(1, sectionBreak != 0 ? kPageBreak : kParagraphMark), format);
  c_.paras_.push_back(Paragraph{position(), style, std::move(direct), sectionBreak});
}

bool ContentBuilder::finish() {
  int32_t lastEnd = c_.paras_.empty() ? 0 : c_.paras_.back().end;
  if (position() > lastEnd || c_.paras_.empty()) {
    endParagraph(c_.styles_.normal(), {}, 0, CharFormat{});
  }
  ++c_.version_;
  return c_.paras_.back().sectionBreak == 0;
}

}  // namespace r58046::simword
