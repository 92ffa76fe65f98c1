#include "winhost/world_windows.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "automation/text.h"
#include "com/bridge.h"
#include "com/diagnostics.h"
#include "com/owners.h"
#include "com/r58046.h"
#include "com/registration.h"
#include "external/host.h"
#include "platform/file_system_win32.h"
#include "winhost/simword_link.h"

namespace r58046::winhost {
namespace {

using automation::ObjectRef;

// How long a Word started as a user may take to show its control window and register.
constexpr DWORD kStartLimitMs = 20000;

std::u16string u16(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}
std::wstring wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

// The module as the host holds it: through the AbstractModule table of functions, with
// failures raised from the HRESULT and the error information, as VB raises them.
class ComModule : public external::AbstractModule {
 public:
  explicit ComModule(com::ComPtr<::AbstractModule> module) : module_(std::move(module)) {}

  bool BravoNuance() override {
    VARIANT_BOOL value = VARIANT_FALSE;
    check(module_->get_BravoNuance(&value));
    return value != VARIANT_FALSE;
  }
  ObjectRef Complement() override {
    com::ComPtr<::ComplementInfo> list;
    check(module_->get_Complement(list.put()));
    if (!list) {
      return nullptr;
    }
    return com::objectOf(list.get());
  }
  std::u16string CauseErreur() override {
    com::UniqueBstr code;
    check(module_->get_CauseErreur(code.put()));
    return com::fromBstr(code.get());
  }
  bool ErreurGenerale() override {
    VARIANT_BOOL value = VARIANT_FALSE;
    check(module_->get_ErreurGenerale(&value));
    return value != VARIANT_FALSE;
  }
  void Fermer() override { check(module_->Fermer()); }
  void InitQuestion(int32_t ilQuestion, std::u16string isPathDossier, ObjectRef& ioApplication,
                    int32_t& ioHandleLogiciel, std::u16string isPathModele) override {
    const com::UniqueBstr dossier(com::toBstr(isPathDossier));
    const com::UniqueBstr modele(com::toBstr(isPathModele));
    IDispatch* application = com::dispatchOf(ioApplication);
    LONG handle = ioHandleLogiciel;
    std::optional<automation::AutomationError> failure = failureOf(
        module_->InitQuestion(ilQuestion, dossier.get(), &application, &handle, modele.get()));
    writeBack(com::ComPtr<IDispatch>::adopt(application), handle, ioApplication, ioHandleLogiciel);
    if (failure) {
      throw *failure;
    }
  }
  void Quitter(ObjectRef& ioApplication, int32_t& ioHandleLogiciel) override {
    IDispatch* application = com::dispatchOf(ioApplication);
    LONG handle = ioHandleLogiciel;
    std::optional<automation::AutomationError> failure =
        failureOf(module_->Quitter(&application, &handle));
    writeBack(com::ComPtr<IDispatch>::adopt(application), handle, ioApplication, ioHandleLogiciel);
    if (failure) {
      throw *failure;
    }
  }
  void TestePoint() override { check(module_->TestePoint()); }

 private:
  // The error of a failed call, read at once: writing the by-reference arguments back may
  // make other calls, which would replace the thread's error information.
  std::optional<automation::AutomationError> failureOf(HRESULT hr) {
    if (SUCCEEDED(hr)) {
      return std::nullopt;
    }
    try {
      com::raiseFailure(hr, nullptr, module_.get(), IID_AbstractModule);
    } catch (const automation::AutomationError& e) {
      trace(e);
      return e;
    }
  }

  // With R58046_TRACE set, every failed host call is told on the error output (the tests
  // under Wine keep it in their logs).
  static void trace(const automation::AutomationError& e) {
    if (com::tracing()) {
      std::fprintf(stderr, "host call failed: %d %s / %s\n", e.number(),
                   automation::toUtf8(e.source()).c_str(),
                   automation::toUtf8(e.description()).c_str());
    }
  }

  // The by-reference arguments after the call: the reference the call left in the
  // application's argument is the caller's, released here.
  void writeBack(com::ComPtr<IDispatch> application, LONG handle, ObjectRef& ioApplication,
                 int32_t& ioHandleLogiciel) {
    ObjectRef written;
    try {
      written = com::objectOf(application.get());
    } catch (...) {
    }
    application.reset();
    if (!automation::sameObject(written, ioApplication)) {
      ioApplication = written;
    }
    ioHandleLogiciel = handle;
  }

