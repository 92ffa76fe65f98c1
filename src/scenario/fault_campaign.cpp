// The fault campaign's driver: the run list made from the baselines, the child processes
// with their time limit, and the report.
#include "scenario/fault_campaign.h"

#include <fcntl.h>
#include <signal.h>  // NOLINT(modernize-deprecated-headers): POSIX kill(), not in <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <thread>

#include "scenario/world_folders.h"

namespace r58046::scenario::faults {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::array<std::string_view, kSteps> kStepNames = {"init", "check", "close", "quit"};
constexpr std::array<std::string_view, kInvariants> kInvariantNames = {
    "no crash",       "no hang",       "failure reported",   "files untouched",
    "documents kept", "settings back", "next exercise works"};

std::string oneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\n' || c == '\t' || c == '\r'; }, ' ');
  return text;
}

// --- a run's result between the child that played it and the campaign

void writeResult(const fs::path& path, const RunResult& r) {
  std::ofstream out(path, std::ios::binary);
  out << "fired " << (r.faultFired ? 1 : 0) << "\n";
  for (int i = 0; i < kInvariants; ++i) {
    const Finding& f = r.findings[static_cast<size_t>(i)];
    out << "finding " << i << " " << static_cast<int>(f.verdict) << " " << oneLine(f.kind) << "\t"
        << oneLine(f.detail) << "\n";
  }
  for (int s = 0; s < kSteps; ++s) {
    for (const std::string& member : r.calls[static_cast<size_t>(s)]) {
      out << "call " << s << " " << member << "\n";
    }
  }
  out << "end\n";
}

bool readResult(const fs::path& path, RunResult& r) {
  std::ifstream in(path, std::ios::binary);
  bool complete = false;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string tag;
    words >> tag;
    if (tag == "fired") {
      int fired = 0;
      words >> fired;
      r.faultFired = fired != 0;
    } else if (tag == "finding") {
      int i = -1;
      int verdict = 0;
      words >> i >> verdict;
      if (i < 0 || i >= kInvariants) {
        return false;
      }
      std::string rest;
      std::getline(words, rest);
      if (!rest.empty() && rest[0] == ' ') {
        rest.erase(0, 1);
      }
      size_t tab = rest.find('\t');
      Finding& f = r.findings[static_cast<size_t>(i)];
      f.verdict = static_cast<Verdict>(verdict);
      f.kind = rest.substr(0, tab);
      f.detail = tab == std::string::npos ? std::string() : rest.substr(tab + 1);
    } else if (tag == "call") {
      int s = -1;
      std::string member;
      words >> s >> member;
      if (s >= 0 && s < kSteps) {
        r.calls[static_cast<size_t>(s)].push_back(member);
      }
    } else if (tag == "end") {
      complete = true;
    }
  }
  return complete;
}

// The first lines of what a child wrote on its error output (a sanitizer's report, an
// uncaught exception).
std::string firstLines(const fs::path& path, size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string out;
  size_t taken = 0;
  for (std::string line; taken < count && std::getline(in, line);) {
    if (line.find_first_not_of(" =\t") == std::string::npos) {
      continue;
    }
    out += (out.empty() ? "" : " | ") + line;
    ++taken;
  }
  return out.size() > 400 ? out.substr(0, 400) + "..." : out;
}

std::string signalName(int number) {
  const char* name = sigabbrev_np(number);
  return name != nullptr ? std::string("SIG") + name : "signal " + std::to_string(number);
}

// Every invariant but the two of the process itself is unknown for a run that did not end.
void nothingKnown(RunResult& r, const std::string& why) {
  for (int i = 2; i < kInvariants; ++i) {
    r.findings[static_cast<size_t>(i)] = {Verdict::NotApplicable, "", why};
  }
}

// --- the children

struct Child {
  pid_t pid = 0;
  size_t index = 0;
  fs::path folder;
  Clock::time_point started;
  bool killed = false;
};

class Pool {
 public:
  Pool(PlayFunction play, fs::path scratch, int jobs, std::chrono::seconds timeout)
      : play_(std::move(play)),
        scratch_(std::move(scratch)),
        jobs_(std::max(jobs, 1)),
        timeout_(timeout) {}

