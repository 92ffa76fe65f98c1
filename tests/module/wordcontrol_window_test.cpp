// Word's window and what stands in its way, on the simulated desktop: closing windows and
// nested dialogs, the dialog check of TestePoint, bringing Word forward, and the repair of
// the automation link after Word disappeared.
#include <gtest/gtest.h>

#include "module_fakes.h"

namespace r58046::testing {
namespace {

using automation::AutomationError;
using platform::Hwnd;

class WindowTest : public ::testing::Test {
 protected:
  Hwnd child(Hwnd parent, bool survivesClose) {
    platform::WindowSpec desc;
    desc.className = u"MsoBalloonChild";
    desc.parent = parent;
    desc.onClose = [this, survivesClose](Hwnd h) {
      closed.push_back(h);
      if (!survivesClose) {
        tp.desktop.destroy(h);
      }
    };
    return tp.desktop.create(desc);
  }

  TestPlatform tp;
  module::Module mod{tp.platform()};
  module::ModuleTestAccess access{mod};
  std::vector<Hwnd> closed;
};

TEST_F(WindowTest, FermeFenetreClosesChildrenDepthFirstThenTheWindow) {
  platform::WindowSpec desc;
  desc.className = u"MSOBALLOON";
  desc.onClose = [this](Hwnd h) {
    closed.push_back(h);
    tp.desktop.destroy(h);
  };
  const Hwnd balloon = tp.desktop.create(desc);
  const Hwnd first = child(balloon, false);
  const Hwnd grandChild = child(first, false);
  const Hwnd second = child(balloon, false);

  access.FermeFenetre(balloon);

  EXPECT_EQ(closed, (std::vector<Hwnd>{grandChild, first, second, balloon}));
  EXPECT_FALSE(tp.desktop.isWindow(balloon));
}

TEST_F(WindowTest, FermeFenetreStopsWhenAChildSurvivesItsClosing) {
  platform::WindowSpec desc;
  desc.className = u"MSOBALLOON";
  const Hwnd balloon = tp.desktop.create(desc);
  const Hwnd stubborn = child(balloon, true);

  access.FermeFenetre(balloon);

  // Asked once; the window itself is closed all the same.
  EXPECT_EQ(closed, std::vector<Hwnd>{stubborn});
  EXPECT_FALSE(tp.desktop.isWindow(balloon));
}

TEST_F(WindowTest, FermeDialogueClosesTheInnerDialogFirstThenTheOuterOne) {
  const Hwnd word = tp.wordWindow();
  const Hwnd outer = tp.dialog(word, u"Paragraphe", &closed);
  const Hwnd inner = tp.dialog(outer, u"Tabulations", &closed);

  access.FermeDialogue(word);

  EXPECT_EQ(closed, (std::vector<Hwnd>{inner, outer}));
}

TEST_F(WindowTest, FermeDialogueLeavesWindowsThatAreNoModalDialogOfTheOwner) {
  const Hwnd word = tp.wordWindow();
  const Hwnd other = tp.wordWindow(u"Autre");
  tp.dialog(other, u"Ailleurs", &closed);  // another owner
  const Hwnd hidden = tp.dialog(word, u"Cachée", &closed);
  tp.desktop.setVisible(hidden, false);
  tp.dialog(word, u"", &closed);  // no caption
  platform::WindowSpec palette;
  palette.className = u"Palette";
  palette.caption = u"Palette";
  palette.owner = word;
  palette.onClose = [this](Hwnd h) { closed.push_back(h); };
  tp.desktop.create(palette);

  access.FermeDialogue(word);

  EXPECT_TRUE(closed.empty());
}

TEST_F(WindowTest, TestePointClosesTheDialogItFoundAndTheDialogsItOwns) {
  const Hwnd word = tp.wordWindow();
  const Hwnd outer = tp.dialog(word, u"Paragraphe", &closed);
  const Hwnd inner = tp.dialog(outer, u"Tabulations", &closed);

  mod.TestePoint();

  EXPECT_TRUE(mod.ErreurGenerale());
  EXPECT_EQ(mod.CauseErreur(), u"%AL");
  EXPECT_EQ(closed, (std::vector<Hwnd>{inner, outer}));
  EXPECT_EQ(access.wordWindow(), word);
}

TEST_F(WindowTest, TestePointWithoutAWordWindowAnswersAM) {
  mod.TestePoint();

  EXPECT_TRUE(mod.ErreurGenerale());
  EXPECT_EQ(mod.CauseErreur(), u"AM");
}

TEST_F(WindowTest, AfficheWordRestoresAMinimisedWordMaximisedAndInFront) {
  const Hwnd word = tp.wordWindow();
  tp.wordWindow(u"Autre fenêtre");
  tp.desktop.setMinimized(word, true);
  access.setWordWindow(word);

  EXPECT_TRUE(access.AfficheWord());

  EXPECT_FALSE(tp.desktop.isMinimized(word));
  EXPECT_TRUE(tp.desktop.isMaximized(word));
  EXPECT_EQ(tp.desktop.foreground(), word);
}

class RepairTest : public WindowTest {
 protected:
  void SetUp() override {
    window = tp.wordWindow();
    gone->fail(u"Application", automation::errors::kServerNotAvailable);
    access.setApplication(gone);
    tp.registry.registerClass(u"Word.application.11", [this] { return ObjectRef(fresh.app); });
  }

  Hwnd window = 0;
  std::shared_ptr<Fake> gone = Fake::make();
  FakeWord fresh{u"/templates"};
};

TEST_F(RepairTest, ReportedProbeRepairsWordAndStillFailsWithAClearedError) {
  try {
    access.OleAccessible(true);
    FAIL() << "OleAccessible(True) succeeded after a repair";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kInvalidProcedureCall);
    EXPECT_EQ(e.source(), u"DLL R58046 - CLASSE Module\n\r - SERVICE OleAccessible - OBJET ");
  }
  EXPECT_TRUE(automation::sameObject(access.application(), fresh.app));
  EXPECT_EQ(access.wordWindow(), window);
}

TEST_F(RepairTest, QuietProbeRepairsWordAndSucceedsOnTheSecondProbe) {
  EXPECT_NO_THROW(access.OleAccessible(false));

  EXPECT_TRUE(automation::sameObject(access.application(), fresh.app));
  EXPECT_EQ(fresh.windows->count(u"Count"), 1);
}

TEST_F(RepairTest, RepairThatCannotObtainWordHandsOnGetApplicationsError) {
  tp.registry.registerClass(u"Word.application.11", []() -> ObjectRef {
    automation::raiseError(automation::errors::kCannotCreateObject);
  });
  try {
    access.OleAccessible(true);
    FAIL() << "no failure";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kCannotCreateObject);
    EXPECT_EQ(e.source().rfind(u"DLL R58046 - CLASSE Module\n\r - SERVICE GetApplication", 0), 0U);
  }
  EXPECT_EQ(access.application(), nullptr);
}

}  // namespace
}  // namespace r58046::testing
