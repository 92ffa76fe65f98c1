#include "com/servers.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>

#include "com/r58046.h"
#include "com/registration.h"
#include "core/lists.h"
#include "external/host.h"

namespace r58046::com {
namespace {

using automation::ObjectRef;

HINSTANCE gInstance = nullptr;

// The type information of an interface of the embedded library (no reference added).
ITypeInfo* typeInfoOf(REFGUID guid) {
  static std::map<std::wstring, ITypeInfo*> cache;
  std::wstring key = guidText(guid);
  auto it = cache.find(key);
  if (it != cache.end()) {
    return it->second;
  }
  ITypeInfo* info = nullptr;
  if (ITypeLib* library = embeddedTypeLibrary()) {
    if (FAILED(library->GetTypeInfoOfGuid(guid, &info))) {
      info = nullptr;
    }
  }
  cache.emplace(key, info);  // kept for the life of the process
  return info;
}

VARIANT_BOOL vbBool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// A by-reference object argument written back when the callee changed it.
void writeObject(IDispatch** slot, const ObjectRef& before, const ObjectRef& after) {
  if (automation::sameObject(before, after)) {
    return;
  }
  auto previous = ComPtr<IDispatch>::adopt(std::exchange(*slot, dispatchOf(after)));
}

class ModuleServer : public Server<::AbstractModule> {
 public:
  ModuleServer(const ObjectRef& object, std::shared_ptr<external::AbstractModule> module)
      : Server(object, IID_AbstractModule), module_(std::move(module)) {}

  HRESULT STDMETHODCALLTYPE get_BravoNuance(VARIANT_BOOL* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    return guard(IID_AbstractModule, [&] { *result = vbBool(module_->BravoNuance()); });
  }
  HRESULT STDMETHODCALLTYPE get_Complement(::ComplementInfo** result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    *result = nullptr;
    return guard(IID_AbstractModule, [&] {
      ObjectRef list = module_->Complement();
      if (!list) {
        return;
      }
      auto dispatch = ComPtr<IDispatch>::adopt(dispatchOf(list));
      if (FAILED(dispatch->QueryInterface(IID_ComplementInfo, reinterpret_cast<void**>(result)))) {
        automation::raiseError(automation::errors::kTypeMismatch);
      }
    });
  }
  HRESULT STDMETHODCALLTYPE get_CauseErreur(BSTR* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    *result = nullptr;
    return guard(IID_AbstractModule, [&] { *result = toBstr(module_->CauseErreur()); });
  }
  HRESULT STDMETHODCALLTYPE get_ErreurGenerale(VARIANT_BOOL* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    return guard(IID_AbstractModule, [&] { *result = vbBool(module_->ErreurGenerale()); });
  }
  HRESULT STDMETHODCALLTYPE Fermer() override {
    return guard(IID_AbstractModule, [&] { module_->Fermer(); });
  }
  HRESULT STDMETHODCALLTYPE InitQuestion(LONG ilQuestion, BSTR isPathDossier,
                                         IDispatch** ioApplication, LONG* ioHandleLogiciel,
                                         BSTR isPathModele) override {
    if (ioApplication == nullptr || ioHandleLogiciel == nullptr) {
      return E_POINTER;
    }
    ObjectRef before;
    HRESULT hr = guard(IID_AbstractModule, [&] { before = objectOf(*ioApplication); });
    if (FAILED(hr)) {
      return hr;
    }
    ObjectRef application = before;
    int32_t handle = *ioHandleLogiciel;
    // By reference, as VB passes them: what the module wrote stands also when it failed.
    hr = guard(IID_AbstractModule, [&] {
      module_->InitQuestion(ilQuestion, fromBstr(isPathDossier), application, handle,
                            fromBstr(isPathModele));
    });
    HRESULT written = guard(IID_AbstractModule, [&] {
      writeObject(ioApplication, before, application);
      *ioHandleLogiciel = handle;
    });
    return FAILED(hr) ? hr : written;
  }
  HRESULT STDMETHODCALLTYPE Quitter(IDispatch** ioApplication, LONG* ioHandleLogiciel) override {
    if (ioApplication == nullptr || ioHandleLogiciel == nullptr) {
      return E_POINTER;
    }
    ObjectRef before;
    HRESULT hr = guard(IID_AbstractModule, [&] { before = objectOf(*ioApplication); });
    if (FAILED(hr)) {
      return hr;
    }
    ObjectRef application = before;
    int32_t handle = *ioHandleLogiciel;
    hr = guard(IID_AbstractModule, [&] { module_->Quitter(application, handle); });
    HRESULT written = guard(IID_AbstractModule, [&] {
      writeObject(ioApplication, before, application);
      *ioHandleLogiciel = handle;
    });
    return FAILED(hr) ? hr : written;
  }
  HRESULT STDMETHODCALLTYPE TestePoint() override {
    return guard(IID_AbstractModule, [&] { module_->TestePoint(); });
  }

