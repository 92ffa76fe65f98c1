#include "com/registration.h"

#include <shlwapi.h>

#include <vector>

namespace r58046::com {

std::wstring guidText(REFGUID guid) {
  wchar_t text[64];
  int n = StringFromGUID2(guid, text, 64);
  return n > 0 ? std::wstring(text) : std::wstring();
}

std::wstring modulePath(HMODULE module) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) {
      return {};
    }
    if (n < buffer.size()) {
      return std::wstring(buffer.data(), n);
    }
    buffer.resize(buffer.size() * 2);
  }
}

namespace {

LONG writeValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &handle, nullptr);
  if (status != ERROR_SUCCESS) {
    return status;
  }
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return status;
}

LONG deleteTree(const std::wstring& key) {
  auto status = static_cast<LONG>(SHDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str()));
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

bool setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  return writeValue(key, name, value) == ERROR_SUCCESS;
}

HRESULT setValues(const std::vector<RegistryValue>& values) {
  for (const RegistryValue& v : values) {
    LONG status = writeValue(v.key, v.name, v.value);
    if (status != ERROR_SUCCESS) {
      return HRESULT_FROM_WIN32(status);
    }
  }
  return S_OK;
}

std::optional<std::wstring> readValue(const std::wstring& key, const wchar_t* name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  DWORD size = 0;
  std::optional<std::wstring> out;
  if (RegQueryValueExW(handle, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) == ERROR_SUCCESS) {
      out = std::wstring(buffer.data());
    }
  }
  RegCloseKey(handle);
  return out;
}

bool removeTree(const std::wstring& key) {
  return deleteTree(key) == ERROR_SUCCESS;
}

HRESULT removeTrees(const std::vector<std::wstring>& keys) {
  for (const std::wstring& key : keys) {
    LONG status = deleteTree(key);
    if (status != ERROR_SUCCESS) {
      return HRESULT_FROM_WIN32(status);
    }
  }
  return S_OK;
}

InterfaceKeys InterfaceKeys::read(REFIID iid) {
  InterfaceKeys keys;
  keys.key_ = L"Interface\\" + guidText(iid);
  auto name = readValue(keys.key_, nullptr);
  auto typeLibrary = readValue(keys.key_ + L"\\TypeLib", nullptr);
  keys.present_ = name.has_value() || typeLibrary.has_value();
  keys.name_ = name.value_or(L"");
  keys.proxyStub_ = readValue(keys.key_ + L"\\ProxyStubClsid", nullptr).value_or(L"");
  keys.proxyStub32_ = readValue(keys.key_ + L"\\ProxyStubClsid32", nullptr).value_or(L"");
  keys.typeLibrary_ = typeLibrary.value_or(L"");
  keys.typeLibraryVersion_ = readValue(keys.key_ + L"\\TypeLib", L"Version").value_or(L"");
  return keys;
}

void InterfaceKeys::restore() const {
  if (!present_) {
    return;
  }
  removeTree(key_);
  setValue(key_, nullptr, name_);
  if (!proxyStub_.empty()) {
    setValue(key_ + L"\\ProxyStubClsid", nullptr, proxyStub_);
  }
  if (!proxyStub32_.empty()) {
    setValue(key_ + L"\\ProxyStubClsid32", nullptr, proxyStub32_);
  }
  if (!typeLibrary_.empty()) {
    setValue(key_ + L"\\TypeLib", nullptr, typeLibrary_);
    if (!typeLibraryVersion_.empty()) {
      setValue(key_ + L"\\TypeLib", L"Version", typeLibraryVersion_);
    }
  }
}

}  // namespace r58046::com