  // Plays every run; results in the order of `specs`.
  std::vector<RunResult> run(const std::vector<RunSpec>& specs,
                             const std::function<void()>& oneDone) {
    std::vector<RunResult> results(specs.size());
    size_t next = 0;
    while (next < specs.size() || !children_.empty()) {
      while (next < specs.size() && children_.size() < static_cast<size_t>(jobs_)) {
        start(specs[next], next);
        ++next;
      }
      if (!reapOne(specs, results)) {
        killOverdue();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      } else if (oneDone) {
        oneDone();
      }
    }
    return results;
  }

 private:
  void start(const RunSpec& plan, size_t index) {
    fs::path folder = scratch_ / ("run-" + std::to_string(serial_++));
    fs::create_directories(folder);
    std::fflush(nullptr);
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid == 0) {
      playInChild(plan, folder, parent);
    }
    if (pid < 0) {
      throw std::runtime_error(std::string("cannot start a run: ") + std::strerror(errno));
    }
    children_.push_back(Child{pid, index, folder, Clock::now(), false});
  }

  [[noreturn]] void playInChild(const RunSpec& plan, const fs::path& folder, pid_t parent) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) {
      _exit(99);
    }
    setenv("TMPDIR", folder.c_str(), 1);
    int err = open((folder / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (err >= 0) {
      dup2(err, 2);
    }
    if (null >= 0) {
      dup2(null, 0);
      dup2(null, 1);
    }
    try {
      RunResult result = play_(plan, folder);
      writeResult(folder / "result.txt", result);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "the run stopped: %s\n", e.what());
      std::fflush(stderr);
      _exit(3);
    }
    _exit(0);
  }

  bool reapOne(const std::vector<RunSpec>& specs, std::vector<RunResult>& results) {
    int status = 0;
    pid_t pid = waitpid(-1, &status, WNOHANG);
    if (pid <= 0) {
      return false;
    }
    auto it = std::find_if(children_.begin(), children_.end(),
                           [&](const Child& c) { return c.pid == pid; });
    if (it == children_.end()) {
      return false;  // not a run (a guardian of this process)
    }
    Child child = *it;
    children_.erase(it);
    RunResult& r = results[child.index];
    r.plan = specs[child.index];
    finish(child, status, r);
    std::error_code ec;
    fs::remove_all(child.folder, ec);
    return true;
  }

  void finish(const Child& child, int status, RunResult& r) {
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout_).count();
    if (child.killed) {
      r[Invariant::NoHang] = {Verdict::Violated, "hang: no end within the time limit",
                              "stopped after " + std::to_string(seconds) + " s"};
      r[Invariant::NoCrash] = {Verdict::NotApplicable, "", "stopped"};
      nothingKnown(r, "the run was stopped");
      return;
    }
    bool normal = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (normal && readResult(child.folder / "result.txt", r)) {
      return;
    }
    std::string how = WIFSIGNALED(status) ? signalName(WTERMSIG(status))
                                          : "exit status " + std::to_string(WEXITSTATUS(status));
    r[Invariant::NoCrash] = {Verdict::Violated, "crash: " + how,
                             firstLines(child.folder / "stderr.txt", 3)};
    nothingKnown(r, "the run crashed");
  }

  void killOverdue() {
    Clock::time_point now = Clock::now();
    for (Child& c : children_) {
      if (!c.killed && now - c.started > timeout_) {
        kill(c.pid, SIGKILL);
        c.killed = true;
      }
    }
  }

  PlayFunction play_;
  fs::path scratch_;
  int jobs_;
  std::chrono::seconds timeout_;
  std::vector<Child> children_;
  size_t serial_ = 0;
};

