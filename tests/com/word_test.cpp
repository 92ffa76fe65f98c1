// The simulated Word served out of process (simword.exe) reached as the module reaches
// Word: by ProgID through COM, its real windows through the window manager; and a failure
// in a question's evaluation reaching the host with its whole call-trace source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/bridge.h"
#include "com/r58046.h"
#include "com/windows_platform.h"
#include "com_test_support.h"
#include "winhost/simword_link.h"

using namespace r58046;
using automation::AutomationError;
using automation::Object;
using automation::Variant;
using testsupport::failureOf;
namespace errors = automation::errors;

namespace {

class Word : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    winhost::endAllSimWords();
    std::wstring documents = folders.make(L"Mes documents");
    std::wstring templates = folders.make(L"Mod\u00e8les");
    winhost::writeUserValue(L"DocumentsFolder", documents);
    winhost::writeUserValue(L"UserTemplatesFolder", templates.substr(0, templates.size() - 1));
    winhost::deleteUserValue(L"Settings");
    winhost::deleteUserValue(L"PendingFaults");
  }
  void TearDown() override {
    word = Object();
    winhost::endAllSimWords();
    OleUninitialize();
  }

  // The newest simword.exe's control window.
  HWND control() {
    auto all = winhost::runningSimWords();
    return all.empty() ? nullptr : all.back().control;
  }
  platform::Hwnd mainWindow() {
    return windows.FindWindowA(std::u16string_view(u"OpusApp"), std::nullopt);
  }
  // The first visible window with a caption and the modal-frame style owned by `owner`,
  // walking up the Z order from it as the module does.
  platform::Hwnd dialogOwnedBy(platform::Hwnd owner) {
    for (platform::Hwnd h = windows.GetWindow(owner, platform::kGwHwndPrev); h != 0;
         h = windows.GetWindow(h, platform::kGwHwndPrev)) {
      std::u16string caption;
      if (windows.GetWindowTextA(h, caption, 255) > 0 && windows.IsWindowVisible(h) != 0 &&
          (windows.GetWindowLongA(h, platform::kGwlExStyle) & platform::kWsExDlgModalFrame) != 0 &&
          windows.GetParent(h) == owner) {
        return h;
      }
    }
    return 0;
  }

  testsupport::TempFolder folders;
  com::ComClassRegistry registry;
  platform::Win32WindowManager windows;
  Object word;
};

TEST_F(Word, StartedByAutomationAndAttachedAgain) {
  word = registry.createObject(u"Word.Application.11");
  EXPECT_FALSE(word.get(u"Visible").toBool());
  EXPECT_EQ(Object(word.get(u"Documents")).get(u"Count").toLong(), 0);
  word.put(u"Visible", Variant::boolean(true));
  platform::Hwnd main =
      windows.FindWindowA(std::u16string_view(u"OPUSAPP"), std::u16string_view(u"Microsoft Word"));
  ASSERT_NE(main, 0);
  EXPECT_NE(windows.IsWindowVisible(main), 0);

  Object documents = word.get(u"Documents");
  documents.call(u"Add");
  EXPECT_EQ(documents.get(u"Count").toLong(), 1);
  std::u16string name = Object(word.get(u"ActiveDocument")).get(u"Name").toString();
  EXPECT_NE(windows.FindWindowA(std::u16string_view(u"OpusApp"), name + u" - Microsoft Word"), 0);

  // GetObject reaches the same Word, and the Is test holds across the two references.
  Object attached = registry.getActiveObject(u"Word.application.11");
  EXPECT_TRUE(automation::sameObject(attached.ref(), word.ref()));
}

TEST_F(Word, AWordStartedLaterAnswersTheSameIdentifiersWhateverItWasAskedBefore) {
  // The module keeps Word's identifiers for its whole life, as Word's type library fixes
  // them: a simulated Word started after another one must answer the same.
  auto idsOf = [](const Object& application, const std::vector<std::wstring>& names) {
    auto* client = dynamic_cast<com::ComObject*>(application.ref().get());
    std::vector<DISPID> ids;
    for (const std::wstring& name : names) {
      LPOLESTR text = const_cast<LPOLESTR>(name.c_str());
      DISPID id = DISPID_UNKNOWN;
      EXPECT_EQ(client->dispatch()->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id),
                S_OK);
      ids.push_back(id);
    }
    return ids;
  };
  std::vector<std::wstring> names{L"Documents", L"ActiveDocument", L"Visible", L"Quit"};
  word = registry.createObject(u"Word.Application.11");
  std::vector<DISPID> first = idsOf(word, names);
  word.call(u"Quit");
  word = Object();
  winhost::endAllSimWords();

  word = registry.createObject(u"Word.Application.11");
  std::vector<DISPID> second = idsOf(word, {names.rbegin(), names.rend()});
  EXPECT_EQ(first, std::vector<DISPID>(second.rbegin(), second.rend()));
}

