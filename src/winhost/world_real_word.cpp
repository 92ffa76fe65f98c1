#include "winhost/world_real_word.h"

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/text.h"
#include "com/bridge.h"
#include "com/registration.h"
#include "platform/file_system_win32.h"
#include "winhost/simword_link.h"
#include "winhost/world_windows.h"

namespace r58046::winhost {
namespace {

namespace fs = std::filesystem;
using automation::AutomationError;
using automation::Object;
using automation::ObjectRef;
using automation::Variant;

// How long a Word that quit may take to end its process, and a Word started by automation
// to show its main window.
constexpr DWORD kWordEndLimitMs = 15000;
constexpr DWORD kWindowLimitMs = 10000;
// Word's constants.
constexpr int32_t kWdDocumentsPath = 0;
constexpr int32_t kWdUserTemplatesPath = 2;
constexpr int32_t kWdDoNotSaveChanges = 0;
// The error a call on a Word that has gone answers.
constexpr int32_t kServerGone = 462;

std::u16string u16(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

std::optional<CLSID> wordClass() {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(kWordProgId, &clsid))) {
    return std::nullopt;
  }
  return clsid;
}

CLSID requireWordClass() {
  std::optional<CLSID> clsid = wordClass();
  if (!clsid) {
    throw std::runtime_error(
        "no Word answers to \"Word.Application.11\" (is Word 2003 installed?)");
  }
  return *clsid;
}

// The file name of the program registered for Word's class ("WINWORD.EXE" for Word 2003,
// whose LocalServer32 reads like "C:\PROGRA~1\MICROS~2\OFFICE11\WINWORD.EXE /automation").
std::wstring wordProgram(const CLSID& clsid) {
  std::wstring command =
      com::readValue(L"CLSID\\" + com::guidText(clsid) + L"\\LocalServer32", nullptr)
          .value_or(L"WINWORD.EXE");
  std::wstring path;
  if (!command.empty() && command[0] == L'"') {
    path = command.substr(1, command.find(L'"', 1) - 1);
  } else {
    path = command.substr(0, command.find(L' '));
  }
  return path.substr(path.find_last_of(L"\\/") + 1);
}

int processesNamed(const std::wstring& image) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) {
    return 0;
  }
  int count = 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, image.c_str()) == 0) {
      ++count;
    }
  }
  CloseHandle(snapshot);
  return count;
}

// Waits (bounded) until no process of Word's program is left; false when one still runs.
bool noWordLeft(const std::wstring& image) {
  DWORD start = GetTickCount();
  while (processesNamed(image) > 0) {
    if (GetTickCount() - start > kWordEndLimitMs) {
      return false;
    }
    Sleep(50);
  }
  return true;
}

std::runtime_error wordAlreadyRuns(const std::wstring& image) {
  return std::runtime_error("a Word runs already (" + automation::toUtf8(u16(image)) +
                            "): close every Word before playing scenarios against a real Word");
}

ObjectRef startByAutomation(const CLSID& clsid) {
  IUnknown* unknown = nullptr;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&unknown));
  if (FAILED(hr) || unknown == nullptr) {
    throw std::runtime_error("Word did not start: " + automation::toUtf8(com::describeHresult(hr)));
  }
  ObjectRef application;
  try {
    application = com::objectOf(unknown);
  } catch (...) {
    unknown->Release();
    throw;
  }
  unknown->Release();
  return application;
}

// Whether a Word still answers; a busy Word (a dialog open) still runs.
bool answers(const ObjectRef& application) {
  try {
    Object(application).get(u"Visible");
    return true;
  } catch (const AutomationError& e) {
    return e.number() != kServerGone;
  }
}

void quitWithoutSaving(const ObjectRef& application) {
  try {
    Object(application).call(u"Quit", Variant(kWdDoNotSaveChanges));
  } catch (const AutomationError&) {
    // Gone already, or refusing: the next world finds it and says so.
  }
}

