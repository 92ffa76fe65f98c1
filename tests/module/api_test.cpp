#include "core/api.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace r58046::automation;
using r58046::module::guarded;
using r58046::module::PropageErreur;

namespace {

// Runs fn and answers the error it raised.
AutomationError caught(auto fn) {
  try {
    fn();
  } catch (const AutomationError& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return AutomationError(0, u"", u"");
}

TEST(PropageErreur, BuildsTheContextWithLineFeedBeforeCarriageReturn) {
  AutomationError e = caught([] {
    try {
      raiseError(errors::kWordCommandFailed, u"La commande a échoué.", u"Microsoft Word");
    } catch (const AutomationError&) {
      PropageErreur(u"Module", u"Quitter", u"X");
    }
  });
  const std::u16string expected = std::u16string(u"DLL R58046 - CLASSE ") + u"Module" +
                                  char16_t(10) + char16_t(13) + u" - SERVICE " + u"Quitter" +
                                  u" - OBJET " + u"X";
  EXPECT_EQ(e.source(), expected);
  EXPECT_EQ(e.number(), errors::kWordCommandFailed);
  EXPECT_EQ(e.description(), u"La commande a échoué.");
}

TEST(PropageErreur, TwoLevelsReadAsACallTraceOutermostFirst) {
  // A failure in Question0201.Prepare, reported there and again by Module.InitQuestion,
  // through the guarded helper the procedures use.
  AutomationError e = caught([] {
    guarded(u"Module", u"InitQuestion", [] {
      guarded(u"Question0201", u"Prepare",
              [] { raiseError(errors::kWordFileNotFound, u"Fichier introuvable", u"Word"); });
    });
  });
  EXPECT_EQ(e.source(),
            u"DLL R58046 - CLASSE Module\n\r - SERVICE InitQuestion - OBJET "
            u"DLL R58046 - CLASSE Question0201\n\r - SERVICE Prepare - OBJET Word");
  EXPECT_EQ(e.number(), errors::kWordFileNotFound);
  EXPECT_EQ(e.description(), u"Fichier introuvable");
}

TEST(PropageErreur, AnEmptySourceEndsTheTextWithObjet) {
  AutomationError e = caught([] {
    try {
      raiseError(errors::kSubscriptOutOfRange, {}, u"");
    } catch (const AutomationError& first) {
      PropageErreur(u"Module", u"Renomme", first.source());
    }
  });
  EXPECT_EQ(e.source(), u"DLL R58046 - CLASSE Module\n\r - SERVICE Renomme - OBJET ");
  EXPECT_EQ(e.number(), errors::kSubscriptOutOfRange);
  EXPECT_EQ(e.description(), u"Subscript out of range");
}

TEST(PropageErreur, SomethingOtherThanAnAutomationErrorBecomesError5) {
  AutomationError e = caught([] {
    try {
      throw std::runtime_error("disk gone");
    } catch (const std::exception&) {
      PropageErreur(u"Module", u"Nettoyage", u"");
    }
  });
  EXPECT_EQ(e.number(), errors::kInvalidProcedureCall);
  EXPECT_EQ(e.source(), u"DLL R58046 - CLASSE Module\n\r - SERVICE Nettoyage - OBJET ");
  EXPECT_EQ(e.description(), u"disk gone");

  // Called outside any failure it still raises rather than returning.
  EXPECT_EQ(caught([] { PropageErreur(u"Module", u"ChangeDir", u"s"); }).number(),
            errors::kInvalidProcedureCall);
}

}  // namespace
