// com_bench: what the Windows build costs, run under Wine (tools/wine-bench) or on Windows.
//
// 1. One cross-process call to Word (simword.exe): a property read as VB's late binding
//    makes it (GetIDsOfNames and Invoke), and Invoke alone with a known identifier.
// 2. A full exercise cycle per question, as a host drives it: InitQuestion, TestePoint and
//    Fermer on r58046.dll, with the time of each step and the number of calls Word answered
//    for it. The first InitQuestion starts Word; the host keeps it for the next questions,
//    as the real host keeps its Word between exercises.
//
// Needs r58046.dll and simword.exe registered and the exercises folder (found as the runner
// finds it).
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "com/bridge.h"
#include "com/r58046.h"
#include "com/windows_platform.h"
#include "platform/file_system_win32.h"
#include "scenario/exercises.h"
#include "winhost/simword_link.h"
#include "winhost/world_windows.h"

namespace {

using namespace r58046;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The newest Word's answered calls, read and reset.
long takeCalls() {
  auto all = winhost::runningSimWords();
  if (all.empty()) {
    return -1;
  }
  long calls = static_cast<long>(winhost::sendCommand(all.back().control, u"calls"));
  winhost::sendCommand(all.back().control, u"reset-calls");
  return calls;
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
    VARIANT result;
    VariantInit(&result);
    client->dispatch()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                               &result, nullptr, nullptr);
    VariantClear(&result);
  }
  double invokeOnly = msSince(start) / kCalls;
  word.call(u"Quit", automation::Variant(int32_t{0}));
  std::printf("cross-process call to Word (mean of %d)\n", kCalls);
  std::printf("  late-bound property read (GetIDsOfNames + Invoke): %8.3f ms\n", lateBound);
  std::printf("  Invoke alone:                                      %8.3f ms\n\n", invokeOnly);
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

  AbstractModule* module = nullptr;
  if (FAILED(CoCreateInstance(CLSID_Module, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                              reinterpret_cast<void**>(&module)))) {
    std::printf("r58046.dll is not registered\n");
    return;
  }
  platform::Win32FileSystem files;
  IDispatch* application = nullptr;
  LONG handle = -1;
  std::printf("exercise cycle per question (time in ms, Word calls answered)\n");
  std::printf("question  InitQuestion        TestePoint          Fermer\n");
  for (int question = 201; question <= 221; ++question) {
    std::wstring work = root + L"Travail" + std::to_wstring(question);
    CreateDirectoryW(work.c_str(), nullptr);
    work += L"\\";
    scenario::deliverMasterFiles(question, std::u16string(work.begin(), work.end()), files,
                                 exercises);
    BSTR folder = SysAllocString(work.c_str());
    BSTR none = SysAllocString(L"");
    takeCalls();
    auto start = Clock::now();
    HRESULT init = module->InitQuestion(question, folder, &application, &handle, none);
    double initMs = msSince(start);
    long initCalls = takeCalls();
    start = Clock::now();
    HRESULT check = module->TestePoint();
    double checkMs = msSince(start);
    long checkCalls = takeCalls();
    start = Clock::now();
    HRESULT close = module->Fermer();
    double closeMs = msSince(start);
    long closeCalls = takeCalls();
    std::printf("%8d  %8.1f %5ld%s    %8.1f %5ld%s    %8.1f %5ld%s\n", question, initMs, initCalls,
                FAILED(init) ? " !" : "  ", checkMs, checkCalls, FAILED(check) ? " !" : "  ",
                closeMs, closeCalls, FAILED(close) ? " !" : "  ");
    SysFreeString(folder);
    SysFreeString(none);
  }
  std::printf("(! : the step failed)\n");
  module->Quitter(&application, &handle);
  if (application != nullptr) {
    application->Release();
  }
  module->Release();
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