// The runs with a fault that a baseline gives: for each step, each of its calls failing in
// turn, and Word gone at the first call of each member. A sample takes one run per step,
// a failing call or Word gone, picked from the run's identity so that every sample is the
// same.
std::vector<RunSpec> faultRuns(const RunResult& baseline, bool sample) {
  std::vector<RunSpec> specs;
  for (int s = 0; s < kSteps; ++s) {
    const std::vector<std::string>& calls = baseline.calls[static_cast<size_t>(s)];
    std::vector<std::string> members;
    std::vector<std::string> seen;
    for (const std::string& m : calls) {
      std::string key = m;
      std::transform(key.begin(), key.end(), key.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      if (std::find(seen.begin(), seen.end(), key) == seen.end()) {
        seen.push_back(key);
        members.push_back(m);
      }
    }
    RunSpec plan = baseline.plan;
    plan.step = static_cast<Step>(s);
    auto pick = static_cast<size_t>(plan.question) * 7 + (plan.hostWord ? 3 : 0) +
                static_cast<size_t>(s) * 5;
    bool sampleGone = pick % 2 == 1;
    for (size_t n = 1; n <= calls.size(); ++n) {
      if (sample && (sampleGone || n != 1 + pick / 2 % calls.size())) {
        continue;
      }
      plan.kind = FaultKind::CallFails;
      plan.call = static_cast<int32_t>(n);
      plan.member = calls[n - 1];
      specs.push_back(plan);
    }
    for (size_t i = 0; i < members.size(); ++i) {
      if (sample && (!sampleGone || i != pick / 2 % members.size())) {
        continue;
      }
      plan.kind = FaultKind::WordGone;
      plan.call = 0;
      plan.member = members[i];
      specs.push_back(plan);
    }
  }
  return specs;
}

std::string thousands(size_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<size_t>(at), ",");
  }
  return digits;
}

std::string padLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string padRight(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string_view stepName(Step step) {
  return kStepNames[static_cast<size_t>(step)];
}

std::string_view invariantName(Invariant invariant) {
  return kInvariantNames[static_cast<size_t>(invariant)];
}

std::optional<Invariant> parseInvariant(std::string_view name) {
  for (int i = 0; i < kInvariants; ++i) {
    std::string dashed(kInvariantNames[static_cast<size_t>(i)]);
    std::replace(dashed.begin(), dashed.end(), ' ', '-');
    if (name == kInvariantNames[static_cast<size_t>(i)] || name == dashed) {
      return static_cast<Invariant>(i);
    }
  }
  return std::nullopt;
}

std::string RunSpec::id() const {
  std::string id = std::to_string(question) + (hostWord ? "/host/" : "/own/");
  switch (kind) {
    case FaultKind::None:
      return id + "baseline";
    case FaultKind::CallFails:
      return id + std::string(stepName(step)) + "/call-" + std::to_string(call);
    case FaultKind::WordGone:
      break;
  }
  return id + std::string(stepName(step)) + "/gone-" + member;
}

std::optional<RunSpec> RunSpec::parse(std::string_view id) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t slash = id.find('/', start);
    parts.emplace_back(id.substr(start, slash - start));
    if (slash == std::string_view::npos) {
      break;
    }
    start = slash + 1;
  }
  RunSpec plan;
  if (parts.size() < 3 || parts[0].size() != 3 ||
      parts[0].find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  plan.question = std::stoi(parts[0]);
  if (plan.question < 201 || plan.question > 221 || (parts[1] != "host" && parts[1] != "own")) {
    return std::nullopt;
  }
  plan.hostWord = parts[1] == "host";
  if (parts.size() == 3 && parts[2] == "baseline") {
    return plan;
  }
  if (parts.size() != 4) {
    return std::nullopt;
  }
  const auto* step = std::find(kStepNames.begin(), kStepNames.end(), parts[2]);
  if (step == kStepNames.end()) {
    return std::nullopt;
  }
  plan.step = static_cast<Step>(step - kStepNames.begin());
  const std::string& fault = parts[3];
  if (fault.rfind("call-", 0) == 0 && fault.size() > 5 && fault.size() < 12 &&
      fault.find_first_not_of("0123456789", 5) == std::string::npos) {
    plan.kind = FaultKind::CallFails;
    plan.call = std::stoi(fault.substr(5));
    return plan.call > 0 ? std::optional<RunSpec>(plan) : std::nullopt;
  }
  if (fault.rfind("gone-", 0) == 0 && fault.size() > 5) {
    plan.kind = FaultKind::WordGone;
    plan.member = fault.substr(5);
    return plan;
  }
  return std::nullopt;
}

