#include "core/lists.h"

namespace r58046::module {

using automation::MemberTable;

const MemberTable<FichierRecord>& FichierRecord::members() {
  static const auto table = MemberTable<FichierRecord>()
                                .get(u"NomSource", &FichierRecord::nomSource)
                                .get(u"NomDest", &FichierRecord::nomDest)
                                .get(u"Modele", &FichierRecord::modele);
  return table;
}

const MemberTable<FichiersDeTravail>& FichiersDeTravail::members() {
  static const auto table =
      MemberTable<FichiersDeTravail>()
          .method(u"add", {u"siNomSource", u"siNomDest", u"biModele"}, &FichiersDeTravail::add)
          .get(u"count", &FichiersDeTravail::count)
          .get(u"Item", {u"noItem"}, &FichiersDeTravail::itemRecord)
          .asDefault();
  return table;
}

void FichiersDeTravail::add(std::u16string siNomSource, std::u16string siNomDest, bool biModele) {
  ++count_;
  // Positions 0 to count: the first add allocates 0..1, later ones grow keeping entries.
  entries_.resize(static_cast<size_t>(count_) + 1);
  entries_[count_] = Fichier{std::move(siNomSource), std::move(siNomDest), biModele};
}

int32_t FichiersDeTravail::count() const {
  return count_;
}

Fichier FichiersDeTravail::Item(int32_t noItem) const {
  if (noItem < 0 || static_cast<size_t>(noItem) >= entries_.size()) {
    automation::raiseError(automation::errors::kSubscriptOutOfRange);
  }
  return entries_[noItem];
}

std::shared_ptr<FichierRecord> FichiersDeTravail::itemRecord(int32_t noItem) const {
  return std::make_shared<FichierRecord>(Item(noItem));
}

const MemberTable<ComplementInfo>& ComplementInfo::members() {
  static const auto table = MemberTable<ComplementInfo>()
                                .method(u"add", {u"soChaine", u"noItem"}, &ComplementInfo::add)
                                .get(u"count", &ComplementInfo::count)
                                .get(u"item", {u"noItem"}, &ComplementInfo::item);
  return table;
}

void ComplementInfo::add(std::u16string soChaine, int32_t /*noItem*/) {
  ++count_;
  entries_.resize(static_cast<size_t>(count_) + 1);
  entries_[count_] = std::move(soChaine);
}

int32_t ComplementInfo::count() {
  return count_;
}

std::u16string ComplementInfo::item(int32_t noItem) {
  if (noItem < 0 || static_cast<size_t>(noItem) >= entries_.size()) {
    automation::raiseError(automation::errors::kSubscriptOutOfRange);
  }
  return entries_[noItem];
}

}  // namespace r58046::module
