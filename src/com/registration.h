// Writing and removing the registry keys of a COM server (under HKEY_CLASSES_ROOT).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace r58046::com {

// The text form of a GUID, with braces.
std::wstring guidText(REFGUID guid);
// The full path of the module (DLL or program) that holds this code.
std::wstring modulePath(HMODULE module);

// Sets a string value (null name: the key's default value), creating the key.
bool setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value);
std::optional<std::wstring> readValue(const std::wstring& key, const wchar_t* name);
// Removes a key with everything under it; true also when it did not exist.
bool removeTree(const std::wstring& key);

// A string value to set: key, value name (null: the key's default value), value.
struct RegistryValue {
  std::wstring key;
  const wchar_t* name;
  std::wstring value;
};
// Sets the values in order, stopping at the first that cannot be set. The registry's
// status for it is kept as an HRESULT (HRESULT_FROM_WIN32: access denied without
// administrator rights), so that regsvr32 tells why; S_OK when all are set.
HRESULT setValues(const std::vector<RegistryValue>& values);
// Removes the keys with everything under them (a key that is not there is no failure);
// the registry's status of the first that cannot be removed, as setValues keeps it.
HRESULT removeTrees(const std::vector<std::wstring>& keys);

// The registration keys of an interface (HKCR\Interface\{IID}): name, proxy-stub classes
// and type library, as found, so that registering a type library that also describes the
// interface can put another library's registration back afterwards.
class InterfaceKeys {
 public:
  static InterfaceKeys read(REFIID iid);
  // The type library the interface is registered with (empty when none).
  const std::wstring& typeLibrary() const { return typeLibrary_; }
  bool present() const { return present_; }
  void restore() const;

 private:
  std::wstring key_;
  bool present_ = false;
  std::wstring name_;
  std::wstring proxyStub_;
  std::wstring proxyStub32_;
  std::wstring typeLibrary_;
  std::wstring typeLibraryVersion_;
};

}  // namespace r58046::com
