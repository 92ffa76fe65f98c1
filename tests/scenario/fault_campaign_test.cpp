// The fault campaign's own machinery: the file system that catches the module outside its
// folders, the child processes that catch crashes and hangs, the run names that replay a
// run, the correct answers taken from the bundled scenarios, and the report.
#include "scenario/fault_campaign.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "automation/error.h"
#include "automation/text.h"
#include "platform/posix_file_system.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace r58046::scenario::faults {
namespace {

namespace fs = std::filesystem;
using automation::fromUtf8;

using testsupport::CurrentFolder;
using testsupport::errorOf;
using testsupport::TempFolder;

void touch(const fs::path& path) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << "x";
}

std::u16string u16(const fs::path& path) {
  return fromUtf8(path.string());
}

TEST(SandboxedFiles, ChangesOutsideTheAllowedFoldersAreNamedAndOutsideTheRunRefused) {
  TempFolder root("faults-test");
  fs::path run = root.path() / "run";
  fs::path work = run / "Travail";
  fs::path current = run / "current";
  fs::path elsewhere = root.path() / "elsewhere";
  touch(work / "Bulletin.doc");
  touch(work / "05804601.doc");
  touch(current / "canary.txt");
  touch(elsewhere / "user.txt");
  platform::PosixFileSystem posix;
  SandboxedFiles files(posix, run);
  files.allow(work);
  CurrentFolder in(current);

  // Inside the working folder: done, nothing to say.
  files.setAttributesNormal(u16(work / "Bulletin.doc"));
  files.deleteFile(u16(work / "Bulletin.doc"));
  files.rename(u16(work / "05804601.doc"), u16(work) + u"/Copie.doc");
  EXPECT_FALSE(fs::exists(work / "Bulletin.doc"));
  EXPECT_TRUE(fs::exists(work / "Copie.doc"));
  EXPECT_TRUE(files.outside().empty());

  // A pattern with no folder in front stands for the current folder: named, and refused by
  // the file system itself, which deletes only in absolute folders.
  EXPECT_EQ(errorOf([&] { files.deletePattern(u"*.*"); }), 70);
  EXPECT_TRUE(fs::exists(current / "canary.txt"));
  // A way out of the working folder through "..": named.
  EXPECT_EQ(errorOf([&] { files.deleteFile(u16(work) + u"/../../elsewhere/user.txt"); }), 75);
  EXPECT_TRUE(fs::exists(elsewhere / "user.txt")) << "outside the run: refused";
  EXPECT_FALSE(files.makeSureDirectoryPathExists(u16(elsewhere) + u"/Oxel Mod\u00e8les/"));
  EXPECT_FALSE(fs::exists(elsewhere / "Oxel Mod\xC3\xA8les"));
  EXPECT_EQ(errorOf([&] { files.rename(u16(work / "Copie.doc"), u16(elsewhere / "C.doc")); }), 75);
  EXPECT_TRUE(fs::exists(work / "Copie.doc"));

  ASSERT_EQ(files.outside().size(), 4u);
  EXPECT_EQ(files.outside()[0].text(), "delete " + (current / "*.*").string());
  EXPECT_EQ(files.outside()[1].text(), "delete " + (elsewhere / "user.txt").string());
  EXPECT_EQ(files.outside()[2].text(),
            "make the folder " + (elsewhere / "Oxel Mod\xC3\xA8les").string());
  EXPECT_EQ(files.outside()[3].text(), "rename to " + (elsewhere / "C.doc").string());
  // Reading is no change.
  EXPECT_TRUE(files.exists(u16(elsewhere / "user.txt")));
  EXPECT_EQ(files.outside().size(), 4u);
}

RunSpec specFor(int32_t call) {
  RunSpec plan;
  plan.kind = FaultKind::CallFails;
  plan.call = call;
  return plan;
}

