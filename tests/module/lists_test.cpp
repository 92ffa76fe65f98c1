#include "core/lists.h"

#include <gtest/gtest.h>

#include "automation/dispatch.h"
#include "support/error_of.h"

using namespace r58046::automation;
using r58046::module::ComplementInfo;
using r58046::module::Fichier;
using r58046::module::FichiersDeTravail;

namespace {

using r58046::testsupport::errorOf;

TEST(FichiersDeTravail, PositionsRunFromOneToCountWithAnEmptyEntryAtZero) {
  FichiersDeTravail list;
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(errorOf([&] { list.Item(0); }), errors::kSubscriptOutOfRange);
  EXPECT_EQ(errorOf([&] { list.Item(1); }), errors::kSubscriptOutOfRange);

  list.add(u"05804601.doc", u"Bulletin.doc", false);
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.Item(1).NomDest, u"Bulletin.doc");
  Fichier empty = list.Item(0);
  EXPECT_EQ(empty.NomSource, u"");
  EXPECT_EQ(empty.NomDest, u"");
  EXPECT_FALSE(empty.Modele);
  EXPECT_EQ(errorOf([&] { list.Item(2); }), errors::kSubscriptOutOfRange);
  EXPECT_EQ(errorOf([&] { list.Item(-1); }), errors::kSubscriptOutOfRange);

  // Growing keeps the entries already there.
  list.add(u"05804617.dot", u"Courrier Oxel.dot", true);
  list.add(u"", u"Modèles.doc", false);
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(list.Item(1).NomSource, u"05804601.doc");
  EXPECT_TRUE(list.Item(2).Modele);
  EXPECT_EQ(list.Item(3).NomDest, u"Modèles.doc");
}

TEST(FichiersDeTravail, LateBoundItemIsTheDefaultMemberAndHandsOutACopy) {
  auto list = std::make_shared<FichiersDeTravail>();
  Object fichiers(list);
  fichiers.call(u"Add", u"05804617.dot", u"Courrier Oxel.dot", Variant::boolean(true));
  fichiers.call(u"add", Arg::named(u"biModele", Variant::boolean(false)),
                Arg::named(u"siNomDest", u"Bulletin.doc"),
                Arg::named(u"siNomSource", u"05804601.doc"));
  EXPECT_EQ(fichiers.get(u"Count").toLong(), 2);

  Object first = fichiers.get(u"Item", 1);
  EXPECT_EQ(first.get(u"NomSource").toString(), u"05804617.dot");
  EXPECT_EQ(first.get(u"NomDest").toString(), u"Courrier Oxel.dot");
  EXPECT_EQ(first.get(u"Modele"), Variant::boolean(true));  // a Word Boolean, -1
  Object second = fichiers.get(u"", 2);                     // the default member
  EXPECT_EQ(second.get(u"Modele").toLong(), 0);
  EXPECT_EQ(second.get(u"NomDest").toString(), u"Bulletin.doc");

  // Two reads are two copies; the list does not change through them.
  EXPECT_FALSE(sameObject(fichiers.get(u"Item", 1).toObject(), first.ref()));
  EXPECT_EQ(errorOf([&] { first.put(u"NomDest", u"Autre.doc"); }), errors::kMemberNotSupported);
  EXPECT_EQ(list->Item(1).NomDest, u"Courrier Oxel.dot");

  EXPECT_EQ(errorOf([&] { fichiers.get(u"Item", 3); }), errors::kSubscriptOutOfRange);
  EXPECT_EQ(errorOf([&] { fichiers.get(u"Item", -1); }), errors::kSubscriptOutOfRange);
}

TEST(ComplementInfo, StartsEmptyAndAppendsWhateverTheIndexGiven) {
  auto info = std::make_shared<ComplementInfo>();
  Object complement(info);
  EXPECT_EQ(complement.get(u"count").toLong(), 0);
  for (int32_t i : {-1, 0, 1}) {
    EXPECT_EQ(errorOf([&] { complement.get(u"item", i); }), errors::kSubscriptOutOfRange);
  }

  complement.call(u"add", u"premier", 7);
  info->add(u"second", 1);
  EXPECT_EQ(info->count(), 2);
  EXPECT_EQ(complement.get(u"item", 0).toString(), u"");
  EXPECT_EQ(complement.get(u"Item", 1).toString(), u"premier");
  EXPECT_EQ(info->item(2), u"second");
  EXPECT_EQ(errorOf([&] { info->item(3); }), errors::kSubscriptOutOfRange);

  // Through the host's interface as well.
  r58046::external::ComplementInfoInterface& host = *info;
  EXPECT_EQ(host.count(), 2);
}

}  // namespace
