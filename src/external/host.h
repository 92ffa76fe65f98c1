// The host's interfaces, as its shared interface library declares them, and every class,
// interface and library identifier of this component, for the Windows build's type library.
#pragma once

#include <cstdint>
#include <string>

#include "automation/dispatch.h"

namespace r58046::external {

// The host drives a question module through this interface (a dual automation interface);
// the members are in the host's slot order.
class AbstractModule {
 public:
  virtual ~AbstractModule() = default;
  virtual bool BravoNuance() = 0;                  // 1, read-only property
  virtual automation::ObjectRef Complement() = 0;  // 2, a ComplementInfo or Nothing
  virtual std::u16string CauseErreur() = 0;        // 3
  virtual bool ErreurGenerale() = 0;               // 4
  virtual void Fermer() = 0;                       // 5
  virtual void InitQuestion(int32_t ilQuestion, std::u16string isPathDossier,  // 6
                            automation::ObjectRef& ioApplication, int32_t& ioHandleLogiciel,
                            std::u16string isPathModele) = 0;
  virtual void Quitter(automation::ObjectRef& ioApplication,  // 7
                       int32_t& ioHandleLogiciel) = 0;
  virtual void TestePoint() = 0;  // 8
};

// The host's list of strings, which the module implements (members in slot order:
// add(soChaine, noItem), count(), item(noItem)).
class ComplementInfoInterface {
 public:
  virtual ~ComplementInfoInterface() = default;
  virtual void add(std::u16string soChaine, int32_t noItem) = 0;
  virtual int32_t count() = 0;
  virtual std::u16string item(int32_t noItem) = 0;
};

// Identifiers.
namespace ids {
// The host's interface library.
inline constexpr const char* kAbstractModule = "B89DEBFE-53AC-11D3-9C0A-004033A65846";
inline constexpr const char* kComplementInfoInterface = "B89DEBFC-53AC-11D3-9C0A-004033A65846";
// This component's type library R58046, version 1.0.
inline constexpr const char* kTypeLibrary = "003503B4-10FD-490F-B4AF-923E655CD713";
inline constexpr uint16_t kTypeLibraryMajor = 1;
inline constexpr uint16_t kTypeLibraryMinor = 0;
inline constexpr const char* kModuleClass = "D163ED65-9880-49B3-B83A-E120D542C6C1";
inline constexpr const char* kModuleProgId = "R58046.Module";
inline constexpr const char* kFichierRecord = "C4798610-6553-4E36-82A6-700D576275B9";
inline constexpr const char* kFichiersDeTravailInterface = "D034B1AD-B073-4800-84B4-4339F7A42214";
inline constexpr const char* kFichiersDeTravailClass = "EFD94C2C-BA39-4C6F-A5E7-69D7268A35B5";
inline constexpr const char* kComplementInfoClass = "C175B0AD-822C-4AE1-9B7A-22E1305CF7D1";
inline constexpr const char* kComplementInfoDefaultInterface =
    "BDC863CF-89E1-484B-B0AD-3DC411CD2BB5";
// The descriptive text of the list classes and of Fichier in the type library.
inline constexpr const char16_t* kListHelpString = u"Tableau de type texte";
}  // namespace ids

}  // namespace r58046::external
