// com_bench: what the Windows build costs, run under Wine (tools/wine-bench) or on Windows.
//
// 1. One cross-process call to Word (simword.exe): a property read as VB's late binding
//    makes it (GetIDsOfNames and Invoke), and Invoke alone with a known identifier.
// 2. A full exercise cycle per question, as a host drives it: InitQuestion, TestePoint and
//    Fermer on r58046.dll, Word already running (the host keeps its Word between
//    exercises). Each question's cycle runs twice in the same run, with the module's
//    identifier cache and without it (switched through the DLL's diagnostic entry point),
//    the two in turn first; each step with its time, the Word calls the module made and the
//    round trips they cost (GetIDsOfNames look-ups and Invokes). The last line sums it up.
//
// Needs r58046.dll and simword.exe registered and the exercises folder (found as the runner
// finds it).
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "com/bridge.h"
#include "com/diagnostics.h"
#include "com/r58046.h"
#include "com/windows_platform.h"
#include "platform/file_system_win32.h"
#include "scenario/exercises.h"
#include "winhost/simword_link.h"

namespace {

using namespace r58046;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void crossProcessCall() {
  com::ComClassRegistry registry;
  automation::Object word = registry.createObject(u"Word.Application.11");
  constexpr int kCalls = 500;
  word.get(u"Visible");  // warm up
  auto start = Clock::now();
  for (int i = 0; i < kCalls; ++i) {
    word.get(u"Visible");
  }
  double lateBound = msSince(start) / kCalls;

  auto* client = dynamic_cast<com::ComObject*>(word.ref().get());
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"Visible");
  client->dispatch()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  DISPPARAMS none{};
  start = Clock::now();
  for (int i = 0; i < kCalls; ++i) {
    com::UniqueVariant result;
    client->dispatch()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                               result.get(), nullptr, nullptr);
  }
  double invokeOnly = msSince(start) / kCalls;
  word.call(u"Quit", automation::Variant(int32_t{0}));
  std::printf("cross-process call to Word (mean of %d)\n", kCalls);
  std::printf("  late-bound property read (GetIDsOfNames + Invoke): %8.3f ms\n", lateBound);
  std::printf("  Invoke alone:                                      %8.3f ms\n\n", invokeOnly);
}

// One step of a cycle: its time, the Word calls the module made, their round trips.
struct Step {
  double ms = 0;
  long calls = 0;
  long lookups = 0;
  long invokes = 0;
  bool failed = false;
};

struct Cycle {
  Step steps[3];  // InitQuestion, TestePoint, Fermer
  double ms() const { return steps[0].ms + steps[1].ms + steps[2].ms; }
};

// Counts what the module's Word calls cost, step by step.
class Counter : public automation::CallObserver {
 public:
  void observe(const automation::ObservedCall& call) override {
    ++step_.calls;
    step_.lookups += call.lookups;
    step_.invokes += call.invokes;
  }
  // The step just measured; the counts start again.
  Step take(double ms, HRESULT hr) {
    Step done = step_;
    step_ = Step{};
    done.ms = ms;
    done.failed = FAILED(hr);
    return done;
  }

 private:
  Step step_;
};

class Bench {
 public:
  Bench(AbstractModule* module, std::wstring root, std::filesystem::path exercises)
      : module_(module), root_(std::move(root)), exercises_(std::move(exercises)) {}
  ~Bench() {
    if (application_ != nullptr) {
      application_->Release();
    }
  }
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  // A full cycle of one question in a working folder of its own.
  Cycle cycle(int question, bool withCache) {
    com::useModuleIdentifierCache(withCache);
    std::wstring work = root_ + L"Travail" + std::to_wstring(++runs_);
    CreateDirectoryW(work.c_str(), nullptr);
    work += L"\\";
    scenario::deliverMasterFiles(question, std::u16string(work.begin(), work.end()), files_,
                                 exercises_);
    com::UniqueBstr folder(SysAllocString(work.c_str()));
    com::UniqueBstr none(SysAllocString(L""));
    Cycle c;
    auto start = Clock::now();
    HRESULT hr = module_->InitQuestion(question, folder.get(), &application_, &handle_, none.get());
    c.steps[0] = counter_.take(msSince(start), hr);
    start = Clock::now();
    hr = module_->TestePoint();
    c.steps[1] = counter_.take(msSince(start), hr);
    start = Clock::now();
    hr = module_->Fermer();
    c.steps[2] = counter_.take(msSince(start), hr);
    return c;
  }

  Counter& counter() { return counter_; }
  void quit() { module_->Quitter(&application_, &handle_); }

 private:
  AbstractModule* module_;
  std::wstring root_;
  std::filesystem::path exercises_;
  platform::Win32FileSystem files_;
  Counter counter_;
  IDispatch* application_ = nullptr;
  LONG handle_ = -1;
  int runs_ = 0;
};