TEST_F(Word, ModalDialogsRejectCallsUntilEscapeOrClose) {
  word = registry.createObject(u"Word.Application.11");
  word.put(u"Visible", Variant::boolean(true));
  platform::Hwnd main = mainWindow();
  ASSERT_NE(main, 0);

  ASSERT_EQ(winhost::sendCommand(control(), u"dialog Paragraphe"), 0);
  platform::Hwnd dialog = dialogOwnedBy(main);
  ASSERT_NE(dialog, 0);
  std::u16string caption;
  windows.GetWindowTextA(dialog, caption, 255);
  EXPECT_EQ(caption, u"Paragraphe");
  EXPECT_EQ(failureOf([&] { word.get(u"Visible"); }).number(), errors::kCallRejected);

  // Escape, pressed in Word's window, closes the dialog; Word answers again.
  windows.SetForegroundWindow(main);
  windows.sendEscape();
  // The keystroke goes through the system's input queue of Word's process: it has been
  // handed over when sendEscape returns, and is handled soon after.
  for (int i = 0; i < 300 && dialogOwnedBy(main) != 0; ++i) {
    Sleep(10);
  }
  EXPECT_EQ(dialogOwnedBy(main), 0);
  EXPECT_TRUE(word.get(u"Visible").toBool());

  // A dialog that owns a dialog: the inner one is owned by the outer one; WM_CLOSE on the
  // outer one closes both.
  ASSERT_EQ(winhost::sendCommand(control(), u"dialog-in-dialog"), 0);
  platform::Hwnd outer = dialogOwnedBy(main);
  ASSERT_NE(outer, 0);
  platform::Hwnd inner = dialogOwnedBy(outer);
  ASSERT_NE(inner, 0);
  windows.SendMessageA(inner, platform::kWmClose, 0, 0);
  windows.SendMessageA(outer, platform::kWmClose, 0, 0);
  EXPECT_EQ(dialogOwnedBy(main), 0);
  EXPECT_TRUE(word.get(u"Visible").toBool());
}

TEST_F(Word, BalloonAndShowStates) {
  word = registry.createObject(u"Word.Application.11");
  word.put(u"Visible", Variant::boolean(true));
  platform::Hwnd main = mainWindow();
  ASSERT_EQ(winhost::sendCommand(control(), u"balloon"), 0);
  platform::Hwnd balloon = windows.FindWindowA(std::u16string_view(u"MSOBALLOON"), std::nullopt);
  ASSERT_NE(balloon, 0);
  EXPECT_NE(windows.FindWindowExA(balloon, 0, std::nullopt, std::nullopt), 0);

  ASSERT_EQ(winhost::sendCommand(control(), u"minimize"), 0);
  EXPECT_EQ(windows.IsIconic(main), 1);
  windows.ShowWindow(main, platform::kSwShowMaximized);
  EXPECT_EQ(windows.IsIconic(main), 0);
  EXPECT_EQ(word.get(u"WindowState").toLong(), 1);  // maximised, as Word reads its window
}

TEST_F(Word, AWordThatIsGoneFailsWith462) {
  word = registry.createObject(u"Word.Application.11");
  word.put(u"Visible", Variant::boolean(true));
  ASSERT_EQ(winhost::sendCommand(control(), u"close-word"), 0);
  EXPECT_EQ(failureOf([&] { word.get(u"Visible"); }).number(), errors::kServerNotAvailable);
  EXPECT_EQ(mainWindow(), 0);

  Object other = registry.createObject(u"Word.Application.11");
  other.call(u"Quit", Variant(int32_t{0}));
  EXPECT_EQ(failureOf([&] { other.get(u"Visible"); }).number(), errors::kServerNotAvailable);
}

TEST_F(Word, AFailedEvaluationReachesTheHostWithItsCallTrace) {
  std::wstring work = folders.make(L"Travail");
  ASSERT_TRUE(CopyFileW((testsupport::exercisesFolder() + L"05804601.doc").c_str(),
                        (work + L"05804601.doc").c_str(), FALSE));
  AbstractModule* module = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_Module, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                             reinterpret_cast<void**>(&module)),
            S_OK);
  IDispatch* application = nullptr;
  LONG handle = -1;
  BSTR folder = SysAllocString(work.c_str());
  BSTR none = SysAllocString(L"");
  ASSERT_EQ(module->InitQuestion(201, folder, &application, &handle, none), S_OK);
  EXPECT_NE(application, nullptr);
  EXPECT_NE(handle, 0);

  const std::wstring expected =
      L"DLL R58046 - CLASSE Question0201\n\r - SERVICE TestePoint - OBJET Microsoft Word";
  // Through the table of functions: the HRESULT of Word's error and IErrorInfo.
  ASSERT_EQ(winhost::sendCommand(control(), u"fault LeftIndent 1 4198"), 0);
  EXPECT_EQ(module->TestePoint(), static_cast<HRESULT>(0x800A1066));
  IErrorInfo* error = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
  BSTR source = nullptr;
  error->GetSource(&source);
  EXPECT_EQ(std::wstring(source ? source : L""), expected);
  SysFreeString(source);
  error->Release();

  // Through IDispatch: EXCEPINFO.
  ASSERT_EQ(winhost::sendCommand(control(), u"fault LeftIndent 1 4198"), 0);
  DISPID id = 0;
  LPOLESTR member = const_cast<LPOLESTR>(L"TestePoint");
  ASSERT_EQ(module->GetIDsOfNames(IID_NULL, &member, 1, 0, &id), S_OK);
  DISPPARAMS noArguments{};
  EXCEPINFO info{};
  EXPECT_EQ(module->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &noArguments, nullptr, &info, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, static_cast<HRESULT>(0x800A1066));
  EXPECT_EQ(std::wstring(info.bstrSource ? info.bstrSource : L""), expected);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);

  EXPECT_EQ(module->Quitter(&application, &handle), S_OK);
  EXPECT_EQ(application, nullptr);
  SysFreeString(folder);
  SysFreeString(none);
  module->Release();
}

}  // namespace