std::vector<RunResult> playIsolated(const std::vector<RunSpec>& specs, const PlayFunction& play,
                                    int jobs, std::chrono::seconds timeout,
                                    const std::function<void()>& oneDone) {
  fs::path scratch = makeWorldFolder();
  std::vector<RunResult> results = Pool(play, scratch, jobs, timeout).run(specs, oneDone);
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return results;
}

PlayFunction playWith(const fs::path& exercises) {
  return [exercises](const RunSpec& plan, const fs::path& folder) {
    return playRun(plan, exercises, folder);
  };
}

CampaignReport runCampaign(const CampaignOptions& options) {
  Clock::time_point start = Clock::now();
  std::vector<int32_t> questions = options.questions;
  if (questions.empty()) {
    for (int32_t q = 201; q <= 221; ++q) {
      questions.push_back(q);
    }
  }
  fs::path scratch = makeWorldFolder();
  Pool pool(playWith(options.exercises), scratch, options.jobs, options.timeout);

  std::vector<RunSpec> baselines;
  for (int32_t q : questions) {
    for (bool host : {false, true}) {
      RunSpec plan;
      plan.question = q;
      plan.hostWord = host;
      baselines.push_back(plan);
    }
  }
  size_t done = 0;
  size_t total = baselines.size();
  auto tell = [&] {
    ++done;
    if (options.progress) {
      options.progress(done, total);
    }
  };
  CampaignReport report;
  report.sample = options.sample;
  report.runs = pool.run(baselines, tell);

  std::vector<RunSpec> faulted;
  for (const RunResult& baseline : report.runs) {
    std::vector<RunSpec> more = faultRuns(baseline, options.sample);
    faulted.insert(faulted.end(), more.begin(), more.end());
  }
  total += faulted.size();
  std::vector<RunResult> results = pool.run(faulted, tell);
  report.runs.insert(report.runs.end(), results.begin(), results.end());

  std::error_code ec;
  fs::remove_all(scratch, ec);
  report.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  return report;
}

bool Tolerated::covers(Invariant invariant, const Finding& finding) const {
  if (invariants.contains(invariant)) {
    return true;
  }
  return std::any_of(kinds.begin(), kinds.end(), [&](const std::string& kind) {
    return finding.kind.compare(0, kind.size(), kind) == 0;
  });
}

bool anyViolation(const CampaignReport& report, const Tolerated& tolerated) {
  for (const RunResult& r : report.runs) {
    for (int i = 0; i < kInvariants; ++i) {
      const Finding& f = r.findings[static_cast<size_t>(i)];
      if (f.verdict == Verdict::Violated && !tolerated.covers(static_cast<Invariant>(i), f)) {
        return true;
      }
    }
  }
  return false;
}