 protected:
  ITypeInfo* typeInfo() override { return typeInfoOf(IID_AbstractModule); }

 private:
  std::shared_ptr<external::AbstractModule> module_;
};

class ComplementInfoServer : public Server<::ComplementInfo> {
 public:
  ComplementInfoServer(const ObjectRef& object,
                       std::shared_ptr<external::ComplementInfoInterface> list)
      : Server(object, IID_ComplementInfo), list_(std::move(list)) {}

  HRESULT STDMETHODCALLTYPE add(BSTR soChaine, LONG noItem) override {
    return guard(IID_ComplementInfo, [&] { list_->add(fromBstr(soChaine), noItem); });
  }
  HRESULT STDMETHODCALLTYPE count(LONG* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    return guard(IID_ComplementInfo, [&] { *result = list_->count(); });
  }
  HRESULT STDMETHODCALLTYPE item(LONG noItem, BSTR* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    *result = nullptr;
    return guard(IID_ComplementInfo, [&] { *result = toBstr(list_->item(noItem)); });
  }

 protected:
  bool answers(REFIID iid) const override { return IsEqualIID(iid, IID__ComplementInfo) != 0; }
  ITypeInfo* typeInfo() override { return typeInfoOf(IID_ComplementInfo); }

 private:
  std::shared_ptr<external::ComplementInfoInterface> list_;
};

class FichiersServer : public Server<::_FichiersDeTravail> {
 public:
  FichiersServer(const ObjectRef& object, std::shared_ptr<module::FichiersDeTravail> list)
      : Server(object, IID__FichiersDeTravail), list_(std::move(list)) {}

  HRESULT STDMETHODCALLTYPE add(BSTR siNomSource, BSTR siNomDest, VARIANT_BOOL biModele) override {
    return guard(IID__FichiersDeTravail, [&] {
      list_->add(fromBstr(siNomSource), fromBstr(siNomDest), biModele != VARIANT_FALSE);
    });
  }
  HRESULT STDMETHODCALLTYPE count(LONG* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    return guard(IID__FichiersDeTravail, [&] { *result = list_->count(); });
  }
  HRESULT STDMETHODCALLTYPE get_Item(LONG noItem, ::Fichier* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    std::memset(result, 0, sizeof *result);
    return guard(IID__FichiersDeTravail, [&] {
      module::Fichier entry = list_->Item(noItem);
      UniqueBstr source(toBstr(entry.NomSource));
      UniqueBstr destination(toBstr(entry.NomDest));
      result->NomSource = source.release();
      result->NomDest = destination.release();
      result->Modele = vbBool(entry.Modele);
    });
  }

 protected:
  ITypeInfo* typeInfo() override { return typeInfoOf(IID__FichiersDeTravail); }

 private:
  std::shared_ptr<module::FichiersDeTravail> list_;
};

// The public question classes: their interfaces all have the same functions, so one table
// of functions serves them, under the interface identifier of the object's own class.
class QuestionServer : public Server<::_Question0201> {
 public:
  QuestionServer(const ObjectRef& object, REFIID iid) : Server(object, iid) {}

