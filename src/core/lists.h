// The two list classes: a question's working files, and the complementary strings the host
// reads after an evaluation. Entries live at positions 1 to count; position 0 is the empty
// entry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/members.h"
#include "external/host.h"

namespace r58046::module {

// One working file: master copy, working name, and whether it is a template.
struct Fichier {
  std::u16string NomSource;
  std::u16string NomDest;
  bool Modele = false;
};

// A Fichier as an automation record: what Item hands out late-bound (a copy).
class FichierRecord : public automation::Automatable<FichierRecord> {
 public:
  explicit FichierRecord(Fichier value) : value_(std::move(value)) {}
  static const automation::MemberTable<FichierRecord>& members();
  const Fichier& value() const { return value_; }

 private:
  std::u16string nomSource() const { return value_.NomSource; }
  std::u16string nomDest() const { return value_.NomDest; }
  bool modele() const { return value_.Modele; }
  Fichier value_;
};

class FichiersDeTravail : public automation::Automatable<FichiersDeTravail> {
 public:
  static const automation::MemberTable<FichiersDeTravail>& members();

  void add(std::u16string siNomSource, std::u16string siNomDest, bool biModele);
  int32_t count() const;
  // A copy of the entry; error 9 outside 0..count.
  Fichier Item(int32_t noItem) const;

 private:
  std::shared_ptr<FichierRecord> itemRecord(int32_t noItem) const;
  std::vector<Fichier> entries_;  // empty until the first add; then positions 0..count
  int32_t count_ = 0;
};

class ComplementInfo : public automation::Automatable<ComplementInfo>,
                       public external::ComplementInfoInterface {
 public:
  static const automation::MemberTable<ComplementInfo>& members();

  // noItem is accepted and not used: the string goes at the end.
  void add(std::u16string soChaine, int32_t noItem) override;
  int32_t count() override;
  std::u16string item(int32_t noItem) override;

 private:
  std::vector<std::u16string> entries_;
  int32_t count_ = 0;
};

}  // namespace r58046::module
