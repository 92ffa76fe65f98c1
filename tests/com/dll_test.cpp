// r58046.dll as a host and the system see it: registration and unregistration, the type
// library read back through ITypeLib, Module created by its class identifier and called
// through AbstractModule and IDispatch, and DllCanUnloadNow.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "com/r58046.h"
#include "com/registration.h"
#include "com_test_support.h"

using namespace r58046;

namespace {

const std::wstring kModuleKey = L"CLSID\\{D163ED65-9880-49B3-B83A-E120D542C6C1}";
const std::wstring kLibraryKey = L"TypeLib\\{003503B4-10FD-490F-B4AF-923E655CD713}";
const std::wstring kAbstractModuleKey = L"Interface\\{B89DEBFE-53AC-11D3-9C0A-004033A65846}";

class Dll : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    library = LoadLibraryW(testsupport::dllPath().c_str());
    ASSERT_NE(library, nullptr) << "r58046.dll not found beside the tests";
  }
  static void TearDownTestSuite() {
    // The DLL stays registered for the tests that follow (and the scenario runs).
    CoUninitialize();
  }
  template <class F>
  static F entry(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  }
  static HRESULT call(const char* name) { return entry<HRESULT(STDAPICALLTYPE*)()>(name)(); }

  static HMODULE library;
};
HMODULE Dll::library = nullptr;

TEST_F(Dll, RegistersAndUnregistersItsClassAndLibrary) {
  ASSERT_EQ(call("DllRegisterServer"), S_OK);
  EXPECT_EQ(com::readValue(kModuleKey + L"\\InprocServer32", nullptr).value_or(L""),
            testsupport::dllPath());
  EXPECT_EQ(com::readValue(kModuleKey + L"\\InprocServer32", L"ThreadingModel").value_or(L""),
            L"Apartment");
  EXPECT_EQ(com::readValue(kModuleKey + L"\\ProgID", nullptr).value_or(L""), L"R58046.Module");
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"R58046.Module", &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Module));
  EXPECT_TRUE(com::readValue(kLibraryKey + L"\\1.0\\0\\win32", nullptr).has_value());

  ASSERT_EQ(call("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(com::readValue(kModuleKey + L"\\InprocServer32", nullptr).has_value());
  EXPECT_FALSE(com::readValue(L"R58046.Module\\CLSID", nullptr).has_value());
  EXPECT_FALSE(com::readValue(kLibraryKey + L"\\1.0\\0\\win32", nullptr).has_value());
  EXPECT_NE(CLSIDFromProgID(L"R58046.Module", &clsid), S_OK);
  EXPECT_EQ(call("DllUnregisterServer"), S_OK) << "unregistering twice is no failure";

  ASSERT_EQ(call("DllRegisterServer"), S_OK);
}

TEST_F(Dll, LeavesTheHostsOwnRegistrationOfItsInterfaces) {
  // The host's library registered AbstractModule first: this component's copy of the
  // interface must neither take it over nor remove it.
  const std::wstring hostLibrary = L"{11111111-2222-3333-4444-555555555555}";
  ASSERT_EQ(call("DllUnregisterServer"), S_OK);
  ASSERT_TRUE(com::setValue(kAbstractModuleKey, nullptr, L"AbstractModule"));
  ASSERT_TRUE(com::setValue(kAbstractModuleKey + L"\\TypeLib", nullptr, hostLibrary));
  ASSERT_EQ(call("DllRegisterServer"), S_OK);
  EXPECT_EQ(com::readValue(kAbstractModuleKey + L"\\TypeLib", nullptr).value_or(L""), hostLibrary);
  ASSERT_EQ(call("DllUnregisterServer"), S_OK);
  EXPECT_EQ(com::readValue(kAbstractModuleKey + L"\\TypeLib", nullptr).value_or(L""), hostLibrary);
  com::removeTree(kAbstractModuleKey);
  ASSERT_EQ(call("DllRegisterServer"), S_OK);
}

// What the type library says of one type.
struct TypeFacts {
  std::wstring name;
  std::wstring doc;
  TYPEKIND kind = TKIND_MAX;
  WORD flags = 0;
  std::vector<std::pair<std::wstring, int>> implemented;  // name, IMPLTYPEFLAGS
  std::vector<std::wstring> members;                      // functions, or fields of a record
};

TypeFacts factsOf(ITypeLib* library, REFGUID guid) {
  TypeFacts facts;
  ITypeInfo* info = nullptr;
  if (FAILED(library->GetTypeInfoOfGuid(guid, &info))) {
    return facts;
  }
  BSTR name = nullptr;
  BSTR doc = nullptr;
  info->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr);
  facts.name = name ? name : L"";
  facts.doc = doc ? doc : L"";
  SysFreeString(name);
  SysFreeString(doc);
  TYPEATTR* attr = nullptr;
  info->GetTypeAttr(&attr);
  facts.kind = attr->typekind;
  facts.flags = attr->wTypeFlags;
  for (UINT i = 0; i < attr->cImplTypes; ++i) {
    HREFTYPE ref = 0;
    ITypeInfo* other = nullptr;
    INT implFlags = 0;
    info->GetImplTypeFlags(i, &implFlags);
    if (SUCCEEDED(info->GetRefTypeOfImplType(i, &ref)) &&
        SUCCEEDED(info->GetRefTypeInfo(ref, &other))) {
      BSTR otherName = nullptr;
      other->GetDocumentation(MEMBERID_NIL, &otherName, nullptr, nullptr, nullptr);
      facts.implemented.emplace_back(otherName ? otherName : L"", implFlags);
      SysFreeString(otherName);
      other->Release();
    }
  }
  // A dual interface: its own functions in table order, from the vtable side of it.
  ITypeInfo* vtable = nullptr;
  HREFTYPE self = 0;
  ITypeInfo* described = info;
  if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0 &&
      SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &self)) &&
      SUCCEEDED(info->GetRefTypeInfo(self, &vtable))) {
    described = vtable;
  }
  TYPEATTR* shown = nullptr;
  described->GetTypeAttr(&shown);
  for (UINT i = 0; i < shown->cFuncs; ++i) {
    FUNCDESC* f = nullptr;
    described->GetFuncDesc(i, &f);
    BSTR fn = nullptr;
    described->GetDocumentation(f->memid, &fn, nullptr, nullptr, nullptr);
    facts.members.push_back(fn ? fn : L"");
    SysFreeString(fn);
    described->ReleaseFuncDesc(f);
  }
  for (UINT i = 0; i < shown->cVars; ++i) {
    VARDESC* v = nullptr;
    described->GetVarDesc(i, &v);
    BSTR vn = nullptr;
    described->GetDocumentation(v->memid, &vn, nullptr, nullptr, nullptr);
    facts.members.push_back(vn ? vn : L"");
    SysFreeString(vn);
    described->ReleaseVarDesc(v);
  }
  described->ReleaseTypeAttr(shown);
  if (vtable != nullptr) {
    vtable->Release();
  }
  info->ReleaseTypeAttr(attr);
  info->Release();
  return facts;
}

