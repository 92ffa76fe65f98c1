#include "com_test_support.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "com/registration.h"

namespace r58046::testsupport {

std::wstring programFolder() {
  std::wstring path = com::modulePath(nullptr);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring dllPath() {
  return programFolder() + L"r58046.dll";
}

std::wstring exercisesFolder() {
  const wchar_t* source = _wgetenv(L"R58046_SOURCE_DIR");
  std::wstring folder = source != nullptr ? source : L"";
  if (!folder.empty() && folder[0] == L'/') {
    folder = L"Z:" + folder;  // Wine's drive for the Unix root
  }
  for (auto& c : folder) {
    if (c == L'/') {
      c = L'\\';
    }
  }
  if (!folder.empty() && folder.back() != L'\\') {
    folder += L'\\';
  }
  return folder + L"exercises\\";
}

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, base);
  for (unsigned n = GetTickCount();; ++n) {
    std::wstring candidate = std::wstring(base) + L"r58046-test-" + std::to_wstring(n);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate + L"\\";
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::wstring from = path_.substr(0, path_.size() - 1);
  from.push_back(L'\0');  // a list of one path, doubly terminated
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

automation::AutomationError failureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const automation::AutomationError& e) {
    return e;
  }
  ADD_FAILURE() << "no failure";
  return automation::AutomationError(0, u"", u"");
}

std::wstring TempFolder::make(const std::wstring& name) const {
  std::wstring folder = path_ + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\";
}

}  // namespace r58046::testsupport
