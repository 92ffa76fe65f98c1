#include "winhost/simword_link.h"

#include <objbase.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>

#include "com/bridge.h"
#include "com/owners.h"

namespace r58046::winhost {

std::wstring applicationItem(DWORD processId) {
  return L"R58046.SimWord." + std::to_wstring(processId);
}

bool writeUserValue(const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

std::optional<std::wstring> readUserValue(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::wstring> out;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) == ERROR_SUCCESS) {
      out = std::wstring(buffer.c_str());
    }
  }
  RegCloseKey(key);
  return out;
}

void deleteUserValue(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, name);
    RegCloseKey(key);
  }
}

std::vector<SimWordProcess> runningSimWords() {
  std::vector<SimWordProcess> out;
  HWND control = nullptr;
  while ((control = FindWindowExW(HWND_MESSAGE, control, kControlClass, nullptr)) != nullptr) {
    wchar_t name[64] = {};
    GetWindowTextW(control, name, 64);
    SimWordProcess p;
    p.control = control;
    wchar_t* rest = nullptr;
    p.processId = static_cast<DWORD>(std::wcstoul(name, &rest, 10));
    p.started = std::wcstoull(rest, nullptr, 16);
    if (p.processId != 0) {
      out.push_back(p);
    }
  }
  std::sort(out.begin(), out.end(),
            [](const SimWordProcess& a, const SimWordProcess& b) { return a.started < b.started; });
  return out;
}

LRESULT sendCommand(HWND control, const std::u16string& command) {
  COPYDATASTRUCT data{};
  data.dwData = kCommandTag;
  data.cbData = static_cast<DWORD>(command.size() * sizeof(char16_t));
  data.lpData = const_cast<char16_t*>(command.data());
  DWORD_PTR answer = static_cast<DWORD_PTR>(-1);
  if (!SendMessageTimeoutW(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                           30000, &answer)) {
    return -1;
  }
  return static_cast<LRESULT>(answer);
}

void endAllSimWords() {
  constexpr DWORD kEndLimitMs = 10000;
  for (const auto& word : runningSimWords()) {
    sendCommand(word.control, u"exit");
  }
  // Then every simword.exe process, also one that is no longer listed because its Word has
  // quit but that is still ending (it waits for the answer to its last call to go).
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) {
    return;
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"simword.exe") != 0) {
      continue;
    }
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
      if (WaitForSingleObject(process, kEndLimitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
      }
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
}

automation::ObjectRef applicationOf(DWORD processId) {
  com::ComPtr<IRunningObjectTable> table;
  if (FAILED(GetRunningObjectTable(0, table.put()))) {
    return nullptr;
  }
  com::ComPtr<IMoniker> moniker;
  com::ComPtr<IUnknown> unknown;
  std::wstring item = applicationItem(processId);
  if (SUCCEEDED(CreateItemMoniker(L"!", item.c_str(), moniker.put()))) {
    if (FAILED(table->GetObject(moniker.get(), unknown.put()))) {
      // What a failed call left in its out argument is no reference.
      static_cast<void>(unknown.detach());
    }
    moniker.reset();
  }
  table.reset();
  if (!unknown) {
    return nullptr;
  }
  return com::objectOf(unknown.get());
}

}  // namespace r58046::winhost