TEST_F(Dll, TypeLibraryCarriesTheIdentifiers) {
  ITypeLib* library = nullptr;
  ASSERT_EQ(LoadRegTypeLib(LIBID_R58046, 1, 0, 0, &library), S_OK);
  BSTR name = nullptr;
  library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
  EXPECT_STREQ(name, L"R58046");
  SysFreeString(name);
  TLIBATTR* attr = nullptr;
  library->GetLibAttr(&attr);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  library->ReleaseTLibAttr(attr);

  TypeFacts module = factsOf(library, CLSID_Module);
  EXPECT_EQ(module.name, L"Module");
  EXPECT_EQ(module.kind, TKIND_COCLASS);
  EXPECT_NE(module.flags & TYPEFLAG_FCANCREATE, 0);
  ASSERT_EQ(module.implemented.size(), 1u);
  EXPECT_EQ(module.implemented[0].first, L"AbstractModule");

  TypeFacts abstract = factsOf(library, IID_AbstractModule);
  EXPECT_NE(abstract.flags & TYPEFLAG_FDUAL, 0);
  EXPECT_EQ(abstract.members, (std::vector<std::wstring>{
                                  L"BravoNuance", L"Complement", L"CauseErreur", L"ErreurGenerale",
                                  L"Fermer", L"InitQuestion", L"Quitter", L"TestePoint"}));

  TypeFacts list = factsOf(library, CLSID_ComplementInfo_);
  EXPECT_EQ(list.name, L"ComplementInfo");
  EXPECT_EQ(list.doc, L"Tableau de type texte");
  EXPECT_EQ(list.flags & TYPEFLAG_FCANCREATE, 0);
  ASSERT_EQ(list.implemented.size(), 2u);
  EXPECT_EQ(list.implemented[0], std::make_pair(std::wstring(L"_ComplementInfo"),
                                                static_cast<int>(IMPLTYPEFLAG_FDEFAULT)));
  EXPECT_EQ(list.implemented[1].first, L"ComplementInfo");
  TypeFacts hostList = factsOf(library, IID_ComplementInfo);
  // A type library keeps one spelling per name: "item" reads as the "Item" of the list class.
  ASSERT_EQ(hostList.members.size(), 3u);
  EXPECT_EQ(hostList.members[0], L"add");
  EXPECT_EQ(hostList.members[1], L"count");
  EXPECT_EQ(_wcsicmp(hostList.members[2].c_str(), L"item"), 0);

  TypeFacts files = factsOf(library, CLSID_FichiersDeTravail);
  EXPECT_EQ(files.name, L"FichiersDeTravail");
  EXPECT_EQ(files.flags & TYPEFLAG_FCANCREATE, 0);
  ASSERT_EQ(files.implemented.size(), 1u);
  EXPECT_EQ(files.implemented[0].first, L"_FichiersDeTravail");

  GUID fichier{};
  CLSIDFromString(L"{C4798610-6553-4E36-82A6-700D576275B9}", &fichier);
  TypeFacts record = factsOf(library, fichier);
  EXPECT_EQ(record.name, L"Fichier");
  EXPECT_EQ(record.kind, TKIND_RECORD);
  EXPECT_EQ(record.members, (std::vector<std::wstring>{L"NomSource", L"NomDest", L"Modele"}));

  // The public question classes, and only those.
  std::map<std::wstring, bool> questions;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    BSTR typeName = nullptr;
    library->GetDocumentation(static_cast<INT>(i), &typeName, nullptr, nullptr, nullptr);
    std::wstring n = typeName ? typeName : L"";
    SysFreeString(typeName);
    if (n.rfind(L"Question", 0) == 0) {
      questions[n] = true;
    }
  }
  std::map<std::wstring, bool> expected;
  for (int q : {201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 219}) {
    expected[L"Question0" + std::to_wstring(q)] = true;
  }
  EXPECT_EQ(questions, expected);
  TypeFacts q201 = factsOf(library, CLSID_Question0201);
  EXPECT_EQ(q201.flags & TYPEFLAG_FCANCREATE, 0);
  ASSERT_EQ(q201.implemented.size(), 1u);
  EXPECT_EQ(q201.implemented[0].first, L"_Question0201");
  library->Release();
}

