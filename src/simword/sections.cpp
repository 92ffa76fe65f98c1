// Sections of a document.
#include <algorithm>

#include "automation/error.h"
#include "simword/objects.h"
#include "simword/range.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::MemberTable;

// A section: the paragraphs up to and including one that ends with a section break (or the
// last paragraph). The object follows the section where its start was.
class Section : public SimObject<Section> {
 public:
  Section(std::shared_ptr<DocCore> core, SpanPtr start)
      : SimObject(core->session), core_(std::move(core)), start_(std::move(start)) {}

  static const MemberTable<Section>& members() {
    static const auto table =
        MemberTable<Section>().get(u"Range", &Section::range).get(u"Index", &Section::index);
    return table;
  }

  ObjectRef range() const {
    const Content& c = core_->c();
    auto [first, last] = c.sectionParagraphs(static_cast<size_t>(index() - 1));
    return makeRange(core_, c.paragraphStart(first), c.paragraph(last).end);
  }

  int32_t index() const {
    core_->requireOpen();
    const Content& c = core_->c();
    size_t para = c.paragraphAt(std::clamp(start_->start, 0, c.end()));
    for (size_t s = 0; s < c.sectionCount(); ++s) {
      if (c.sectionParagraphs(s).second >= para) {
        return static_cast<int32_t>(s + 1);
      }
    }
    return static_cast<int32_t>(c.sectionCount());
  }

 private:
  std::shared_ptr<DocCore> core_;
  SpanPtr start_;
};

class Sections : public SimObject<Sections> {
 public:
  Sections(std::shared_ptr<DocCore> core, SpanPtr span)
      : SimObject(core->session), core_(std::move(core)), span_(std::move(span)) {}

  static const MemberTable<Sections>& members() {
    static const auto table = MemberTable<Sections>()
                                  .get(u"Count", &Sections::count)
                                  .get(u"Item", {u"Index"}, &Sections::item)
                                  .asDefault()
                                  .get(u"First", &Sections::first)
                                  .get(u"Last", &Sections::last);
    return table;
  }

  int32_t count() const {
    auto [first, last] = sections();
    return static_cast<int32_t>(last - first + 1);
  }

  ObjectRef item(int32_t index) const {
    auto [first, last] = sections();
    if (index < 1 || static_cast<size_t>(index) > last - first + 1) {
      raiseWordError(errors::kWordNoSuchMember);
    }
    Content& c = core_->c();
    size_t s = first + static_cast<size_t>(index) - 1;
    int32_t at = c.paragraphStart(c.sectionParagraphs(s).first);
    return std::make_shared<Section>(core_, c.track(at, at));
  }

  ObjectRef first() const { return item(1); }
  ObjectRef last() const { return item(count()); }

 private:
  // The sections the span touches (all of them for the document's collection).
  std::pair<size_t, size_t> sections() const {
    core_->requireOpen();
    const Content& c = core_->c();
    size_t n = c.sectionCount();
    if (!span_) {
      return {0, n - 1};
    }
    auto [s, e] = core_->bounds(span_);
    auto [p1, p2] = c.paragraphsIn(s, e);
    size_t first = 0;
    size_t last = n - 1;
    for (size_t i = 0; i < n; ++i) {
      auto [a, b] = c.sectionParagraphs(i);
      if (a <= p1 && p1 <= b) {
        first = i;
      }
      if (a <= p2 && p2 <= b) {
        last = i;
      }
    }
    return {first, std::max(first, last)};
  }

  std::shared_ptr<DocCore> core_;
  SpanPtr span_;
};

ObjectRef makeSections(const std::shared_ptr<DocCore>& core, SpanPtr span) {
  return std::make_shared<Sections>(core, std::move(span));
}

}  // namespace r58046::simword::docobj