void printStep(const char* name, const Step& with, const Step& without) {
  auto one = [](const Step& s) {
    std::printf("  %8.1f %5ld %7ld %7ld%s", s.ms, s.calls, s.lookups, s.invokes,
                s.failed ? " !" : "  ");
  };
  std::printf("          %-12s", name);
  one(with);
  std::printf("  ");
  one(without);
  std::printf("\n");
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void exerciseCycles() {
  auto exercises = scenario::findExercisesFolder();
  if (!exercises) {
    std::printf("no exercises folder: the exercise cycles are left out\n");
    return;
  }
  wchar_t base[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, base);
  std::wstring root = std::wstring(base) + L"r58046-bench\\";
  CreateDirectoryW(root.c_str(), nullptr);
  std::wstring documents = root + L"Mes documents";
  std::wstring templates = root + L"Mod\u00e8les";
  CreateDirectoryW(documents.c_str(), nullptr);
  CreateDirectoryW(templates.c_str(), nullptr);
  winhost::writeUserValue(L"DocumentsFolder", documents + L"\\");
  winhost::writeUserValue(L"UserTemplatesFolder", templates);
  winhost::deleteUserValue(L"Settings");

  com::ComPtr<AbstractModule> module;
  if (FAILED(CoCreateInstance(CLSID_Module, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                              module.putVoid()))) {
    std::printf("r58046.dll is not registered\n");
    return;
  }
  {
    Bench bench(module.get(), root, *exercises);
    if (!com::observeModuleWordCalls(&bench.counter())) {
      std::printf("r58046.dll has no diagnostic entry points\n");
      return;
    }
    // Word starts in a first cycle, not measured, without the cache: the cache starts empty,
    // so the first look-ups show in the measured cycles.
    bench.cycle(201, false);

    std::printf(
        "exercise cycle per question, Word already running: time in ms, Word calls, round trips\n"
        "(GetIDsOfNames look-ups and Invokes)\n");
    std::printf(
        "                        --------- with the cache ---------  "
        "---------- without it -----------\n");
    std::printf(
        "question  step              ms calls lookups invokes         ms calls lookups "
        "invokes\n");
    std::vector<double> with;
    std::vector<double> without;
    double worst = 0;
    int worstQuestion = 0;
    long totals[2][3] = {};  // with, without: calls, lookups, invokes
    for (int question = 201; question <= 221; ++question) {
      // In turn first, so that neither gains from running second.
      Cycle a;
      Cycle b;
      if (question % 2 == 1) {
        a = bench.cycle(question, true);
        b = bench.cycle(question, false);
      } else {
        b = bench.cycle(question, false);
        a = bench.cycle(question, true);
      }
      static const char* const kNames[] = {"InitQuestion", "TestePoint", "Fermer"};
      std::printf("%d\n", question);
      for (int s = 0; s < 3; ++s) {
        printStep(kNames[s], a.steps[s], b.steps[s]);
        totals[0][0] += a.steps[s].calls;
        totals[0][1] += a.steps[s].lookups;
        totals[0][2] += a.steps[s].invokes;
        totals[1][0] += b.steps[s].calls;
        totals[1][1] += b.steps[s].lookups;
        totals[1][2] += b.steps[s].invokes;
      }
      double ratio = a.ms() / b.ms();
      std::printf("          %-12s  %8.1f %29s %8.1f   ratio %.2f\n", "cycle", a.ms(), "", b.ms(),
                  ratio);
      with.push_back(a.ms());
      without.push_back(b.ms());
      if (ratio > worst) {
        worst = ratio;
        worstQuestion = question;
      }
    }
    std::printf("(! : the step failed)\n");
    std::printf(
        "in all, with the cache: %ld Word calls, %ld look-ups, %ld invokes; without: %ld "
        "Word calls, %ld look-ups, %ld invokes\n",
        totals[0][0], totals[0][1], totals[0][2], totals[1][0], totals[1][1], totals[1][2]);
    bench.quit();
    com::observeModuleWordCalls(nullptr);
    com::useModuleIdentifierCache(true);
    std::printf(
        "cycle: median %.1f ms with cache, %.1f ms without; worst ratio %.2f (question %d)\n",
        median(with), median(without), worst, worstQuestion);
  }
  module.reset();
  winhost::endAllSimWords();
  std::wstring from = root.substr(0, root.size() - 1);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

}  // namespace

int main() {
  if (FAILED(OleInitialize(nullptr))) {
    return 1;
  }
  int status = 0;
  try {
    winhost::endAllSimWords();
    crossProcessCall();
    exerciseCycles();
  } catch (const automation::AutomationError& e) {
    std::printf("failed: %s\n", e.what());
    status = 1;
  }
  winhost::endAllSimWords();
  OleUninitialize();
  return status;
}