// A run crashed, hung, stopped by an uncaught exception, or ended with its findings: each
// told apart, and the findings come back from the child as they were made.
TEST(PlayIsolated, CrashesAndHangsAreCaughtAndFindingsComeBack) {
  PlayFunction play = [](const RunSpec& plan, const fs::path& folder) {
    RunResult r;
    r.plan = plan;
    switch (plan.call) {
      case 1:
        std::abort();
      case 2:
        while (true) {
          std::this_thread::sleep_for(std::chrono::seconds(1));
        }
      case 3:
        throw std::runtime_error("no world");
      default:
        break;
    }
    if (!fs::is_directory(folder)) {
      throw std::runtime_error("no folder of its own");
    }
    r.faultFired = true;
    r[Invariant::FilesUntouched] = {Verdict::Violated, "files: a canary deleted",
                                    "gone:\tcanary.txt\nand more"};
    r[Invariant::DocumentsKept] = {Verdict::NotApplicable, "", "no documents"};
    r.calls[1] = {"Documents", "Count"};
    return r;
  };
  std::vector<RunSpec> specs = {specFor(1), specFor(2), specFor(3), specFor(4)};
  std::vector<RunResult> results = playIsolated(specs, play, 4, std::chrono::seconds(2));
  ASSERT_EQ(results.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(results[i].plan.call, specs[i].call) << "results in the order of the runs";
  }
  EXPECT_EQ(results[0][Invariant::NoCrash].verdict, Verdict::Violated);
  EXPECT_EQ(results[0][Invariant::NoCrash].kind, "crash: SIGABRT");
  EXPECT_EQ(results[0][Invariant::FailureReported].verdict, Verdict::NotApplicable);
  EXPECT_EQ(results[1][Invariant::NoHang].verdict, Verdict::Violated);
  EXPECT_EQ(results[1][Invariant::NoCrash].verdict, Verdict::NotApplicable);
  EXPECT_EQ(results[2][Invariant::NoCrash].kind, "crash: exit status 3");
  EXPECT_NE(results[2][Invariant::NoCrash].detail.find("no world"), std::string::npos)
      << "what the run said on its error output";

  const RunResult& ended = results[3];
  EXPECT_EQ(ended[Invariant::NoCrash].verdict, Verdict::Held);
  EXPECT_EQ(ended[Invariant::NoHang].verdict, Verdict::Held);
  EXPECT_TRUE(ended.faultFired);
  EXPECT_EQ(ended[Invariant::FilesUntouched].verdict, Verdict::Violated);
  EXPECT_EQ(ended[Invariant::FilesUntouched].kind, "files: a canary deleted");
  EXPECT_EQ(ended[Invariant::FilesUntouched].detail, "gone: canary.txt and more");
  EXPECT_EQ(ended[Invariant::DocumentsKept].verdict, Verdict::NotApplicable);
  EXPECT_EQ(ended[Invariant::SettingsBack].verdict, Verdict::Held);
  EXPECT_EQ(ended.calls[1], (std::vector<std::string>{"Documents", "Count"}));
}

TEST(RunSpec, IdsNameARunAndReplayIt) {
  RunSpec call;
  call.question = 212;
  call.kind = FaultKind::CallFails;
  call.step = Step::Close;
  call.call = 37;
  RunSpec gone;
  gone.question = 221;
  gone.hostWord = true;
  gone.kind = FaultKind::WordGone;
  gone.step = Step::Init;
  gone.member = "Documents";
  RunSpec baseline;
  baseline.question = 201;
  baseline.hostWord = true;
  EXPECT_EQ(call.id(), "212/own/close/call-37");
  EXPECT_EQ(gone.id(), "221/host/init/gone-Documents");
  EXPECT_EQ(baseline.id(), "201/host/baseline");
  for (const RunSpec& s : {call, gone, baseline}) {
    auto back = RunSpec::parse(s.id());
    ASSERT_TRUE(back) << s.id();
    EXPECT_EQ(back->id(), s.id());
    EXPECT_EQ(back->question, s.question);
    EXPECT_EQ(back->hostWord, s.hostWord);
    EXPECT_EQ(back->kind, s.kind);
  }
  for (const char* bad : {"", "212", "212/own", "200/own/baseline", "212/mine/baseline",
                          "212/own/open/call-1", "212/own/init/call-0", "212/own/init/call-x",
                          "212/own/init/gone-", "212/own/init/call-1/x", "2120/own/baseline"}) {
    EXPECT_FALSE(RunSpec::parse(bad)) << bad;
  }
}

