// simword.exe: the simulated Word served out of process, as Word 2003 serves itself.
//
//   simword.exe                 starts as a user starts Word: visible, "Document1" open
//   simword.exe -Embedding      started by COM (CreateObject): hidden, no document; its class
//                               object is single-use, so each CreateObject starts a new Word
//   simword.exe /RegServer      registers the class as LocalServer32 with "Word.Application.11"
//   simword.exe /UnregServer    and "Word.Application", or removes them
//
// The Application is in the running object table under the class (GetObject) and under an
// item name of its own process (simword_link.h). Its windows are real windows (class
// "OpusApp", modal dialogs owned by it, the assistant's balloon), mirrored from the
// simulated desktop after every call and every desktop event. While a modal dialog is open,
// calls are rejected as a busy Word rejects them (RPC_E_CALL_REJECTED). The process ends
// when Word ends: quit through automation or closed by the trainee.
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <cwchar>
#include <memory>
#include <string>

#include "automation/text.h"
#include "com/bridge.h"
#include "com/owners.h"
#include "com/registration.h"
#include "platform/file_system_win32.h"
#include "platform/sim_desktop.h"
#include "platform/sim_registry.h"
#include "simword/application.h"
#include "simword/options.h"
#include "winhost/desktop_mirror.h"
#include "winhost/settings_store.h"
#include "winhost/simword_link.h"