std::u16string text(const Object& object, std::u16string_view member) {
  return object.get(member).toString();
}

RealWordIdentity readIdentity() {
  CLSID clsid = requireWordClass();
  std::wstring image = wordProgram(clsid);
  if (!noWordLeft(image)) {
    throw wordAlreadyRuns(image);
  }
  RealWordIdentity identity;
  ObjectRef application = startByAutomation(clsid);
  try {
    Object word(application);
    identity.name = text(word, u"Name");
    identity.version = text(word, u"Version");
    try {
      identity.build = text(word, u"Build");
    } catch (const AutomationError&) {
      identity.build = u"unknown";
    }
    Object options(word.get(u"Options"));
    identity.documentsFolder = options.get(u"DefaultFilePath", kWdDocumentsPath).toString();
    identity.userTemplatesFolder = options.get(u"DefaultFilePath", kWdUserTemplatesPath).toString();
  } catch (const AutomationError& e) {
    quitWithoutSaving(application);
    throw std::runtime_error("Word did not tell who it is: " + automation::toUtf8(e.description()));
  }
  quitWithoutSaving(application);
  application.reset();
  CoFreeUnusedLibraries();
  noWordLeft(image);
  return identity;
}

std::vector<HWND> wordWindows() {
  std::vector<HWND> out;
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"OpusApp", nullptr)) != nullptr) {
    out.push_back(window);
  }
  return out;
}

// The main window of a Word started after `before` was listed: the OpusApp window that
// was not there, else the only one.
HWND newWordWindow(const std::vector<HWND>& before) {
  DWORD start = GetTickCount();
  for (;;) {
    std::vector<HWND> now = wordWindows();
    for (HWND w : now) {
      if (std::find(before.begin(), before.end(), w) == before.end()) {
        return w;
      }
    }
    if (GetTickCount() - start > kWindowLimitMs) {
      if (now.size() == 1) {
        return now.front();
      }
      throw std::runtime_error("the main window of the Word started was not found");
    }
    Sleep(20);
  }
}

