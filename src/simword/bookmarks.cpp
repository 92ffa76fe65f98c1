// Bookmarks of a document.
#include <algorithm>

#include "automation/error.h"
#include "automation/text.h"
#include "simword/objects.h"
#include "simword/range.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::MemberTable;

namespace {

// Where a Range (or any object with Start and End, such as the Selection) stands.
std::pair<int32_t, int32_t> placeOf(DocCore& core, const Variant& value) {
  automation::ObjectRef ref = value.toObject();
  if (!ref) {
    raiseWordError(errors::kObjectVariableNotSet);
  }
  if (auto* range = dynamic_cast<Range*>(ref.get())) {
    return range->bounds();
  }
  WordSession::InternalCalls internal(*core.session);
  automation::Object o(ref);
  return {o.get(u"Start").toLong(), o.get(u"End").toLong()};
}

}  // namespace

class Bookmark : public SimObject<Bookmark> {
 public:
  Bookmark(std::shared_ptr<DocCore> core, std::u16string name)
      : SimObject(core->session), core_(std::move(core)), name_(std::move(name)) {}

  static const MemberTable<Bookmark>& members() {
    static const auto table = MemberTable<Bookmark>()
                                  .get(u"Name", &Bookmark::name)
                                  .asDefault()
                                  .prop(u"Start", &Bookmark::start, &Bookmark::setStart)
                                  .prop(u"End", &Bookmark::end, &Bookmark::setEnd)
                                  .get(u"Range", &Bookmark::range)
                                  .get(u"Empty", &Bookmark::empty)
                                  .method(u"Delete", &Bookmark::remove);
    return table;
  }

  std::u16string name() const { return data().name; }
  int32_t start() const { return data().span->start; }
  int32_t end() const { return data().span->end; }
  bool empty() const { return data().span->start == data().span->end; }

  void setStart(int32_t start) {
    const BookmarkData& b = data();
    if (start < 0 || start > core_->c().end()) {
      raiseWordError(errors::kWordValueOutOfRange);
    }
    b.span->start = start;
    b.span->end = std::max(b.span->end, start);
    core_->changed();
  }

  void setEnd(int32_t end) {
    const BookmarkData& b = data();
    if (end < 0 || end > core_->c().end()) {
      raiseWordError(errors::kWordValueOutOfRange);
    }
    b.span->end = end;
    b.span->start = std::min(b.span->start, end);
    core_->changed();
  }

  ObjectRef range() const {
    const BookmarkData& b = data();
    return makeRange(core_, b.span->start, b.span->end);
  }

  void remove() {
    data();
    core_->requireEditable();
    core_->c().removeBookmark(name_);
    core_->changed();
  }

 private:
  const BookmarkData& data() const {
    core_->requireOpen();
    const BookmarkData* b = core_->c().bookmark(name_);
    if (b == nullptr) {
      raiseWordError(wderrors::kObjectDeleted);
    }
    return *b;
  }

  std::shared_ptr<DocCore> core_;
  std::u16string name_;
};

// The bookmarks a user sees: Word keeps its own, hidden ones (names starting with "_") out
// of the count and the numbering; the others are numbered in the order of their names.
class Bookmarks : public SimObject<Bookmarks> {
 public:
  explicit Bookmarks(std::shared_ptr<DocCore> core)
      : SimObject(core->session), core_(std::move(core)) {}

  static const MemberTable<Bookmarks>& members() {
    static const auto table = MemberTable<Bookmarks>()
                                  .get(u"Count", &Bookmarks::count)
                                  .get(u"Item", {u"Index"}, &Bookmarks::item)
                                  .asDefault()
                                  .method(u"Exists", {u"Name"}, &Bookmarks::exists)
                                  .method(u"Add", {u"Name", u"Range"}, &Bookmarks::add);
    return table;
  }

  int32_t count() const { return static_cast<int32_t>(visible().size()); }

  ObjectRef item(Variant index) const {
    core_->requireOpen();
    if (index.isString()) {
      const BookmarkData* b = core_->c().bookmark(index.stringRef());
      if (b == nullptr) {
        raiseWordError(errors::kWordNoSuchMember);
      }
      return std::make_shared<Bookmark>(core_, b->name);
    }
    std::vector<std::u16string> names = visible();
    int32_t i = index.toLong();
    if (i < 1 || static_cast<size_t>(i) > names.size()) {
      raiseWordError(errors::kWordNoSuchMember);
    }
    return std::make_shared<Bookmark>(core_, names[static_cast<size_t>(i) - 1]);
  }

  bool exists(std::u16string name) const {
    core_->requireOpen();
    return core_->c().bookmark(name) != nullptr;
  }

  ObjectRef add(std::u16string name, std::optional<Variant> range) {
    core_->requireEditable();
    if (!validBookmarkName(name) || name[0] == u'_') {
      raiseWordError(wderrors::kBadBookmarkName);
    }
    if (!range) {
      raiseWordError(errors::kArgumentNotOptional);
    }
    auto [s, e] = placeOf(*core_, *range);
    const BookmarkData& b = core_->c().setBookmark(name, s, e);
    core_->changed();
    return std::make_shared<Bookmark>(core_, b.name);
  }

 private:
  std::vector<std::u16string> visible() const {
    core_->requireOpen();
    std::vector<std::pair<std::u16string, std::u16string>> keyed;
    for (const auto& b : core_->c().bookmarks()) {
      if (!b.name.empty() && b.name[0] != u'_') {
        keyed.emplace_back(automation::lower(b.name), b.name);
      }
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::u16string> names;
    names.reserve(keyed.size());
    for (auto& k : keyed) {
      names.push_back(std::move(k.second));
    }
    return names;
  }

  std::shared_ptr<DocCore> core_;
};

ObjectRef makeBookmarks(const std::shared_ptr<DocCore>& core) {
  return std::make_shared<Bookmarks>(core);
}

}  // namespace r58046::simword::docobj