  HRESULT STDMETHODCALLTYPE get_ComplementInfo(::ComplementInfo** result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    *result = nullptr;
    return guard(primary(), [&] {
      automation::Variant list = automation::Object(object_).get(u"ComplementInfo");
      auto dispatch = ComPtr<IDispatch>::adopt(dispatchOf(list.toObject()));
      if (!dispatch) {
        return;
      }
      if (FAILED(dispatch->QueryInterface(IID_ComplementInfo, reinterpret_cast<void**>(result)))) {
        automation::raiseError(automation::errors::kTypeMismatch);
      }
    });
  }
  HRESULT STDMETHODCALLTYPE get_FichiersDeTravail(::_FichiersDeTravail** result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    *result = nullptr;
    return guard(primary(), [&] {
      automation::Variant list = automation::Object(object_).get(u"FichiersDeTravail");
      auto dispatch = ComPtr<IDispatch>::adopt(dispatchOf(list.toObject()));
      if (!dispatch) {
        return;
      }
      if (FAILED(
              dispatch->QueryInterface(IID__FichiersDeTravail, reinterpret_cast<void**>(result)))) {
        automation::raiseError(automation::errors::kTypeMismatch);
      }
    });
  }
  HRESULT STDMETHODCALLTYPE get_PathDossierParDefaut(BSTR* result) override {
    return text(u"PathDossierParDefaut", result);
  }
  HRESULT STDMETHODCALLTYPE get_BravoNuance(VARIANT_BOOL* result) override {
    if (result == nullptr) {
      return E_POINTER;
    }
    return guard(primary(), [&] {
      *result = vbBool(automation::Object(object_).get(u"BravoNuance").toBool());
    });
  }
  HRESULT STDMETHODCALLTYPE get_CauseErreur(BSTR* result) override {
    return text(u"CauseErreur", result);
  }
  HRESULT STDMETHODCALLTYPE Prepare(IDispatch** iApplication, BSTR isPathDossier,
                                    VARIANT isPathModele) override {
    if (iApplication == nullptr) {
      return E_POINTER;
    }
    return guard(primary(), [&] {
      ObjectRef before = objectOf(*iApplication);
      automation::Variant application(before);
      automation::Args args{automation::Arg::byRef(application),
                            automation::Arg(fromBstr(isPathDossier)),
                            automation::Arg(fromVariant(isPathModele))};
      try {
        automation::Object(object_).invoke(u"Prepare", automation::InvokeKind::Method, args);
      } catch (...) {
        writeObject(iApplication, before, application.toObject());
        throw;
      }
      writeObject(iApplication, before, application.toObject());
    });
  }
  HRESULT STDMETHODCALLTYPE TestePoint() override {
    return guard(primary(), [&] { automation::Object(object_).call(u"TestePoint"); });
  }
  HRESULT STDMETHODCALLTYPE Fermer() override {
    return guard(primary(), [&] { automation::Object(object_).call(u"Fermer"); });
  }

 protected:
  ITypeInfo* typeInfo() override { return typeInfoOf(primary()); }

 private:
  HRESULT text(std::u16string_view member, BSTR* result) {
    if (result == nullptr) {
      return E_POINTER;
    }
    *result = nullptr;
    return guard(primary(),
                 [&] { *result = toBstr(automation::Object(object_).get(member).toString()); });
  }
};

// The interface of a public question class, from the object's C++ class name
// (questions::QuestionNNNN); null for the private classes and any other object.
const IID* questionInterface(const automation::Dispatch& object) {
  static const struct {
    const char* name;
    const IID* iid;
  } kPublic[] = {
      {"Question0201", &IID__Question0201}, {"Question0202", &IID__Question0202},
      {"Question0203", &IID__Question0203}, {"Question0204", &IID__Question0204},
      {"Question0205", &IID__Question0205}, {"Question0206", &IID__Question0206},
      {"Question0207", &IID__Question0207}, {"Question0208", &IID__Question0208},
      {"Question0209", &IID__Question0209}, {"Question0210", &IID__Question0210},
      {"Question0211", &IID__Question0211}, {"Question0219", &IID__Question0219},
  };
  std::string name = typeid(object).name();
  for (const auto& q : kPublic) {
    std::string pattern = std::to_string(std::strlen(q.name)) + q.name;  // as mangled
    if (name.find(pattern) != std::string::npos) {
      return q.iid;
    }
  }
  return nullptr;
}

}  // namespace

ServerBase* makeDllServer(const ObjectRef& object) {
  if (auto module = std::dynamic_pointer_cast<external::AbstractModule>(object)) {
    return new ModuleServer(object, std::move(module));
  }
  if (auto list = std::dynamic_pointer_cast<external::ComplementInfoInterface>(object)) {
    return new ComplementInfoServer(object, std::move(list));
  }
  if (auto list = std::dynamic_pointer_cast<module::FichiersDeTravail>(object)) {
    return new FichiersServer(object, std::move(list));
  }
  if (const IID* iid = questionInterface(*object)) {
    return new QuestionServer(object, *iid);
  }
  return makePlainServer(object);
}

void setDllInstance(HINSTANCE instance) {
  gInstance = instance;
}
HINSTANCE dllInstance() {
  return gInstance;
}

ITypeLib* embeddedTypeLibrary() {
  static ITypeLib* library = [] {
    ITypeLib* loaded = nullptr;
    std::wstring path = modulePath(gInstance);
    if (path.empty() || FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &loaded))) {
      loaded = nullptr;
    }
    return loaded;  // kept for the life of the process
  }();
  return library;
}

}  // namespace r58046::com