fs::path makeRoot() {
  fs::path base = fs::temp_directory_path();
  for (unsigned n = GetTickCount() ^ GetCurrentProcessId(), attempt = 0; attempt < 100;
       ++attempt, n = n * 1103515245u + 12345u) {
    wchar_t name[32];
    swprintf(name, 32, L"r58046-%08x", n);
    std::error_code ec;
    if (fs::create_directory(base / name, ec)) {
      return base / name;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

std::u16string withSeparator(std::u16string folder) {
  if (folder.empty() || folder.back() != u'\\') {
    folder += u'\\';
  }
  return folder;
}

std::u16string withoutSeparator(std::u16string folder) {
  while (!folder.empty() && folder.back() == u'\\') {
    folder.pop_back();
  }
  return folder;
}

class RealWordWorld : public scenario::World {
 public:
  RealWordWorld()
      : identity_(realWordIdentity()), class_(requireWordClass()), image_(wordProgram(class_)) {
    if (!noWordLeft(image_)) {
      throw wordAlreadyRuns(image_);
    }
    root_ = makeRoot();
    try {
      fs::path work = root_ / L"Travail";
      fs::create_directory(work);
      folders_.work = u16(work.wstring()) + u"\\";
      folders_.documents = withSeparator(identity_.documentsFolder);
      folders_.userTemplates = withoutSeparator(identity_.userTemplatesFolder);
      folders_.templates = folders_.userTemplates + u"\\Oxel Mod\u00e8les\\";
      module_ = createHostModule();
    } catch (...) {
      std::error_code ec;
      fs::remove_all(root_, ec);
      throw;
    }
  }

  ~RealWordWorld() override {
    module_.reset();
    // Every Word that still runs was started for this file (none ran before it): it quits
    // without saving, as the simulated world ends its Words.
    try {
      for (int attempt = 0; attempt < 5; ++attempt) {
        ObjectRef running = runningWord();
        if (!running) {
          break;
        }
        quitWithoutSaving(running);
      }
    } catch (...) {
      // A Word that cannot be reached is not waited for; the next world finds it running.
    }
    own_.reset();
    CoFreeUnusedLibraries();
    noWordLeft(image_);
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  RealWordWorld(const RealWordWorld&) = delete;
  RealWordWorld& operator=(const RealWordWorld&) = delete;

  const scenario::WorldFolders& folders() const override { return folders_; }
  platform::FileSystem& files() override { return files_; }
  external::AbstractModule& module() override { return *module_; }

  // The Word registered as the active one (the first that started), else the one this world
  // started while it still answers.
  ObjectRef runningWord() override {
    IUnknown* unknown = nullptr;
    if (SUCCEEDED(GetActiveObject(class_, nullptr, &unknown)) && unknown != nullptr) {
      ObjectRef active;
      try {
        active = com::objectOf(unknown);
      } catch (...) {
        unknown->Release();
        throw;
      }
      unknown->Release();
      if (answers(active)) {
        return active;
      }
    }
    if (own_ && !answers(own_)) {
      own_.reset();
    }
    return own_;
  }

  // Word started as automation starts it, then shown with a new blank document, as a user
  // finds it after starting it.
  scenario::WordHandle startWordAsUser() override {
    std::vector<HWND> before = wordWindows();
    ObjectRef application = startByAutomation(class_);
    own_ = application;
    Object word(application);
    word.put(u"Visible", Variant::boolean(true));
    Object(word.get(u"Documents")).call(u"Add");
    HWND window = newWordWindow(before);
    return scenario::WordHandle{application,
                                static_cast<platform::Hwnd>(reinterpret_cast<intptr_t>(window))};
  }

  void desktopEvent(scenario::DesktopEvent, const std::u16string&) override {
    throw scenario::LineNotPlayable("a desktop event needs the simulated Word");
  }

  void injectFault(std::u16string_view, int32_t, int32_t) override {
    throw scenario::LineNotPlayable("a fault needs the simulated Word");
  }
  void arrangeSavePrompt(simword::SaveAnswer) override {
    throw scenario::LineNotPlayable(
        "the person's answer to Word's question needs the simulated Word");
  }

  // A missing file fails as it does everywhere; an attribute the system refuses, or does
  // not keep, skips the line.
  void setFileAttribute(std::u16string_view path, platform::FileAttribute attribute) override {
    if (!files_.exists(path)) {
      files_.setAttribute(path, attribute);
      return;
    }
    try {
      files_.setAttribute(path, attribute);
    } catch (const AutomationError& e) {
      throw scenario::LineNotPlayable("the system refused the attribute: " +
                                      automation::toUtf8(e.description()));
    }
    if (!files_.hasAttribute(path, attribute)) {
      throw scenario::LineNotPlayable("the system did not keep the attribute");
    }
  }

 private:
  const RealWordIdentity& identity_;
  CLSID class_;
  std::wstring image_;
  fs::path root_;
  scenario::WorldFolders folders_;
  platform::Win32FileSystem files_;
  std::unique_ptr<external::AbstractModule> module_;
  ObjectRef own_;  // the Word this world started for the scenario's `word` lines
};

}  // namespace

bool simulatedWordRegistered() {
  std::optional<CLSID> clsid = wordClass();
  return clsid && IsEqualCLSID(*clsid, kSimWordClass);
}

const RealWordIdentity& realWordIdentity() {
  static std::optional<RealWordIdentity> identity;
  if (!identity) {
    identity = readIdentity();
  }
  return *identity;
}

std::u16string describeRealWord(const RealWordIdentity& word) {
  return word.name + u", Version " + word.version + u", Build " + word.build;
}

std::unique_ptr<scenario::World> makeRealWordWorld() {
  return std::make_unique<RealWordWorld>();
}

}  // namespace r58046::winhost