std::string formatReport(const CampaignReport& report) {
  size_t baselines = 0;
  size_t callFails = 0;
  size_t wordGone = 0;
  size_t unfired = 0;
  std::set<int32_t> questions;
  for (const RunResult& r : report.runs) {
    questions.insert(r.plan.question);
    switch (r.plan.kind) {
      case FaultKind::None:
        ++baselines;
        break;
      case FaultKind::CallFails:
        ++callFails;
        break;
      case FaultKind::WordGone:
        ++wordGone;
        break;
    }
    if (r.plan.kind != FaultKind::None && !r.faultFired &&
        r[Invariant::NoCrash].verdict == Verdict::Held) {
      ++unfired;
    }
  }
  std::ostringstream out;
  out << "fault campaign" << (report.sample ? " (sample)" : "") << ": " << questions.size()
      << " question" << (questions.size() == 1 ? "" : "s") << ", " << thousands(report.runs.size())
      << " runs in " << (report.elapsed.count() + 500) / 1000 << " s\n";
  out << "  " << thousands(baselines) << " without a fault, " << thousands(callFails)
      << " with one Word call failing (4198), " << thousands(wordGone)
      << " with Word gone at a member's first call (462)\n";
  if (unfired > 0) {
    out << "  " << thousands(unfired) << " fault" << (unfired == 1 ? "" : "s")
        << " never reached (the run went another way than its baseline)\n";
  }
  out << "\n"
      << padRight("invariant", 22) << padLeft("held", 9) << padLeft("violated", 10)
      << padLeft("n/a", 9) << "\n";

  struct Kind {
    size_t count = 0;
    std::vector<const RunResult*> first;
  };
  std::array<std::map<std::string, Kind>, kInvariants> kinds;
  for (int i = 0; i < kInvariants; ++i) {
    std::array<size_t, 3> counts{};
    for (const RunResult& r : report.runs) {
      const Finding& f = r.findings[static_cast<size_t>(i)];
      ++counts[static_cast<size_t>(f.verdict)];
      if (f.verdict == Verdict::Violated) {
        Kind& k = kinds[static_cast<size_t>(i)][f.kind];
        ++k.count;
        if (k.first.size() < 3) {
          k.first.push_back(&r);
        }
      }
    }
    out << padRight(std::string(kInvariantNames[static_cast<size_t>(i)]), 22)
        << padLeft(thousands(counts[0]), 9) << padLeft(thousands(counts[1]), 10)
        << padLeft(thousands(counts[2]), 9) << "\n";
  }
  bool any = false;
  for (int i = 0; i < kInvariants; ++i) {
    const auto& byKind = kinds[static_cast<size_t>(i)];
    if (byKind.empty()) {
      continue;
    }
    if (!any) {
      out << "\nviolations by kind, with the first runs (replay one with --run ID):\n";
      any = true;
    }
    out << "  " << kInvariantNames[static_cast<size_t>(i)] << "\n";
    std::vector<std::pair<std::string, Kind>> sorted(byKind.begin(), byKind.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.second.count > b.second.count; });
    for (const auto& [name, kind] : sorted) {
      out << padLeft(thousands(kind.count), 9) << "  " << name << "\n";
      for (const RunResult* r : kind.first) {
        out << "             " << r->plan.id() << ": " << r->findings[static_cast<size_t>(i)].detail
            << "\n";
      }
    }
  }
  if (!any) {
    out << "\nno violation\n";
  }
  return out.str();
}

std::string formatRun(const RunResult& run) {
  std::ostringstream out;
  out << run.plan.id();
  const auto& stepCalls = run.calls[static_cast<size_t>(run.plan.step)];
  if (run.plan.kind == FaultKind::CallFails &&
      static_cast<size_t>(run.plan.call) <= stepCalls.size()) {
    out << " (" << stepCalls[static_cast<size_t>(run.plan.call) - 1] << " fails with 4198)";
  } else if (run.plan.kind == FaultKind::WordGone) {
    out << " (Word gone at the first " << run.plan.member << ")";
  }
  out << (run.plan.kind != FaultKind::None && !run.faultFired ? ": the fault was never reached"
                                                              : "")
      << "\n";
  static constexpr std::array<const char*, 3> kVerdicts = {"held", "VIOLATED", "n/a"};
  for (int i = 0; i < kInvariants; ++i) {
    const Finding& f = run.findings[static_cast<size_t>(i)];
    out << "  " << padRight(std::string(kInvariantNames[static_cast<size_t>(i)]), 22)
        << kVerdicts[static_cast<size_t>(f.verdict)];
    if (!f.kind.empty()) {
      out << "  " << f.kind;
    }
    if (!f.detail.empty()) {
      out << "  (" << f.detail << ")";
    }
    out << "\n";
  }
  for (int s = 0; s < kSteps; ++s) {
    const auto& calls = run.calls[static_cast<size_t>(s)];
    out << "  " << kStepNames[static_cast<size_t>(s)] << ": " << calls.size() << " Word call"
        << (calls.size() == 1 ? "" : "s");
    if (run.plan.kind != FaultKind::None && static_cast<Step>(s) == run.plan.step) {
      // The calls of the faulted step, numbered as the run IDs number them.
      std::string line = "   ";
      for (size_t i = 0; i < calls.size(); ++i) {
        std::string item = " " + std::to_string(i + 1) + " " + calls[i];
        if (line.size() + item.size() > 96) {
          out << "\n" << line;
          line = "   ";
        }
        line += item;
      }
      out << "\n" << line;
    }
    out << "\n";
  }
  return out.str();
}

}  // namespace r58046::scenario::faults
