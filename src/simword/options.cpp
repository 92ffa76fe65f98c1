#include "simword/options.h"

#include "automation/error.h"
#include "simword/application.h"

namespace r58046::simword {

namespace errors = automation::errors;

namespace {

bool isFilePathKind(int32_t kind) {
  return (kind >= kWdDocumentsPath && kind <= 15) || kind == kWdBorderArtPath;
}

}  // namespace

std::shared_ptr<WordSettings> WordSettings::initial(const WordEnvironment& environment) {
  auto settings = std::make_shared<WordSettings>();
  settings->filePaths[kWdDocumentsPath] = environment.documentsFolder;
  settings->filePaths[kWdUserTemplatesPath] = environment.userTemplatesFolder;
  settings->commandBars = std::make_shared<CommandBarLayout>(CommandBarLayout::word2003Defaults());
  return settings;
}

Options::Options(std::shared_ptr<Application> application)
    : SimObject(application->sessionPtr()), application_(std::move(application)) {}

const automation::MemberTable<Options>& Options::members() {
  static const auto table =
      automation::MemberTable<Options>()
          .prop(u"MeasurementUnit", &Options::measurementUnit, &Options::setMeasurementUnit)
          .prop(u"DefaultFilePath", {u"Path"}, &Options::defaultFilePath,
                &Options::setDefaultFilePath);
  return table;
}

int32_t Options::measurementUnit() const {
  return application_->settings().measurementUnit;
}

void Options::setMeasurementUnit(int32_t value) {
  if (value < kWdInches || value > kWdPicas) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  application_->settings().measurementUnit = value;
}

std::u16string Options::defaultFilePath(int32_t kind) const {
  if (!isFilePathKind(kind)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  if (kind == kWdCurrentFolderPath) {
    return application_->currentFolder();
  }
  auto& paths = application_->settings().filePaths;
  auto it = paths.find(kind);
  return it == paths.end() ? std::u16string() : it->second;
}

void Options::setDefaultFilePath(int32_t kind, std::u16string value) {
  if (!isFilePathKind(kind)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  if (kind == kWdCurrentFolderPath) {
    application_->setCurrentFolder(value);
  } else {
    application_->settings().filePaths[kind] = std::move(value);
  }
}

}  // namespace r58046::simword