TEST_F(Dll, ModuleAnswersThroughBothInterfacesAndUnloadsWhenReleased) {
  AbstractModule* module = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_Module, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                             reinterpret_cast<void**>(&module)),
            S_OK);
  EXPECT_EQ(call("DllCanUnloadNow"), S_FALSE);

  VARIANT_BOOL general = VARIANT_TRUE;
  EXPECT_EQ(module->get_ErreurGenerale(&general), S_OK);
  EXPECT_EQ(general, VARIANT_FALSE);

  // No question yet: the getter fails as VB fails on Nothing (error 91), with IErrorInfo.
  BSTR code = nullptr;
  EXPECT_EQ(module->get_CauseErreur(&code), static_cast<HRESULT>(0x800A005B));
  IErrorInfo* error = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
  BSTR description = nullptr;
  error->GetDescription(&description);
  EXPECT_STRNE(description, L"");
  SysFreeString(description);
  error->Release();

  // The same through late binding: EXCEPINFO.
  DISPID id = 0;
  LPOLESTR member = const_cast<LPOLESTR>(L"CauseErreur");
  ASSERT_EQ(module->GetIDsOfNames(IID_NULL, &member, 1, 0, &id), S_OK);
  DISPPARAMS none{};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  EXPECT_EQ(module->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, &info, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, static_cast<HRESULT>(0x800A005B));
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);

  module->Release();
  EXPECT_EQ(call("DllCanUnloadNow"), S_OK);
}

}  // namespace