  void check(HRESULT hr) {
    if (std::optional<automation::AutomationError> failure = failureOf(hr)) {
      throw *failure;
    }
  }

  com::ComPtr<::AbstractModule> module_;
};

std::wstring makeRoot() {
  wchar_t base[MAX_PATH + 1] = {};
  if (GetTempPathW(MAX_PATH, base) == 0) {
    throw std::runtime_error("no temporary folder");
  }
  for (unsigned n = GetTickCount() ^ GetCurrentProcessId(), attempt = 0; attempt < 100;
       ++attempt, n = n * 1103515245u + 12345u) {
    wchar_t name[32];
    swprintf(name, 32, L"r58046-%08x", n);
    std::wstring root = std::wstring(base) + name;
    if (CreateDirectoryW(root.c_str(), nullptr)) {
      return root + L"\\";
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

void removeTree(const std::wstring& folder) {
  std::wstring from = folder;
  while (!from.empty() && from.back() == L'\\') {
    from.pop_back();
  }
  from.push_back(L'\0');  // a list of one path, doubly terminated
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

// With R58046_TRACE set, each world (one per scenario file) is counted on the error output,
// so that the failures traced after it can be put down to its file.
void traceWorld() {
  static int count = 0;
  ++count;
  if (com::tracing()) {
    std::fprintf(stderr, "[%lu] world %d\n", GetTickCount(), count);
  }
}

void makeFolder(const std::wstring& path) {
  if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    throw std::runtime_error("cannot make " + automation::toUtf8(u16(path)));
  }
}

class WindowsWorld : public scenario::World {
 public:
  WindowsWorld() : root_(makeRoot()) {
    try {
      std::wstring work = root_ + L"Travail";
      std::wstring documents = root_ + L"Mes documents";
      std::wstring microsoft = root_ + L"Microsoft";
      std::wstring templates = microsoft + L"\\Mod\u00e8les";
      for (const std::wstring& f : {work, documents, microsoft, templates}) {
        makeFolder(f);
      }
      folders_.work = u16(work) + u"\\";
      folders_.documents = u16(documents) + u"\\";
      folders_.userTemplates = u16(templates);
      folders_.templates = folders_.userTemplates + u"\\Oxel Mod\u00e8les\\";

      // A new Word user for this world: its folders, no saved settings, no faults waiting,
      // no answer arranged for Word's question whether to save.
      endAllSimWords();
      traceWorld();
      writeUserValue(L"DocumentsFolder", wide(folders_.documents));
      writeUserValue(L"UserTemplatesFolder", wide(folders_.userTemplates));
      deleteUserValue(L"Settings");
      deleteUserValue(L"PendingFaults");
      deleteUserValue(L"SavePrompt");

      com::ComPtr<::AbstractModule> module;
      HRESULT hr = CoCreateInstance(CLSID_Module, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                                    module.putVoid());
      if (FAILED(hr) || !module) {
        throw std::runtime_error("cannot create R58046.Module (is r58046.dll registered?)");
      }
      module_ = std::make_unique<ComModule>(std::move(module));
    } catch (...) {
      release();
      throw;
    }
  }

  ~WindowsWorld() override { release(); }
  WindowsWorld(const WindowsWorld&) = delete;
  WindowsWorld& operator=(const WindowsWorld&) = delete;

  const scenario::WorldFolders& folders() const override { return folders_; }
  platform::FileSystem& files() override { return files_; }
  external::AbstractModule& module() override { return *module_; }

  ObjectRef runningWord() override {
    auto all = runningSimWords();
    if (all.empty()) {
      return nullptr;
    }
    return applicationFor(all.back().processId);
  }

  scenario::WordHandle startWordAsUser() override {
    std::wstring program = com::modulePath(nullptr);
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"simword.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
      throw std::runtime_error("cannot start simword.exe");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DWORD started = GetTickCount();
    for (;;) {
      for (const auto& word : runningSimWords()) {
        if (word.processId == process.dwProcessId) {
          if (ObjectRef application = applicationFor(word.processId)) {
            auto window = static_cast<platform::Hwnd>(sendCommand(word.control, u"window"));
            return scenario::WordHandle{application, window};
          }
        }
      }
      if (GetTickCount() - started > kStartLimitMs) {
        throw std::runtime_error("simword.exe did not start");
      }
      Sleep(20);
    }
  }

  void desktopEvent(scenario::DesktopEvent event, const std::u16string& caption) override {
    auto all = runningSimWords();
    if (all.empty()) {
      throw std::runtime_error("no Word runs for the desktop event");
    }
    std::u16string command;
    switch (event) {
      case scenario::DesktopEvent::Dialog:
        command = u"dialog " + caption;
        break;
      case scenario::DesktopEvent::DialogInDialog:
        command = u"dialog-in-dialog";
        break;
      case scenario::DesktopEvent::Balloon:
        command = u"balloon";
        break;
      case scenario::DesktopEvent::Minimize:
        command = u"minimize";
        break;
      case scenario::DesktopEvent::Hide:
        command = u"hide";
        break;
      case scenario::DesktopEvent::CloseWord:
        command = u"close-word";
        break;
      case scenario::DesktopEvent::EmbeddedEdit:
        command = u"embedded-edit";
        break;
      case scenario::DesktopEvent::SavePrompt:
        return;  // arranged through arrangeSavePrompt, Word running or not
    }
    if (sendCommand(all.back().control, command) != 0) {
      throw std::runtime_error("Word did not take the desktop event");
    }
  }

  // Every simword.exe reads the answer when it asks, so that it reaches the Word that runs
  // and those that start later.
  void arrangeSavePrompt(simword::SaveAnswer answer) override {
    writeUserValue(L"SavePrompt", answer == simword::SaveAnswer::Yes      ? L"yes"
                                  : answer == simword::SaveAnswer::Cancel ? L"cancel"
                                                                          : L"no");
  }

  void injectFault(std::u16string_view member, int32_t occurrence, int32_t error) override {
    auto number = [](int32_t n) { return automation::fromUtf8(std::to_string(n)); };
    auto all = runningSimWords();
    if (!all.empty()) {
      sendCommand(all.back().control, u"fault " + std::u16string(member) + u" " +
                                          number(occurrence) + u" " + number(error));
      return;
    }
    std::wstring pending = readUserValue(L"PendingFaults").value_or(L"");
    pending +=
        wide(std::u16string(member) + u"\t" + number(occurrence) + u"\t" + number(error)) + L"\n";
    writeUserValue(L"PendingFaults", pending);
  }

  // The module's Word calls are made in r58046.dll, which tells them through its diagnostic
  // entry point.
  bool observeWordCalls(automation::CallObserver* observer) override {
    return com::observeModuleWordCalls(observer);
  }

 private:
  // One reference per Word process, so that every statement reaches it through the same
  // proxy.
  ObjectRef applicationFor(DWORD processId) {
    auto it = applications_.find(processId);
    if (it != applications_.end()) {
      return it->second;
    }
    ObjectRef application = applicationOf(processId);
    if (application) {
      applications_[processId] = application;
    }
    return application;
  }

  void release() {
    module_.reset();
    applications_.clear();
    endAllSimWords();
    deleteUserValue(L"Settings");
    deleteUserValue(L"PendingFaults");
    deleteUserValue(L"SavePrompt");
    CoFreeUnusedLibraries();
    removeTree(root_);
  }

  std::wstring root_;
  scenario::WorldFolders folders_;
  platform::Win32FileSystem files_;
  std::unique_ptr<ComModule> module_;
  std::map<DWORD, ObjectRef> applications_;
};

}  // namespace

std::unique_ptr<scenario::World> makeWindowsWorld() {
  return std::make_unique<WindowsWorld>();
}

std::unique_ptr<external::AbstractModule> createHostModule() {
  com::ComPtr<::AbstractModule> module;
  HRESULT hr = CoCreateInstance(CLSID_Module, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                                module.putVoid());
  if (FAILED(hr) || !module) {
    throw std::runtime_error("cannot create R58046.Module (is r58046.dll registered?)");
  }
  return std::make_unique<ComModule>(std::move(module));
}

}  // namespace r58046::winhost