namespace r58046::winhost {
namespace {

constexpr UINT kEndMessage = WM_APP + 1;
constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT_PTR kEndTimer = 2;
// How long a Word that ended waits before its process ends. COM sends the answer to the
// call that ended Word (Quit) from another thread once this thread has returned from the
// call; a process that ended at once could cut that answer off, and the caller would see
// the call fail (RPC_S_CALL_FAILED) although Word had quit.
constexpr UINT kEndGraceMs = 250;
// A Word that nobody drove for this long ends by itself, so that a test that lost track of
// it does not leave it running.
constexpr DWORD kIdleLimitMs = 10 * 60 * 1000;

struct Word {
  platform::SimDesktop desktop;
  platform::SimRegistry registry;
  platform::Win32FileSystem files;
  simword::WordEnvironment environment;
  std::shared_ptr<simword::WordSettings> settings;
  std::shared_ptr<simword::Application> application;
  std::unique_ptr<DesktopMirror> mirror;
  HWND control = nullptr;
  DWORD classCookie = 0;
  DWORD activeCookie = 0;
  DWORD itemCookie = 0;
  std::u16string savedSettings;
  DWORD lastActivity = 0;
  bool ending = false;
};

Word* gWord = nullptr;

void withdraw(Word& w);

std::u16string u16(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

// After every call and every event: the real windows follow the simulated ones, Word's
// settings are kept, and a Word that ended ends its process (once the answer has gone).
void afterChange() {
  Word* w = gWord;
  if (w == nullptr || w->ending) {
    return;
  }
  w->lastActivity = GetTickCount();
  w->mirror->sync();
  std::u16string settings = serialize(*w->settings);
  if (settings != w->savedSettings) {
    writeUserValue(L"Settings", std::wstring(settings.begin(), settings.end()));
    w->savedSettings = settings;
  }
  if (!w->application->running()) {
    // Gone for everyone at once: no longer listed, no longer in the running object table;
    // the process ends once the answer to this call has gone.
    w->ending = true;
    withdraw(*w);
    PostMessageW(w->control, kEndMessage, 0, 0);
  }
}

// Takes the Word off the running object table and the list of running simword.exe (its
// control window loses its name).
void withdraw(Word& w) {
  SetWindowTextW(w.control, L"");
  com::ComPtr<IRunningObjectTable> table;
  if (w.itemCookie != 0 && SUCCEEDED(GetRunningObjectTable(0, table.put()))) {
    table->Revoke(w.itemCookie);
  }
  w.itemCookie = 0;
  if (w.activeCookie != 0) {
    RevokeActiveObject(w.activeCookie, nullptr);
  }
  w.activeCookie = 0;
  if (w.classCookie != 0) {
    CoRevokeClassObject(w.classCookie);
  }
  w.classCookie = 0;
}

void end(Word& w) {
  w.ending = true;
  withdraw(w);
  // Every client is cut off now, as when Word's process is gone: its calls fail with 462.
  com::ServerBase::disconnectAll();
  w.mirror.reset();
  DestroyWindow(w.control);
  PostQuitMessage(0);
}

LRESULT command(Word& w, std::u16string text) {
  std::u16string verb = text.substr(0, text.find(u' '));
  std::u16string rest = text.size() > verb.size() ? text.substr(verb.size() + 1) : u"";
  auto& app = *w.application;
  if (verb == u"dialog") {
    app.openDialog(rest);
  } else if (verb == u"dialog-in-dialog") {
    app.openDialogInDialog();
  } else if (verb == u"balloon") {
    app.showBalloon();
  } else if (verb == u"minimize") {
    app.minimize();
  } else if (verb == u"hide") {
    app.hide();
  } else if (verb == u"close-word") {
    app.closeByUser();
  } else if (verb == u"embedded-edit") {
    app.editEmbedded();
  } else if (verb == u"fault") {
    // MEMBER N ERROR
    size_t a = rest.find(u' ');
    size_t b = a == std::u16string::npos ? a : rest.find(u' ', a + 1);
    if (b == std::u16string::npos) {
      return -1;
    }
    double occurrence = 0;
    double error = 0;
    automation::parseNumber(rest.substr(a + 1, b - a - 1), occurrence);
    automation::parseNumber(rest.substr(b + 1), error);
    app.session().injectFault(rest.substr(0, a), static_cast<int32_t>(occurrence),
                              static_cast<int32_t>(error));
  } else if (verb == u"calls") {
    return static_cast<LRESULT>(rest.empty() ? app.session().totalCalls()
                                             : app.session().calls(rest));
  } else if (verb == u"reset-calls") {
    app.session().resetCounts();
  } else if (verb == u"window") {
    return reinterpret_cast<LRESULT>(w.mirror->realOf(app.mainWindow()));
  } else if (verb == u"exit") {
    w.ending = true;
    withdraw(w);
    PostMessageW(w.control, kEndMessage, 0, 0);
    return 0;
  } else {
    return -1;
  }
  afterChange();
  return 0;
}

LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Word* w = gWord;
  if (w != nullptr && hwnd == w->control) {
    switch (msg) {
      case WM_COPYDATA: {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data == nullptr || data->dwData != kCommandTag) {
          return -1;
        }
        std::u16string text(static_cast<const char16_t*>(data->lpData),
                            data->cbData / sizeof(char16_t));
        try {
          return command(*w, std::move(text));
        } catch (...) {
          return -1;
        }
      }
      case kEndMessage:
        SetTimer(hwnd, kEndTimer, kEndGraceMs, nullptr);
        return 0;
      case WM_TIMER:
        if (wParam == kEndTimer ||
            (wParam == kIdleTimer && GetTickCount() - w->lastActivity > kIdleLimitMs)) {
          KillTimer(hwnd, wParam);
          end(*w);
        }
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The class object of a Word started by COM: hands out that Word's Application.
class WordFactory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) {
      return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) {
      return E_POINTER;
    }
    *out = nullptr;
    if (outer != nullptr) {
      return CLASS_E_NOAGGREGATION;
    }
    if (gWord == nullptr || !gWord->application->running()) {
      return CO_E_SERVER_STOPPING;
    }
    try {
      const auto dispatch = com::ComPtr<IDispatch>::adopt(com::dispatchOf(gWord->application));
      return dispatch->QueryInterface(iid, out);
    } catch (...) {
      return E_UNEXPECTED;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

WordFactory gFactory;

int registerServer(bool add) {
  std::wstring clsid = com::guidText(kSimWordClass);
  std::wstring key = L"CLSID\\" + clsid;
  if (!add) {
    bool ok = com::removeTree(key) && com::removeTree(kWordProgId) &&
              com::removeTree(kWordIndependentProgId);
    return ok ? 0 : 1;
  }
  std::wstring path = L"\"" + com::modulePath(nullptr) + L"\"";
  bool ok = com::setValue(key, nullptr, L"Microsoft Word Application (simulated)") &&
            com::setValue(key + L"\\LocalServer32", nullptr, path) &&
            com::setValue(key + L"\\ProgID", nullptr, kWordProgId) &&
            com::setValue(key + L"\\VersionIndependentProgID", nullptr, kWordIndependentProgId) &&
            com::setValue(kWordProgId, nullptr, L"Microsoft Word Document") &&
            com::setValue(std::wstring(kWordProgId) + L"\\CLSID", nullptr, clsid) &&
            com::setValue(kWordIndependentProgId, nullptr, L"Microsoft Word Document") &&
            com::setValue(std::wstring(kWordIndependentProgId) + L"\\CLSID", nullptr, clsid) &&
            com::setValue(std::wstring(kWordIndependentProgId) + L"\\CurVer", nullptr, kWordProgId);
  return ok ? 0 : 1;
}

bool hasSwitch(int argc, wchar_t** argv, const wchar_t* name) {
  for (int i = 1; i < argc; ++i) {
    const wchar_t* a = argv[i];
    if (*a == L'-' || *a == L'/') {
      ++a;
    }
    if (_wcsicmp(a, name) == 0) {
      return true;
    }
  }
  return false;
}

// The person's answer to Word's question whether to save, as the scenario arranged it when
// Word asks.
simword::SaveAnswer savePromptAnswer() {
  std::wstring answer = readUserValue(L"SavePrompt").value_or(L"no");
  if (_wcsicmp(answer.c_str(), L"yes") == 0) {
    return simword::SaveAnswer::Yes;
  }
  if (_wcsicmp(answer.c_str(), L"cancel") == 0) {
    return simword::SaveAnswer::Cancel;
  }
  return simword::SaveAnswer::No;
}

// Faults that a scenario set while no Word ran reach the first Word that starts.
void takePendingFaults(simword::WordSession& session) {
  auto pending = readUserValue(L"PendingFaults");
  if (!pending) {
    return;
  }
  deleteUserValue(L"PendingFaults");
  std::u16string text = u16(*pending);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    std::u16string line = text.substr(start, end == std::u16string::npos ? end : end - start);
    start = end == std::u16string::npos ? text.size() : end + 1;
    size_t a = line.find(u'\t');
    size_t b = a == std::u16string::npos ? a : line.find(u'\t', a + 1);
    if (b == std::u16string::npos) {
      continue;
    }
    double occurrence = 0;
    double error = 0;
    automation::parseNumber(line.substr(a + 1, b - a - 1), occurrence);
    automation::parseNumber(line.substr(b + 1), error);
    session.injectFault(line.substr(0, a), static_cast<int32_t>(occurrence),
                        static_cast<int32_t>(error));
  }
}

int run(bool byAutomation) {
  Word w;
  gWord = &w;
  w.environment.desktop = &w.desktop;
  w.environment.registry = &w.registry;
  w.environment.files = &w.files;
  w.environment.documentsFolder = u16(readUserValue(L"DocumentsFolder").value_or(L"C:\\"));
  w.environment.userTemplatesFolder =
      u16(readUserValue(L"UserTemplatesFolder").value_or(L"C:\\Templates"));
  w.environment.savePromptAnswer = &savePromptAnswer;
  w.settings = simword::WordSettings::initial(w.environment);
  if (auto saved = readUserValue(L"Settings")) {
    deserialize(u16(*saved), *w.settings);
  }
  w.savedSettings = serialize(*w.settings);

  com::setChannelErrors(true);
  com::setCallHook(&afterChange);
  w.mirror = std::make_unique<DesktopMirror>(w.desktop);
  w.application =
      simword::Application::start(w.environment, w.settings,
                                  byAutomation ? simword::Application::StartedBy::Automation
                                               : simword::Application::StartedBy::User);
  takePendingFaults(w.application->session());

  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = &controlProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.lpszClassName = kControlClass;
  RegisterClassExW(&c);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  wchar_t name[64];
  swprintf(name, 64, L"%lu %08lx%08lx", GetCurrentProcessId(), now.dwHighDateTime,
           now.dwLowDateTime);
  w.control = CreateWindowExW(0, kControlClass, name, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SetTimer(w.control, kIdleTimer, 60 * 1000, nullptr);
  w.lastActivity = GetTickCount();
  w.mirror->sync();

  {  // registered as the active Word and by its item; the references go at the block's end
    const auto dispatch = com::ComPtr<IDispatch>::adopt(com::dispatchOf(w.application));
    RegisterActiveObject(dispatch.get(), kSimWordClass, ACTIVEOBJECT_STRONG, &w.activeCookie);
    com::ComPtr<IRunningObjectTable> table;
    com::ComPtr<IMoniker> moniker;
    std::wstring item = applicationItem(GetCurrentProcessId());
    if (SUCCEEDED(GetRunningObjectTable(0, table.put())) &&
        SUCCEEDED(CreateItemMoniker(L"!", item.c_str(), moniker.put()))) {
      table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, dispatch.get(), moniker.get(),
                      &w.itemCookie);
    }
  }
  if (byAutomation) {
    CoRegisterClassObject(kSimWordClass, &gFactory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                          &w.classCookie);
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  gWord = nullptr;
  com::setCallHook(nullptr);
  return 0;
}

}  // namespace
}  // namespace r58046::winhost

int wmain(int argc, wchar_t** argv) {
  using namespace r58046::winhost;
  if (hasSwitch(argc, argv, L"RegServer")) {
    return registerServer(true);
  }
  if (hasSwitch(argc, argv, L"UnregServer")) {
    return registerServer(false);
  }
  bool byAutomation = hasSwitch(argc, argv, L"Embedding") || hasSwitch(argc, argv, L"Automation");
  if (FAILED(OleInitialize(nullptr))) {
    return 1;
  }
  int status = 0;
  try {
    status = run(byAutomation);
  } catch (...) {
    status = 1;
  }
  // The process ends here, whatever proxies of other processes still hold. Its objects are
  // revoked and disconnected already; OleUninitialize is left out, as it can wait for
  // clients that are busy elsewhere (and under Wine sometimes waits for ever).
  ExitProcess(static_cast<UINT>(status));
}