TEST(CorrectAnswer, TheLinesAroundTheFirstInitOfTheCorrectScenario) {
  TempFolder exercises("faults-test");
  fs::create_directories(exercises.path() / "0215");
  std::ofstream(exercises.path() / "0215" / "wrong.scn") << "init 215\nword Wrong\ncheck\n";
  std::ofstream(exercises.path() / "0215" / "correct_b.scn") << "init 215\nword Other\ncheck\n";
  std::ofstream(exercises.path() / "0215" / "correct.scn")
      << "# The right answer\n"
         "word UserAddress = \"x\"\n"
         "expect ok\n"
         "\n"
         "INIT 215\n"
         "expect ok\n"
         "  word ActiveDocument.Envelope.Insert Address:=\"a\"\n"
         "desktop minimize\n"
         "check\n"
         "expect ErreurGenerale = False\n"
         "expect CauseErreur = \"D\"\n"
         "expect BravoNuance = True\n"
         "word After\n"
         "close\n"
         "check\n"
         "expect CauseErreur = \"E\"\n";
  auto answer = correctAnswer(215, exercises.path());
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->pre, (std::vector<std::string>{"word UserAddress = \"x\""}));
  EXPECT_EQ(answer->answer,
            (std::vector<std::string>{"word ActiveDocument.Envelope.Insert Address:=\"a\"",
                                      "desktop minimize"}));
  EXPECT_EQ(answer->verdict, "D + nuance") << "what the first check expects";
  std::ofstream(exercises.path() / "0215" / "correct.scn") << "init 215\ncheck\n";
  EXPECT_EQ(correctAnswer(215, exercises.path())->verdict, "correct");
  EXPECT_FALSE(correctAnswer(201, exercises.path()));
}

TEST(Report, CountsEachInvariantAndNamesTheFirstRunsOfEachKind) {
  CampaignReport report;
  report.elapsed = std::chrono::milliseconds(2400);
  for (int32_t call = 1; call <= 6; ++call) {
    RunResult r = {};
    r.plan = specFor(call);
    r.plan.question = call <= 3 ? 212 : 201;
    r.faultFired = call != 6;
    if (call <= 4) {
      r[Invariant::FilesUntouched] = {Verdict::Violated, "files: a canary deleted",
                                      "canary " + std::to_string(call)};
    }
    if (call == 5) {
      r[Invariant::SettingsBack] = {Verdict::Violated, "settings: tool tips", "was False"};
    }
    r[Invariant::DocumentsKept].verdict = Verdict::NotApplicable;
    report.runs.push_back(r);
  }
  std::string text = formatReport(report);
  EXPECT_NE(text.find("fault campaign: 2 questions, 6 runs in 2 s\n"), std::string::npos) << text;
  EXPECT_NE(text.find("0 without a fault, 6 with one Word call failing"), std::string::npos);
  EXPECT_NE(text.find("1 fault never reached"), std::string::npos);
  EXPECT_NE(text.find("files untouched               2         4        0\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("documents kept                0         0        6\n"), std::string::npos);
  EXPECT_NE(text.find("        4  files: a canary deleted\n"
                      "             212/own/init/call-1: canary 1\n"
                      "             212/own/init/call-2: canary 2\n"
                      "             212/own/init/call-3: canary 3\n"
                      "  settings back\n"),
            std::string::npos)
      << text;
  EXPECT_TRUE(anyViolation(report, {}));
  EXPECT_TRUE(anyViolation(report, {{Invariant::FilesUntouched}, {}}));
  EXPECT_FALSE(anyViolation(report, {{Invariant::FilesUntouched, Invariant::SettingsBack}, {}}));
  EXPECT_FALSE(anyViolation(report, {{Invariant::FilesUntouched}, {"settings: tool"}}))
      << "a kind is tolerated by its beginning";
  EXPECT_TRUE(anyViolation(report, {{Invariant::FilesUntouched}, {"settings: current"}}));
  EXPECT_EQ(parseInvariant("settings-back"), Invariant::SettingsBack);
  EXPECT_EQ(parseInvariant("no crash"), Invariant::NoCrash);
  EXPECT_FALSE(parseInvariant("settings"));
}

}  // namespace
}  // namespace r58046::scenario::faults
