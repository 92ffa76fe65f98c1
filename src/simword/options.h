// Word's user settings (options, user address, startup task pane, command bars) and the
// Options object.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "simword/command_bars.h"
#include "simword/session.h"
#include "simword/word.h"

namespace r58046::simword {

class Application;

// Word's measurement units (WdMeasurementUnits).
inline constexpr int32_t kWdInches = 0;
inline constexpr int32_t kWdCentimeters = 1;
inline constexpr int32_t kWdPicas = 4;

// The kinds of Options.DefaultFilePath used here (WdDefaultFilePath).
inline constexpr int32_t kWdDocumentsPath = 0;
inline constexpr int32_t kWdUserTemplatesPath = 2;
inline constexpr int32_t kWdCurrentFolderPath = 14;
inline constexpr int32_t kWdBorderArtPath = 19;

// The settings Word keeps per user, in the registry and the normal template: every Word
// started in one environment shares them, so a Word started after another one quit finds
// what the first one left. The current folder (DefaultFilePath(14)) belongs to each running
// Word instead.
struct WordSettings {
  int32_t measurementUnit = kWdCentimeters;
  // DefaultFilePath by kind, except the current folder.
  std::map<int32_t, std::u16string> filePaths;
  std::u16string userAddress;
  bool showStartupDialog = true;
  std::shared_ptr<CommandBarLayout> commandBars;

  // The settings of a new user: centimetres, the environment's folders, no user address,
  // the startup task pane on, tool tips on, Word 2003's toolbar layout.
  static std::shared_ptr<WordSettings> initial(const WordEnvironment& environment);
};

// Application.Options: MeasurementUnit and DefaultFilePath(Path) (kinds 0 to 15 and 19;
// kind 14 is the running Word's current folder, the one ChangeFileOpenDirectory sets).
// Paths read back exactly as they were written.
class Options : public SimObject<Options> {
 public:
  explicit Options(std::shared_ptr<Application> application);
  static const automation::MemberTable<Options>& members();

  int32_t measurementUnit() const;
  void setMeasurementUnit(int32_t value);
  std::u16string defaultFilePath(int32_t kind) const;
  void setDefaultFilePath(int32_t kind, std::u16string value);

 private:
  std::shared_ptr<Application> application_;
};

}  // namespace r58046::simword
